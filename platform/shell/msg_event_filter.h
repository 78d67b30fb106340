#pragma once
// The host's side of `MsgEventForm`: an application-wide event filter that
// hands the session's hook every keyboard event and every window event of a
// window (activation, show, hide, close, state), before the target sees it.
// A hook that returns true consumes the event. A hook that throws has its
// error shown (silently for Abort) and the event is consumed: the handler had
// taken charge of it.
#include <QtCore/QObject>
#include <memory>

namespace host {
class Session;
}

namespace shell {

class MsgEventFilter : public QObject {
public:
    explicit MsgEventFilter(std::weak_ptr<host::Session> session, QObject* parent = nullptr);

    static bool forwards(const QObject* target, const QEvent* event);

protected:
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    std::weak_ptr<host::Session> m_session;
};

}  // namespace shell
