#include "grid_model.h"

#include "db_grid.h"
#include "host/data/field.h"

namespace kit {

GridModel::GridModel(DBGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

host::Dataset* GridModel::dataset() const {
    return dataSource() && dataSource()->isActive() ? dataSource()->dataset() : nullptr;
}

void GridModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    m_auto = columns.empty();
    m_columns = std::move(columns);
    resolveFields();
    endResetModel();
}

void GridModel::reset() {
    m_grid->aboutToReset();
    beginResetModel();
    resolveFields();
    endResetModel();
    m_grid->afterReset();
}

void GridModel::resolveFields() {
    host::Dataset* ds = dataset();
    if (m_auto) {
        std::vector<GridColumn> cols;
        if (ds)
            for (host::Field* f : ds->fields())
                if (f->visible()) cols.emplace_back(f->name());
        // Keep widths the user gave columns that are still there.
        for (GridColumn& c : cols)
            for (const GridColumn& old : m_columns)
                if (old.fieldName.compare(c.fieldName, Qt::CaseInsensitive) == 0) c.width = old.width;
        m_columns = std::move(cols);
    }
    m_fields.assign(m_columns.size(), nullptr);
    for (size_t i = 0; i < m_columns.size(); ++i) m_fields[i] = ds ? ds->findField(m_columns[i].fieldName) : nullptr;
    m_rows = ds ? ds->recordCount() : 0;
}

host::Field* GridModel::fieldOf(int column) const {
    if (column < 0 || column >= int(m_fields.size())) return nullptr;
    return m_fields[size_t(column)];
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    host::Field* f = fieldOf(index.column());
    host::Dataset* ds = dataset();
    if (!f || !ds || index.row() >= ds->recordCount()) return {};
    switch (role) {
    case Qt::DisplayRole:
        try {
            return ds->displayTextAt(index.row(), f->index());
        } catch (const std::exception& e) {
            qWarning("grade, %s linha %d: %s", qUtf8Printable(f->name()), index.row(), e.what());
            return {};
        }
    case Qt::TextAlignmentRole: {
        const GridColumn& c = m_columns[size_t(index.column())];
        return QVariant::fromValue(c.alignment.value_or(f->alignment()) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(m_columns.size())) return {};
    const GridColumn& c = m_columns[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        if (!c.title.isEmpty()) return c.title;
        if (host::Field* f = fieldOf(section)) return f->displayLabel();
        return c.fieldName;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.titleAlignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_grid->canEditCell(index.column())) flags |= Qt::ItemIsEditable;
    return flags;
}

void GridModel::rowChanged(int row) {
    if (row < 0 || row >= m_rows) return;
    // Cell by cell: a range makes the view repaint everything it shows.
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const QModelIndex cell = index(row, c);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

void GridModel::dataEvent(const host::DataEvent& event) {
    host::Dataset* ds = dataset();
    switch (event.kind) {
    case host::DataEvent::DataSetChanged:
        reset();
        break;
    case host::DataEvent::RecordChanged:
        if (ds && ds->recordCount() != m_rows) reset();
        else if (ds) {
            rowChanged(ds->currentViewRow());
            m_grid->fieldChanged(event.field);
        }
        break;
    case host::DataEvent::StateChanged:
        if (!ds || ds->recordCount() != m_rows) reset();
        else m_grid->stateChanged();
        break;
    case host::DataEvent::Scrolled:
        if (ds && ds->recordCount() != m_rows) reset();
        else m_grid->cursorMoved();
        break;    case host::DataEvent::UpdateRecord:  // the data source writes pending text itself
        break;
    }
}

void GridModel::sourceChanged() { reset(); }

bool GridModel::hasPendingEdit() const { return m_grid->editorModified(); }

void GridModel::commitPendingEdit() { m_grid->commitEditor(); }

QWidget* GridModel::control() { return m_grid; }

bool GridModel::focusField(const QString& fieldName) {
    const int column = m_grid->columnOf(fieldName);
    if (column < 0 || !m_grid->isVisible() || !m_grid->isEnabled() || !m_columns[size_t(column)].visible) return false;
    m_grid->setFocus(Qt::OtherFocusReason);
    if (column != m_grid->currentColumn()) {
        try {
            m_grid->setCurrentColumn(column);
        } catch (...) {
            return true;  // the grid has the focus; its column handlers refused the move
        }
    }
    return true;
}

}  // namespace kit
