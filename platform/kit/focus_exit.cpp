#include "focus_exit.h"

#include "guard.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QWidget>

namespace kit {

bool runExit(QWidget* self, const std::function<void()>& checks) {
    if (FocusRestore::active()) return true;
    try {
        checks();
        return true;
    } catch (...) {
        FocusRestore::refuseExit(self, std::current_exception());
        return false;
    }
}

void runEnter(QWidget* self, const std::function<void()>& handler) {
    if (FocusRestore::active()) return;
    guard(self, handler);
}

void FocusTracker::focusIn(QWidget* self, const std::function<void()>& onEnter) {
    FocusRestore::ownerFocused(self);
    if (m_inside) return;
    m_inside = true;
    if (onEnter) runEnter(self, onEnter);
}

bool FocusTracker::focusOut(QWidget* self, const QFocusEvent* e, const std::function<void()>& checks) {
    if (!isLeaving(e)) return false;
    m_inside = false;
    if (runExit(self, checks)) return true;
    m_inside = true;  // the focus came back to the control
    return false;
}

bool isEditKey(const QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Undo) ||
        e->matches(QKeySequence::Redo) || e->matches(QKeySequence::Delete) ||
        e->matches(QKeySequence::DeleteEndOfWord) || e->matches(QKeySequence::DeleteStartOfWord) ||
        e->matches(QKeySequence::DeleteEndOfLine) || e->matches(QKeySequence::DeleteCompleteLine))
        return true;
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = e->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

}  // namespace kit
