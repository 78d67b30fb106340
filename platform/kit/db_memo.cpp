#include "db_memo.h"

#include "focus_exit.h"
#include "guard.h"
#include "host/data/field.h"

#include <QtGui/QKeyEvent>

namespace kit {

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent), FieldControl(this) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { textChangedByUser(); });
    updateState();
}

DBMemo::DBMemo(DataSource* source, const QString& fieldName, QWidget* parent) : DBMemo(parent) {
    bind(source, fieldName);
}

void DBMemo::refresh() {
    m_modified = false;
    m_refreshing = true;
    QString text;
    if (const host::Field* f = field()) {
        try {
            text = f->text();
        } catch (const std::exception& e) {
            qWarning("DBMemo %s: %s", qUtf8Printable(fieldName()), e.what());
        }
    }
    if (text != toPlainText()) setPlainText(text);
    m_refreshing = false;
}

void DBMemo::updateState() { setReadOnly(!canModify()); }

void DBMemo::reset() { refresh(); }

void DBMemo::textChangedByUser() {
    if (m_refreshing) return;
    if (!m_modified && dataSource() && !dataSource()->editing()) {
        const QString typed = toPlainText();
        if (!beginChange()) {
            refresh();
            return;
        }
        if (toPlainText() != typed) {
            m_refreshing = true;
            setPlainText(typed);
            moveCursor(QTextCursor::End);
            m_refreshing = false;
        }
    }
    m_modified = true;
}

void DBMemo::commit() {
    if (!m_modified) return;
    host::Field* f = field();
    if (!f) {
        m_modified = false;
        return;
    }
    ensureEditing();
    f->setText(toPlainText());
    refresh();
}

void DBMemo::keyPressEvent(QKeyEvent* e) {
    guard(this, [&] {
        if (onKeyDown && onKeyDown(e)) return;
        if (e->key() == Qt::Key_Escape && m_modified) {
            reset();
            return;
        }
        if ((isEditKey(e) || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !isReadOnly() &&
            !beginChange())
            return;
        QPlainTextEdit::keyPressEvent(e);
    });
}

void DBMemo::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    m_tracker.focusIn(this, onEnter);
}

void DBMemo::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    m_tracker.focusOut(this, e, [this] {
        commit();
        if (onExit) onExit();
    });
}

}  // namespace kit
