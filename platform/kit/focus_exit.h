#pragma once
// Entering and leaving kit controls. Leaving runs the control's checks (writing
// the typed value, the screen's exit handler); when they refuse, the error is
// shown once and the focus goes back to the control with the user's text kept.
// Focus lost to a popup or another window is not leaving.
#include <QtGui/QFocusEvent>
#include <functional>

class QKeyEvent;
class QWidget;

namespace kit {

// A focus change that means the user moved to another control.
inline bool isLeaving(const QFocusEvent* e) {
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

// Runs the checks of leaving `self`; on refusal the focus returns to self.
// Returns true when self may be left. Does nothing while a refused exit is being shown.
bool runExit(QWidget* self, const std::function<void()>& checks);
// Runs the screen's enter handler of `self` (errors are shown, focus stays).
void runEnter(QWidget* self, const std::function<void()>& handler);

// Whether the user is "in" a control. Entering runs once when the control gets
// the focus it did not have (also the first focus of a window being shown);
// a window losing and regaining activation, or a popup, neither leaves nor enters.
class FocusTracker {
public:
    // From focusInEvent.
    void focusIn(QWidget* self, const std::function<void()>& onEnter);
    // From focusOutEvent: runs the checks when the control is really left. True when
    // the control was left; false when it was not (popup, other window) or the checks refused.
    bool focusOut(QWidget* self, const QFocusEvent* e, const std::function<void()>& checks);
    bool inside() const { return m_inside; }

private:
    bool m_inside = false;
};

// True for keys that change the text of a line or text edit.
bool isEditKey(const QKeyEvent* e);

}  // namespace kit
