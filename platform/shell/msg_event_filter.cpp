#include "platform/shell/msg_event_filter.h"

#include "host/services/session.h"
#include "platform/kit/guard.h"

#include <QtCore/QEvent>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QWidget>

namespace shell {

MsgEventFilter::MsgEventFilter(std::weak_ptr<host::Session> session, QObject* parent)
    : QObject(parent), m_session(std::move(session)) {}

bool MsgEventFilter::forwards(const QObject* target, const QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return true;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Close:
    case QEvent::WindowStateChange: {
        const auto* widget = qobject_cast<const QWidget*>(target);
        return widget && (widget->isWindow() || qobject_cast<const QMdiSubWindow*>(widget));
    }
    default:
        return false;
    }
}

bool MsgEventFilter::eventFilter(QObject* target, QEvent* event) {
    if (!forwards(target, event)) return false;
    const std::shared_ptr<host::Session> session = m_session.lock();
    if (!session) return false;
    try {
        return session->dispatchMsgEvent(target, event);
    } catch (...) {
        kit::reportException(std::current_exception(), qobject_cast<QWidget*>(target));
        return true;
    }
}

}  // namespace shell
