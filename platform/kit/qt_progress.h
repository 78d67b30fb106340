#pragma once
// host::ProgressService drawn with Qt: a small modeless window with a busy
// (indeterminate) bar and the text, centred over the window of the screen it
// was asked for (else the active window), and the wait cursor while it is
// shown. It never takes the activation or the focus, so the control being
// typed in is not left (and not validated) because a remote call started. The shell installs
// it with host::setProgressService(std::make_shared<kit::QtProgressService>()).
//
// The screens' threads block during the work it stands for, so the window is
// painted once when it appears or changes; the bar moves only when events run.
//
// A modal window that opens while the animation is up (a question in the middle
// of a step) is waiting for the user, not for the work: the animation steps
// aside (and the wait cursor with it) until that window closes, so it never
// covers a dialog's buttons.
#include "host/services/progress.h"

#include <QtCore/QList>
#include <QtCore/QPointer>
#include <QtWidgets/QFrame>
#include <memory>

class QLabel;
class QProgressBar;

namespace kit {

class ProgressWindow : public QFrame {
public:
    // owner: the window it is shown over (it goes away with it); may be null.
    explicit ProgressWindow(QWidget* owner);
    QLabel* label() const { return m_label; }
    QProgressBar* bar() const { return m_bar; }
    void present(const host::ProgressState& state);

private:
    QLabel* m_label;
    QProgressBar* m_bar;
};

// The text shown for a kind of animation when the caller gives none.
QString progressKindText(int kind);

class QtProgressService : public host::ProgressService {
public:
    QtProgressService();
    ~QtProgressService() override;

    // The window (created when first shown); null before.
    ProgressWindow* window() const { return m_window; }

protected:
    void showAnimation(const host::ProgressState& state) override;
    void hideAnimation() override;

private:
    class ModalWatcher;
    friend class ModalWatcher;
    // A modal window appeared or went away while the animation is current.
    void modalShown(QWidget* modal);
    void modalHidden(QWidget* modal);
    void setWaitCursor(bool on);
    // A step is set aside while a dialog that opened over it is still open.
    bool setAside(const host::ProgressState& state);
    void stepAside();
    void forgetClosedDialogs();

    // A modal window and the step it opened over.
    struct DialogOver {
        QPointer<QWidget> dialog;
        host::ProgressState over;
    };

    QPointer<ProgressWindow> m_window;
    std::unique_ptr<ModalWatcher> m_watcher;
    QList<DialogOver> m_dialogsOver;
    bool m_waitCursor = false;
};

}  // namespace kit
