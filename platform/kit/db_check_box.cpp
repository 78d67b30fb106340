#include "db_check_box.h"

#include "focus_exit.h"
#include "guard.h"
#include "host/data/field.h"

namespace kit {

DBCheckBox::DBCheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent), FieldControl(this) {
    updateState();
}

DBCheckBox::DBCheckBox(DataSource* source, const QString& fieldName, const QString& caption, QWidget* parent)
    : DBCheckBox(caption, parent) {
    bind(source, fieldName);
}

void DBCheckBox::setValues(const QString& checked, const QString& unchecked) {
    m_checked = checked;
    m_unchecked = unchecked;
    refresh();
}

void DBCheckBox::refresh() {
    bool on = false;
    if (const host::Field* f = field()) {
        try {
            if (f->type() == host::FieldType::Boolean) on = !f->isNull() && f->asBoolean();
            else on = f->asString().trimmed().compare(m_checked, Qt::CaseInsensitive) == 0;
        } catch (const std::exception& e) {
            qWarning("DBCheckBox %s: %s", qUtf8Printable(fieldName()), e.what());
        }
    }
    const QSignalBlocker block(this);
    setChecked(on);
}

// Enabling stays the screen's business; a box that cannot change refuses the click instead.
void DBCheckBox::updateState() {}

void DBCheckBox::nextCheckState() {
    bool stored = false;
    guard(this, [&] {
        host::Field* f = field();
        if (!f || !canModify()) return;
        const bool on = !isChecked();
        ensureEditing();
        if (f->type() == host::FieldType::Boolean) f->setText(on ? QStringLiteral("True") : QStringLiteral("False"));
        else f->setText(on ? m_checked : m_unchecked);
        stored = true;
    });
    refresh();
    if (stored && onClick) guard(this, onClick);
}

void DBCheckBox::focusInEvent(QFocusEvent* e) {
    QCheckBox::focusInEvent(e);
    m_tracker.focusIn(this, onEnter);
}

void DBCheckBox::focusOutEvent(QFocusEvent* e) {
    QCheckBox::focusOutEvent(e);
    m_tracker.focusOut(this, e, [this] {
        if (onExit) onExit();
    });
}

}  // namespace kit
