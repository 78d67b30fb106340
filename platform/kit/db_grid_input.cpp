// DBGrid: keys and mouse.
#include "db_grid.h"
#include "focus_exit.h"
#include "grid_model.h"
#include "guard.h"
#include "host/data/field.h"
#include "host/services/dialog_service.h"
#include "masked_line_edit.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>

namespace kit {

// ---------------------------------------------------------------- keys

void DBGrid::keyPressEvent(QKeyEvent* e) {
    m_editDelay.stop();
    bool handled = true;
    guard(this, [&] { handled = handleKey(e, false); });
    if (!handled) e->ignore();
}

bool DBGrid::handleKey(QKeyEvent* e, bool fromEditor) {
    if (onKeyDown && onKeyDown(e)) return true;
    if (!dataSource()) return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    host::Dataset* ds = dataset();

    switch (e->key()) {
    case Qt::Key_Up:
        if (alt) return false;
        commitEditor();
        moveRows(-1);
        return true;
    case Qt::Key_Down:
        if (alt) return false;
        commitEditor();
        moveDown();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        commitEditor();
        const int page = std::max(1, viewport()->height() / std::max(1, rowHeight()) - 1);
        if (ctrl) {
            dataSource()->updateRecord();
            if (ds) e->key() == Qt::Key_PageUp ? ds->first() : ds->last();
        } else {
            moveRows(e->key() == Qt::Key_PageUp ? -page : page);
        }
        return true;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Past the first or last cell Tab leaves the grid, as it does with tab moves off.
        if (!m_options.tabs || ctrl) return false;
        return tabMove(e->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ctrl && m_currentColumn >= 0 && m_currentColumn < int(columns().size()) &&
            column(m_currentColumn).ellipsisButton) {
            editButtonClick(m_currentColumn);
            return true;
        }
        if (ctrl || alt) return false;
        enterKey();
        return true;
    case Qt::Key_Escape:
        return escapeKey();
    default:
        break;
    }

    if (fromEditor) {
        // Moving inside the text and typing belong to the editor; typing first starts the edit.
        if (isEditKey(e)) {
            if (!canEditCell(m_editorColumn)) return true;
            ensureEditing();
        }
        return false;
    }

    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int next = nextVisibleColumn(m_currentColumn, e->key() == Qt::Key_Left ? -1 : 1);
        if (next >= 0) setCurrentColumn(next);
        return true;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
        if (ctrl) {
            dataSource()->updateRecord();
            if (ds) e->key() == Qt::Key_Home ? ds->first() : ds->last();
        } else {
            const int to = e->key() == Qt::Key_Home ? firstVisibleColumn() : lastVisibleColumn();
            if (to >= 0) setCurrentColumn(to);
        }
        return true;
    case Qt::Key_F2:
        openEditor();
        return true;
    case Qt::Key_Insert:
        if (!ctrl && !alt && canInsert()) {
            dataSource()->updateRecord();
            ds->insert();
        }
        return true;
    case Qt::Key_Delete:
        if (ctrl) deleteRow();
        return true;
    case Qt::Key_Space:
        if (!m_tickField.isEmpty() && !alt) {
            if (ctrl) setAllTicks();
            else toggleTick();
            return true;
        }
        break;
    default:
        break;
    }
    if (!ctrl && !alt && isEditKey(e) && !e->text().isEmpty() && e->text().at(0).isPrint()) {
        typeIntoCell(e);
        return true;
    }
    return false;
}

void DBGrid::typeIntoCell(QKeyEvent* e) {
    if (!canEditCell(m_currentColumn)) return;
    ensureEditing();
    const bool opening = !m_editor;
    openEditor();
    if (!m_editor) return;
    if (opening) m_editor->selectAll();  // the first key replaces the cell's text
    m_forwardingKey = true;
    QCoreApplication::sendEvent(m_editor, e);
    m_forwardingKey = false;
}

void DBGrid::moveRows(int distance) {
    host::Dataset* ds = dataset();
    if (!ds || distance == 0) return;
    dataSource()->updateRecord();
    // A new row nobody typed into disappears when left, and the grid stays where the user
    // was before it (the dataset would otherwise move on from the row the insert started at).
    if (ds->state() == host::DatasetState::Insert && !ds->modified()) {
        ds->cancel();
        const int rest = distance > 0 ? distance - 1 : distance + 1;
        if (rest != 0) ds->moveBy(rest);
        return;
    }
    ds->moveBy(distance);
}

void DBGrid::moveDown() {
    host::Dataset* ds = dataset();
    if (!ds) return;
    const bool atLast = ds->isEmpty() || ds->recNo() >= ds->recordCount();
    if (!atLast) return moveRows(1);
    if (ds->state() == host::DatasetState::Insert && !ds->modified()) return;  // the new row stays until typed into
    dataSource()->updateRecord();
    if (canInsert()) ds->append();
    else ds->checkBrowseMode();
}

bool DBGrid::tabMove(bool forward) {
    const bool wasOpen = editorMode();
    commitEditor();
    host::Dataset* ds = dataset();
    const int next = nextVisibleColumn(m_currentColumn, forward ? 1 : -1);
    if (next >= 0) {
        setCurrentColumn(next);
        if (wasOpen && ds && ds->editing() && canEditCell(next)) openEditor();
        return true;
    }
    if (!ds) return false;
    const int rowBefore = cursorRow();
    const host::DatasetState stateBefore = ds->state();
    if (forward) moveDown();
    else if (ds->recNo() > 1 || ds->state() == host::DatasetState::Insert) moveRows(-1);
    if (cursorRow() == rowBefore && ds->state() == stateBefore) return false;  // nowhere to go in the grid
    const int to = forward ? firstVisibleColumn() : lastVisibleColumn();
    if (to >= 0 && to != m_currentColumn) setCurrentColumn(to);
    return true;
}

