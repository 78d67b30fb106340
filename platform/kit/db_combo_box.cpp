#include "db_combo_box.h"

#include "focus_exit.h"
#include "guard.h"
#include "host/data/field.h"

#include <QtGui/QKeyEvent>

namespace kit {

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent), FieldControl(this) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) { chosen(index); });
    updateState();
}

void DBComboBox::setItems(const QStringList& captions, const QStringList& codes) {
    const QSignalBlocker block(this);
    clear();
    addItems(captions);
    m_codes = codes.isEmpty() ? captions : codes;
    refresh();
}

int DBComboBox::itemIndexOfField() const {
    return indexOfFieldValue(m_codes);
}

void DBComboBox::refresh() {
    const QSignalBlocker block(this);
    setCurrentIndex(itemIndexOfField());
}

// Enabling stays the screen's business; a box that cannot change refuses the choice instead.
void DBComboBox::updateState() {}

void DBComboBox::showPopup() {
    if (!canModify()) return;
    QComboBox::showPopup();
}

void DBComboBox::chosen(int index) {
    bool stored = false;
    guard(this, [&] {
        host::Field* f = field();
        if (!f || !canModify() || index < 0 || index >= m_codes.size()) return;
        if (index == itemIndexOfField()) return;
        ensureEditing();
        f->setText(m_codes[index]);
        stored = true;
    });
    refresh();
    if (stored && onChange) guard(this, onChange);
}

void DBComboBox::keyPressEvent(QKeyEvent* e) {
    guard(this, [&] {
        if (onKeyDown && onKeyDown(e)) return;
        // Browsing keys on a read-only box would change the shown item without storing it.
        if (!canModify() && e->key() != Qt::Key_Tab && e->key() != Qt::Key_Backtab) {
            e->ignore();
            return;
        }
        QComboBox::keyPressEvent(e);
    });
}

void DBComboBox::wheelEvent(QWheelEvent* e) {
    if (!canModify()) {
        e->ignore();
        return;
    }
    QComboBox::wheelEvent(e);
}

void DBComboBox::focusInEvent(QFocusEvent* e) {
    QComboBox::focusInEvent(e);
    m_tracker.focusIn(this, onEnter);
}

void DBComboBox::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    m_tracker.focusOut(this, e, [this] {
        if (onExit) onExit();
    });
}

}  // namespace kit
