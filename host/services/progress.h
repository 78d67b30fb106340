#pragma once
// The host's busy animation (`Showavi`): shown around every remote call and
// long step, hidden on success and on failure alike. The service keeps what is
// shown; an implementation only draws it (the kit's widget, or a recorder in
// tests). Prefer ProgressGuard to paired calls: it hides the animation on every
// path out of a scope, exceptions included.
#include <QtCore/QString>
#include <memory>
#include <optional>

class QWidget;

namespace host {

// Kinds of animation the screens use.
constexpr int kAviConnecting = 0;
constexpr int kAviProcessing = 1;
constexpr int kAviTransfer = 6;

struct ProgressState {
    QWidget* screen = nullptr;  // the screen it is shown over (may be null)
    int kind = kAviTransfer;
    QString text;  // may be empty
    friend bool operator==(const ProgressState&, const ProgressState&) = default;
};

class ProgressService {
public:
    virtual ~ProgressService() = default;

    // Shows the animation, or changes the one shown to this kind and text.
    void ActiveShowAvi(QWidget* screen, int kind, const QString& text = {});
    // Hides it; nothing happens when none is shown.
    void DeactiveShowAvi();
    const std::optional<ProgressState>& current() const { return m_current; }

protected:
    // Called when the animation appears or changes.
    virtual void showAnimation(const ProgressState& state) = 0;
    // Called when it goes away.
    virtual void hideAnimation() = 0;

private:
    std::optional<ProgressState> m_current;
};

// The service in use; the shell installs the kit's, tests a recording one.
// Throws DataError when none is installed.
ProgressService& progress();
void setProgressService(std::shared_ptr<ProgressService> service);

// Shows the animation for a scope. When the scope ends, whatever was shown
// before it (an outer step's animation) is shown again, else the animation is
// hidden. Never throws from its destructor.
class ProgressGuard {
public:
    ProgressGuard(QWidget* screen, int kind, const QString& text = {});
    ~ProgressGuard();
    ProgressGuard(const ProgressGuard&) = delete;
    ProgressGuard& operator=(const ProgressGuard&) = delete;

private:
    ProgressService& m_service;
    std::optional<ProgressState> m_previous;
};

}  // namespace host
