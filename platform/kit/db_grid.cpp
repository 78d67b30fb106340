// DBGrid: construction, columns, the current cell and focus.
#include "db_grid.h"

#include "focus_exit.h"
#include "grid_delegate.h"
#include "grid_model.h"
#include "guard.h"
#include "host/data/field.h"
#include "masked_line_edit.h"
#include "row_indicator.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QScrollBar>

namespace kit {

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new GridModel(this)) {
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setVerticalHeader(new RowIndicator(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(true);  // Tab reaches keyPressEvent; unhandled it still leaves the grid
    setWordWrap(false);
    setSortingEnabled(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight());
    verticalHeader()->setMinimumSectionSize(rowHeight());
    m_editDelay.setSingleShot(true);
    m_editDelay.setInterval(QApplication::doubleClickInterval());
    connect(&m_editDelay, &QTimer::timeout, this, [this] { guard(this, [this] { openEditor(); }); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (m_applyingLayout || size <= 0 || logical >= int(m_model->columns().size())) return;
        m_model->columnRef(logical).width = size;
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int logical) {
        guard(this, [&] {
            commitEditor();
            host::Field* f = columnField(logical);
            if (f && !m_tickField.isEmpty() && f->name().compare(m_tickField, Qt::CaseInsensitive) == 0) setAllTicks();
            if (onTitleClick) onTitleClick(logical);
        });
    });
}

DBGrid::~DBGrid() {
    // The editor and the model must not call back into a grid that is going away.
    m_editDelay.stop();
    closeCellEditor();
    m_model->unbind();
}

void DBGrid::setDataSource(DataSource* source) {
    closeCellEditor();
    m_model->setDataSource(source);
}

DataSource* DBGrid::dataSource() const { return m_model->dataSource(); }

host::Dataset* DBGrid::dataset() const { return m_model->dataset(); }

int DBGrid::rowHeight() const { return fontMetrics().height() + 6; }

// ---------------------------------------------------------------- columns

void DBGrid::setColumns(std::vector<GridColumn> columns) {
    aboutToReset();
    m_model->setColumns(std::move(columns));
    afterReset();
}

const std::vector<GridColumn>& DBGrid::columns() const { return m_model->columns(); }

const GridColumn& DBGrid::column(int index) const { return m_model->columns().at(size_t(index)); }

int DBGrid::columnOf(const QString& fieldName) const {
    const auto& cols = columns();
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

host::Field* DBGrid::columnField(int index) const { return m_model->fieldOf(index); }

void DBGrid::setColumnVisible(int index, bool visible) {
    if (index < 0 || index >= int(columns().size())) return;
    if (!visible && index == m_editorColumn) closeCellEditor();
    m_model->columnRef(index).visible = visible;
    applyColumnLayout();
    if (!visible && index == m_currentColumn) {
        const int next = nextVisibleColumn(index, 1);
        m_currentColumn = next >= 0 ? next : std::max(0, firstVisibleColumn());
        syncCurrent();
    }
}

void DBGrid::setColumnVisible(const QString& fieldName, bool visible) { setColumnVisible(columnOf(fieldName), visible); }

void DBGrid::setColumnReadOnly(int index, bool readOnly) {
    if (index < 0 || index >= int(columns().size())) return;
    m_model->columnRef(index).readOnly = readOnly;
    if (readOnly && index == m_editorColumn) closeCellEditor();
}

void DBGrid::setColumnButton(int index, bool ellipsis) {
    if (index < 0 || index >= int(columns().size())) return;
    m_model->columnRef(index).ellipsisButton = ellipsis;
    viewport()->update();
}

void DBGrid::setColumnTitle(int index, const QString& title) {
    if (index < 0 || index >= int(columns().size())) return;
    m_model->columnRef(index).title = title;
    emit m_model->headerDataChanged(Qt::Horizontal, index, index);
}

int DBGrid::defaultColumnWidth(int column) const {
    const QFontMetrics fm = fontMetrics();
    int chars = 10;
    if (const host::Field* f = columnField(column)) {
        switch (f->type()) {
        case host::FieldType::String: chars = std::clamp(f->size(), 2, 40); break;
        case host::FieldType::Float: chars = 12; break;
        case host::FieldType::Integer: chars = 8; break;
        case host::FieldType::Boolean: chars = 4; break;
        case host::FieldType::DateTime: chars = 10; break;
        }
    }
    return std::max(fm.horizontalAdvance(QLatin1Char('0')) * chars + 8, titleWidth(column));
}

int DBGrid::titleWidth(int column) const {
    return fontMetrics().horizontalAdvance(m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()) + 12;
}

void DBGrid::applyColumnLayout() {
    m_applyingLayout = true;
    const auto& cols = columns();
    for (int i = 0; i < int(cols.size()); ++i) {
        const GridColumn& c = cols[size_t(i)];
        setColumnHidden(i, !c.visible);
        // A width given in pixels never cuts the column's title (fonts differ from machine to machine).
        if (c.visible) setColumnWidth(i, c.width > 0 ? std::max(c.width, titleWidth(i)) : defaultColumnWidth(i));
    }
    m_applyingLayout = false;
}

void DBGrid::setOptions(const GridOptions& options) {
    m_options = options;
    setSelectionBehavior(options.rowSelect ? SelectRows : SelectItems);
    verticalHeader()->setVisible(options.indicator);
    horizontalHeader()->setVisible(options.titles);
    horizontalHeader()->setSectionResizeMode(options.columnResize ? QHeaderView::Interactive : QHeaderView::Fixed);
    setTabKeyNavigation(options.tabs);
    if (!options.editing) closeCellEditor();
    syncCurrent();
}

void DBGrid::setReadOnly(bool on) {
    m_readOnly = on;
    if (on) closeCellEditor();
}

// ---------------------------------------------------------------- current cell

int DBGrid::cursorRow() const {
    const host::Dataset* ds = dataset();
    return ds ? ds->currentViewRow() : -1;
}

host::Field* DBGrid::selectedField() const { return columnField(m_currentColumn); }

int DBGrid::firstVisibleColumn() const { return nextVisibleColumn(-1, 1); }

int DBGrid::lastVisibleColumn() const { return nextVisibleColumn(int(columns().size()), -1); }

int DBGrid::nextVisibleColumn(int from, int step) const {
    const auto& cols = columns();
    for (int i = from + step; i >= 0 && i < int(cols.size()); i += step)
        if (cols[size_t(i)].visible) return i;
    return -1;
}

bool DBGrid::canEditCell(int column) const {
    if (!m_options.editing || m_readOnly || column < 0 || column >= int(columns().size())) return false;
    const GridColumn& c = columns()[size_t(column)];
    const host::Field* f = columnField(column);
    if (!f || c.readOnly || !c.visible || f->readOnly() || f->isCalculated()) return false;
    if (!m_tickField.isEmpty() && f->name().compare(m_tickField, Qt::CaseInsensitive) == 0) return false;
    const DataSource* src = dataSource();
    return src && (src->editing() || src->autoEdit());
}

bool DBGrid::canInsert() const {
    const DataSource* src = dataSource();
    return m_options.editing && m_options.allowInsert && !m_readOnly && src && src->isActive() && src->autoEdit();
}

void DBGrid::setCurrentColumn(int column) {
    if (column < 0 || column >= int(columns().size()) || column == m_currentColumn) return;
    commitEditor();
    if (onColExit) onColExit();
    closeCellEditor();
    m_currentColumn = column;
    syncCurrent();
    if (onColEnter) onColEnter();
}

void DBGrid::syncCurrent() {
    if (!selectionModel()) return;
    if (m_currentColumn >= int(columns().size()) || (m_currentColumn >= 0 && m_currentColumn < int(columns().size()) &&
                                                      !columns()[size_t(m_currentColumn)].visible)) {
        const int first = firstVisibleColumn();
        m_currentColumn = first >= 0 ? first : 0;
    }
    const QModelIndex idx = m_model->index(cursorRow(), m_currentColumn);
    if (m_editor && (idx.row() != m_editorRow || m_currentColumn != m_editorColumn)) closeCellEditor();
    m_syncing = true;
    if (idx.isValid()) {
        QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
        if (m_options.rowSelect) flags |= QItemSelectionModel::Rows;
        selectionModel()->setCurrentIndex(idx, flags);
        scrollTo(idx);
    } else {
        selectionModel()->clear();
    }
    m_syncing = false;
    verticalHeader()->viewport()->update();
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid()) return;
    // A move Qt made by itself: carry it to the dataset, which may refuse it.
    guard(this, [&] {
        host::Dataset* ds = dataset();
        if (ds && current.row() != cursorRow()) ds->setRecNo(current.row() + 1);
        if (current.column() != m_currentColumn) setCurrentColumn(current.column());
    });
    syncCurrent();
}

// ---------------------------------------------------------------- model notifications

void DBGrid::aboutToReset() {
    m_savedScroll = verticalScrollBar()->value();
    closeCellEditor();
}

void DBGrid::afterReset() {
    applyColumnLayout();
    verticalScrollBar()->setValue(m_savedScroll);
    syncCurrent();
    viewport()->update();
}

void DBGrid::cursorMoved() {
    m_editDelay.stop();
    syncCurrent();
}

void DBGrid::stateChanged() {
    verticalHeader()->viewport()->update();
    const int row = cursorRow();
    if (row >= 0) viewport()->update(visualRect(m_model->index(row, m_currentColumn)));
}

// ---------------------------------------------------------------- focus

bool DBGrid::focusWithin() const {
    QWidget* now = QApplication::focusWidget();
    return now && (now == this || isAncestorOf(now));
}

void DBGrid::focusInEvent(QFocusEvent* e) {
    QTableView::focusInEvent(e);
    FocusRestore::ownerFocused(this);
    if (m_focusWithin) return;
    m_focusWithin = true;
    if (onEnter) runEnter(this, onEnter);
}

void DBGrid::focusOutEvent(QFocusEvent* e) {
    QTableView::focusOutEvent(e);
    if (!isLeaving(e) || FocusRestore::active() || focusWithin()) return;
    leftGrid();
}

void DBGrid::leftGrid() {
    if (!m_focusWithin) return;
    m_focusWithin = false;
    if (onExit && !runExit(this, onExit)) m_focusWithin = true;
}

bool DBGrid::event(QEvent* e) {
    try {
        return QTableView::event(e);
    } catch (...) {
        reportException(std::current_exception(), this);
        return true;
    }
}

}  // namespace kit
