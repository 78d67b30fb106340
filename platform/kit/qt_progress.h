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
#include "host/services/progress.h"

#include <QtCore/QPointer>
#include <QtWidgets/QFrame>

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
    QtProgressService() = default;
    ~QtProgressService() override;

    // The window (created when first shown); null before.
    ProgressWindow* window() const { return m_window; }

protected:
    void showAnimation(const host::ProgressState& state) override;
    void hideAnimation() override;

private:
    QPointer<ProgressWindow> m_window;
    bool m_waitCursor = false;
};

}  // namespace kit