void DBGrid::enterKey() {
    const bool wasOpen = editorMode();
    commitEditor();
    host::Dataset* ds = dataset();
    const int next = nextVisibleColumn(m_currentColumn, 1);
    if (next < 0) {
        closeCellEditor();
        if (ds && ds->editing()) dataSource()->post();
        const int first = firstVisibleColumn();
        if (first >= 0 && first != m_currentColumn) setCurrentColumn(first);
        return;
    }
    setCurrentColumn(next);
    if (wasOpen && ds && ds->editing() && canEditCell(next)) openEditor();
}

bool DBGrid::escapeKey() {
    host::Dataset* ds = dataset();
    if (m_editor) {
        const bool typed = m_editorModified;
        closeCellEditor();
        if (typed) return true;  // first Esc drops the cell's text; the next one the row's edit
        if (ds && ds->editing()) ds->cancel();
        return true;
    }
    if (ds && ds->editing()) {
        ds->cancel();
        return true;
    }
    return false;
}

void DBGrid::deleteRow() {
    host::Dataset* ds = dataset();
    if (!m_options.editing || !m_options.allowDelete || m_readOnly || !ds) return;
    if (ds->isEmpty()) return;
    if (m_options.confirmDelete &&
        host::dialogs().ask(host::MessageKind::Confirmation, QStringLiteral("Confirma exclusão?"),
                            host::QuestionButtons::YesNo, this) != host::kYes)
        return;
    closeCellEditor();
    ds->deleteRecord();
}

void DBGrid::editButtonClick(int column) {
    if (!onEditButtonClick) return;
    // The typed text stays in the editor: a lookup often starts from a half-typed code.
    onEditButtonClick(column);
}

// ---------------------------------------------------------------- mouse

void DBGrid::mousePressEvent(QMouseEvent* e) {
    if (!hasFocus() && !focusWithin()) setFocus(Qt::MouseFocusReason);
    if (e->button() != Qt::LeftButton) return;
    const QPoint pos = e->position().toPoint();
    const QModelIndex idx = indexAt(pos);
    if (!idx.isValid()) return;
    if (ellipsisHit(pos)) {
        guard(this, [&] { editButtonClick(idx.column()); });
        return;
    }
    const bool onCurrentCell = idx.row() == cursorRow() && idx.column() == m_currentColumn;
    // A cell the user typed into must be accepted before the grid moves away from it.
    if (m_editor) {
        try {
            commitEditor();
        } catch (...) {
            FocusRestore::refuseExit(m_editor, std::current_exception());
            return;
        }
    }
    guard(this, [&] { clickCell(idx, onCurrentCell); });
}

void DBGrid::clickCell(const QModelIndex& index, bool onCurrentCell) {
    host::Dataset* ds = dataset();
    if (!ds) return;
    int row = index.row();
    if (row != cursorRow()) {
        closeCellEditor();
        dataSource()->updateRecord();
        if (ds->state() == host::DatasetState::Insert && !ds->modified()) {
            // Dropping the untouched new row shifts the rows below it up by one.
            const int newRow = cursorRow();
            ds->cancel();
            if (newRow < row) --row;
        }
        if (row != cursorRow()) {
            ds->setRecNo(row + 1);
            if (cursorRow() != row) return;  // refused
        }
    }
    if (index.column() != m_currentColumn) setCurrentColumn(index.column());
    syncCurrent();
    host::Field* f = columnField(index.column());
    const bool tick = f && !m_tickField.isEmpty() && f->name().compare(m_tickField, Qt::CaseInsensitive) == 0;
    if (tick && m_tick.clickToggles) toggleTick();
    else if (onCurrentCell && !m_editor && canEditCell(index.column())) m_editDelay.start();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint pos = e->position().toPoint();
    const QModelIndex idx = indexAt(pos);
    m_editDelay.stop();
    if (!idx.isValid() || ellipsisHit(pos)) return;
    guard(this, [&] {
        if (idx.row() != cursorRow()) return;  // the press was refused
        host::Field* f = columnField(idx.column());
        const bool tickColumn = f && !m_tickField.isEmpty() && f->name().compare(m_tickField, Qt::CaseInsensitive) == 0;
        bool ticked = false;
        if (!m_tickField.isEmpty()) {
            // In the tick column each click counts once; elsewhere the double click toggles.
            if ((tickColumn && m_tick.clickToggles) || (!tickColumn && m_tick.doubleClickToggles)) {
                toggleTick();
                ticked = true;
            } else if (tickColumn && m_tick.doubleClickToggles) {
                toggleTick();
                ticked = true;
            }
        }
        if (onDblClick) onDblClick();
        else if (!ticked) openEditor();
    });
}

void DBGrid::mouseMoveEvent(QMouseEvent*) {
    // No drag selection: the current cell is the dataset's cursor.
}

void DBGrid::mouseReleaseEvent(QMouseEvent*) {}

}  // namespace kit
