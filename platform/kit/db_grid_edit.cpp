// DBGrid: the in-place cell editor.
#include "db_grid.h"
#include "focus_exit.h"
#include "grid_model.h"
#include "guard.h"
#include "host/data/field.h"
#include "masked_line_edit.h"

#include <QtGui/QAction>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>

namespace kit {

namespace {

QIcon ellipsisIcon(const QWidget* w) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(w->palette().color(QPalette::ButtonText));
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("…"));
    return QIcon(pm);
}

}  // namespace

QWidget* DBGrid::createCellEditor(QWidget* parent, int column) {
    auto* editor = new MaskedLineEdit(parent);
    editor->setFrame(false);
    if (const host::Field* f = columnField(column)) {
        editor->setEditMask(f->editMask());
        if (!editor->hasMask() && f->type() == host::FieldType::String && f->size() > 0) editor->setMaxLength(f->size());
        editor->setAlignment(columns()[size_t(column)].alignment.value_or(f->alignment()) | Qt::AlignVCenter);
    }
    if (columns()[size_t(column)].ellipsisButton) {
        QAction* button = editor->addAction(ellipsisIcon(this), QLineEdit::TrailingPosition);
        button->setToolTip(QStringLiteral("Pesquisar (Ctrl+Enter)"));
        connect(button, &QAction::triggered, this, [this, column] { editButtonClick(column); });
    }
    connect(editor, &QLineEdit::textEdited, this, [this] { editorEdited(); });
    m_editor = editor;
    m_editorObject = editor;
    m_editorColumn = column;
    m_editorRow = cursorRow();
    m_editorModified = false;
    return editor;
}

void DBGrid::loadEditorText() {
    if (!m_editor) return;
    m_loadingEditor = true;
    QString text;
    if (const host::Field* f = columnField(m_editorColumn)) {
        try {
            text = f->text();
        } catch (const std::exception& e) {
            qWarning("grade, %s: %s", qUtf8Printable(f->name()), e.what());
        }
    }
    m_editor->showValue(text);
    m_editor->selectAll();
    m_editorModified = false;
    m_loadingEditor = false;
}

void DBGrid::fieldChanged(host::Field* field) {
    if (!m_editor || m_committing) return;
    if (field && field != columnField(m_editorColumn)) return;
    loadEditorText();
}

void DBGrid::editorEdited() {
    if (m_loadingEditor || !m_editor) return;
    host::Dataset* ds = dataset();
    if (!m_editorModified && ds && !ds->editing()) {
        // A change that came without a key (paste from the menu): start the edit now.
        const QString typed = m_editor->displayText();
        if (!guard(this, [this] { ensureEditing(); })) {
            loadEditorText();
            return;
        }
        if (!m_editor) return;
        m_loadingEditor = true;
        m_editor->setText(typed);
        m_loadingEditor = false;
    }
    m_editorModified = true;
}

bool DBGrid::editorModified() const { return m_editor && m_editorModified; }

void DBGrid::ensureEditing() {
    DataSource* src = dataSource();
    if (src && src->isActive() && !src->editing()) src->edit();
}

void DBGrid::openEditor() {
    if (m_editor || !canEditCell(m_currentColumn)) return;
    const QModelIndex idx = m_model->index(cursorRow(), m_currentColumn);
    if (!idx.isValid()) return;
    syncCurrent();
    QTableView::edit(idx, AllEditTriggers, nullptr);
}

void DBGrid::setEditorMode(bool on) {
    if (on) openEditor();
    else closeCellEditor();
}

void DBGrid::closeCellEditor() {
    if (!m_editor) return;
    MaskedLineEdit* editor = m_editor;
    const bool hadFocus = editor->hasFocus();
    m_editor = nullptr;
    m_editorObject = nullptr;
    m_editorColumn = -1;
    m_editorRow = -1;
    m_editorModified = false;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hadFocus && !hasFocus()) setFocus(Qt::OtherFocusReason);
}

void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint) {
    // Qt closes editors by itself on some moves: forget ours, and never move on a hint.
    if (editor == m_editorObject) {
        m_editor = nullptr;
        m_editorObject = nullptr;
        m_editorColumn = -1;
        m_editorRow = -1;
        m_editorModified = false;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::commitData(QWidget*) {
    // Cells are written by commitEditor, through the field, never by Qt's commit.
}

void DBGrid::commitEditor() {
    if (!m_editor || !m_editorModified) return;
    host::Field* f = columnField(m_editorColumn);
    if (!f) {
        m_editorModified = false;
        return;
    }
    if (!m_editor->maskComplete() && !m_editor->maskBlank())
        throw host::FieldError(f->name(),
                               QStringLiteral("O valor informado para \"%1\" está incompleto.").arg(f->displayLabel()));
    const QString value = m_editor->maskedValue();
    ensureEditing();
    m_committing = true;
    try {
        f->setText(value);
    } catch (...) {
        m_committing = false;
        throw;
    }
    m_committing = false;
    loadEditorText();
}

bool DBGrid::editorKeyPress(QKeyEvent* e) {
    bool consumed = true;
    guard(this, [&] { consumed = handleKey(e, true); });
    return consumed;
}

void DBGrid::editorFocusOut(QFocusEvent* e) {
    if (!isLeaving(e) || FocusRestore::active() || focusWithin()) return;
    MaskedLineEdit* editor = m_editor;
    if (!runExit(editor, [this] { commitEditor(); })) return;
    closeCellEditor();
    leftGrid();
}

}  // namespace kit
