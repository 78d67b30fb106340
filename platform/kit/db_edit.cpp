#include "db_edit.h"

#include "focus_exit.h"
#include "guard.h"
#include "host/data/field.h"

#include <QtGui/QKeyEvent>

namespace kit {

DBEdit::DBEdit(QWidget* parent) : MaskedLineEdit(parent), FieldControl(this) {
    connect(this, &QLineEdit::textEdited, this, [this] { userEdited(); });
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (onChange) guard(this, onChange);
    });
    updateState();
}

DBEdit::DBEdit(DataSource* source, const QString& fieldName, QWidget* parent) : DBEdit(parent) {
    bind(source, fieldName);
}

void DBEdit::refresh() {
    m_modified = false;
    showFieldText();
}

void DBEdit::showFieldText() {
    m_refreshing = true;
    host::Field* f = field();
    try {
        if (!f) {
            setEditMask(QString());
            setMaxLength(32767);
            setText(QString());
        } else {
            setEditMask(maskFor(*f));
            if (!hasMask()) setMaxLength(f->type() == host::FieldType::String && f->size() > 0 ? f->size() : 32767);
            setAlignment(f->alignment() | Qt::AlignVCenter);
            if (m_focused) {
                showValue(f->text());
            } else if (hasMask() && f->displayFormat().isEmpty() && !f->onGetText) {
                showPlain(editMask().format(f->text()));
            } else {
                showPlain(f->displayText());
            }
        }
    } catch (const std::exception& e) {
        qWarning("DBEdit %s: %s", qUtf8Printable(fieldName()), e.what());
        showPlain(QString());
    }
    m_refreshing = false;
}

QString DBEdit::maskFor(const host::Field& f) const { return f.editMask(); }

bool DBEdit::setTypedText(const QString& value) {
    if (!beginChange()) return false;
    m_refreshing = true;
    showValue(value);
    m_refreshing = false;
    m_modified = true;
    if (onEdited) guard(this, onEdited);
    return true;
}

void DBEdit::updateState() { setReadOnly(!canModify()); }

void DBEdit::reset() {
    refresh();
    if (m_focused) selectAll();
}

void DBEdit::userEdited() {
    if (m_refreshing) return;
    // Changes that did not come through a key (paste from the menu, drop) start the edit here.
    if (!m_modified && dataSource() && !dataSource()->editing()) {
        const QString typed = displayText();
        const int pos = cursorPosition();
        if (!beginChange()) {
            refresh();
            return;
        }
        m_refreshing = true;
        setText(typed);
        setCursorPosition(pos);
        m_refreshing = false;
    }
    m_modified = true;
    if (onEdited) guard(this, onEdited);
}

void DBEdit::commit() {
    if (!m_modified) return;
    host::Field* f = field();
    if (!f) {
        m_modified = false;
        return;
    }
    if (!maskComplete() && !maskBlank())
        throw host::FieldError(f->name(),
                               QStringLiteral("O valor informado para \"%1\" está incompleto.").arg(f->displayLabel()));
    const QString value = valueForField(maskedValue());
    ensureEditing();
    f->setText(value);
    // The field may not have announced it (same value): show what it holds now.
    refresh();
}

void DBEdit::keyPressEvent(QKeyEvent* e) {
    guard(this, [&] {
        if (onKeyDown && onKeyDown(e)) return;
        switch (e->key()) {
        case Qt::Key_Escape:
            if (m_modified) {
                reset();
                if (onRevert) onRevert();
                return;
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            commit();
            break;
        default:
            if (isEditKey(e) && !isReadOnly() && !beginChange()) return;
            break;
        }
        MaskedLineEdit::keyPressEvent(e);
    });
}

void DBEdit::focusInEvent(QFocusEvent* e) {
    const bool wasFocused = m_focused;
    m_focused = true;
    if (!wasFocused && !m_modified) showFieldText();
    MaskedLineEdit::focusInEvent(e);
    m_tracker.focusIn(this, onEnter);
}

void DBEdit::focusOutEvent(QFocusEvent* e) {
    MaskedLineEdit::focusOutEvent(e);
    if (!isLeaving(e)) return;
    const bool left = m_tracker.focusOut(this, e, [this] {
        commit();
        if (onExit) onExit();
    });
    if (!left) return;  // refused: the focus and the typed text came back
    m_focused = false;
    if (!m_modified) showFieldText();
}

bool DBEdit::event(QEvent* e) {
    // Tab must reach focusOut/keyPress through the guard too; everything else as usual.
    try {
        return MaskedLineEdit::event(e);
    } catch (...) {
        reportException(std::current_exception(), this);
        return true;
    }
}

}  // namespace kit
