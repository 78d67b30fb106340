// DBGrid: the delegate, cell painting and the row indicator.
#include "db_grid.h"
#include "grid_delegate.h"
#include "grid_model.h"
#include "host/data/field.h"
#include "masked_line_edit.h"
#include "row_indicator.h"

#include <QtGui/QPainter>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainterPath>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

namespace kit {

// ---------------------------------------------------------------- GridCell

host::Value GridCell::value(const QString& fieldName) const {
    if (!dataset) return {};
    const host::Field* f = dataset->findField(fieldName);
    if (!f || row < 0 || row >= dataset->recordCount()) return {};
    return dataset->valueAt(row, f->index());
}

QString GridCell::displayText(const QString& fieldName) const {
    if (!dataset) return {};
    const host::Field* f = dataset->findField(fieldName);
    if (!f || row < 0 || row >= dataset->recordCount()) return {};
    return dataset->displayTextAt(row, f->index());
}

QString GridCell::asString(const QString& fieldName) const {
    if (!dataset) return {};
    const host::Field* f = dataset->findField(fieldName);
    if (!f || row < 0 || row >= dataset->recordCount()) return {};
    return f->formatValue(dataset->valueAt(row, f->index()), false);
}

void GridCell::drawText() const {
    painter->save();
    painter->setFont(font);
    painter->setPen(textColor);
    const QRect inner = rect.adjusted(2, 2, -2, 0);
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, inner.width());
    painter->drawText(inner, int((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop), shown);
    painter->restore();
}

void GridCell::fillBackground(const QColor& colour) const { painter->fillRect(rect, colour); }

// ---------------------------------------------------------------- delegate

GridDelegate::GridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    m_grid->paintCell(painter, option, index);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    return m_grid->createCellEditor(parent, index.column());
}

void GridDelegate::setEditorData(QWidget*, const QModelIndex&) const {
    // Qt calls this again when the cell's data changes; typed text must survive that.
    if (!m_grid->m_editorModified) m_grid->loadEditorText();
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const {
    editor->setGeometry(option.rect.adjusted(0, 0, -1, -1));
}

bool GridDelegate::eventFilter(QObject* watched, QEvent* event) {
    // Compared as a plain address: the editor may be half destroyed when its last events arrive.
    if (m_grid->m_editor.isNull() || watched != m_grid->m_editorObject) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (m_grid->m_forwardingKey) return false;
        return m_grid->editorKeyPress(static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride: {
        // Keys the grid handles must reach it even when a window shortcut uses them.
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Escape || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) k->accept();
        return false;
    }
    case QEvent::FocusIn:
        m_grid->m_focusWithin = true;
        return false;
    case QEvent::FocusOut:
        m_grid->editorFocusOut(static_cast<QFocusEvent*>(event));
        return false;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- painting

namespace {

void drawTick(QPainter* p, const QRect& cell, bool ticked, const QWidget* widget) {
    QStyleOptionButton box;
    const int side = std::min(13, cell.height() - 2);
    box.rect = QRect(cell.center().x() - side / 2, cell.center().y() - side / 2, side, side);
    box.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
    widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p, widget);
}

void drawEllipsisButton(QPainter* p, const QRect& r, const QWidget* widget) {
    QStyleOptionButton button;
    button.rect = r;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    widget->style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, p, widget);
    p->save();
    p->setPen(widget->palette().color(QPalette::ButtonText));
    p->drawText(r, Qt::AlignCenter, QStringLiteral("…"));
    p->restore();
}

}  // namespace

QRect DBGrid::ellipsisRect(const QRect& cell) const {
    const int w = std::min(18, std::max(12, cell.height()));
    return QRect(cell.right() - w + 1, cell.top(), w, cell.height());
}

bool DBGrid::ellipsisHit(const QPoint& viewportPos) const {
    const QModelIndex idx = indexAt(viewportPos);
    if (!idx.isValid() || idx.row() != cursorRow() || idx.column() != m_currentColumn) return false;
    if (!column(idx.column()).ellipsisButton) return false;
    return ellipsisRect(visualRect(idx)).contains(viewportPos);
}

void DBGrid::paintCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    GridCell cell;
    cell.painter = painter;
    cell.rect = option.rect;
    cell.row = index.row();
    cell.column = index.column();
    cell.field = columnField(index.column());
    cell.dataset = dataset();
    const bool currentRow = index.row() == cursorRow();
    const bool currentCell = currentRow && index.column() == m_currentColumn;
    cell.selected = m_options.rowSelect ? currentRow : currentCell;
    cell.focused = currentCell && focusWithin();
    cell.editing = currentCell && m_editor;
    cell.text = index.data(Qt::DisplayRole).toString();
    const QPalette& pal = option.palette;
    cell.background = cell.selected ? pal.color(QPalette::Active, QPalette::Highlight) : pal.color(QPalette::Active, QPalette::Base);
    cell.textColor = cell.selected ? pal.color(QPalette::Active, QPalette::HighlightedText) : pal.color(QPalette::Active, QPalette::Text);
    cell.font = option.font;
    cell.alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const bool tick = cell.field && !m_tickField.isEmpty() &&
                      cell.field->name().compare(m_tickField, Qt::CaseInsensitive) == 0;

    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, cell.background);
    if (onDrawColumnCell) {
        // Painting must not open dialogs: a failing draw handler is logged and the cell drawn plainly.
        try {
            onDrawColumnCell(cell);
        } catch (const std::exception& e) {
            qWarning("grade: desenho da célula falhou: %s", e.what());
            cell.handled = false;
        } catch (...) {
            cell.handled = false;
        }
    }
    if (!cell.handled) {
        if (tick) {
            const QString v = cell.asString(m_tickField).trimmed();
            if (v == m_tick.ticked || v == m_tick.unticked) drawTick(painter, option.rect, v == m_tick.ticked, this);
        } else {
            cell.drawText();
        }
    }
    if (currentCell && !cell.editing && column(index.column()).ellipsisButton)
        drawEllipsisButton(painter, ellipsisRect(option.rect), this);
    painter->restore();
}

// ---------------------------------------------------------------- row indicator

RowIndicator::RowIndicator(DBGrid* grid) : QHeaderView(Qt::Vertical, grid), m_grid(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

QSize RowIndicator::sizeHint() const { return QSize(14, 0); }

void RowIndicator::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    painter->fillRect(rect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (logicalIndex == m_grid->cursorRow()) {
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->setBrush(palette().color(QPalette::ButtonText));
        const QPoint c = rect.center();
        const host::Dataset* ds = m_grid->dataset();
        const host::DatasetState state = ds ? ds->state() : host::DatasetState::Inactive;
        if (state == host::DatasetState::Insert) {
            painter->drawText(rect, Qt::AlignCenter, QStringLiteral("*"));
        } else if (state == host::DatasetState::Edit) {
            painter->drawText(rect, Qt::AlignCenter, QStringLiteral("I"));
        } else {
            QPainterPath arrow;
            arrow.moveTo(c.x() - 2, c.y() - 4);
            arrow.lineTo(c.x() + 3, c.y());
            arrow.lineTo(c.x() - 2, c.y() + 4);
            arrow.closeSubpath();
            painter->drawPath(arrow);
        }
    }
    painter->restore();
}

}  // namespace kit
