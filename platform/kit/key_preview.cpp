#include "key_preview.h"

#include "guard.h"
#include "lookup_button.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace kit {

KeyPreview::KeyPreview(QWidget* screen, Handler handler)
    : QObject(screen), m_screen(screen), m_handler(std::move(handler)) {
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    if (qApp) qApp->removeEventFilter(this);
}

bool KeyPreview::concerns(QObject* watched) const {
    if (!m_screen || !m_screen->window()->isActiveWindow()) return false;
    QWidget* focused = QApplication::focusWidget();
    // A key reaches the focused control first and then travels up to its parents:
    // only its first delivery counts, so the screen sees each key once.
    if (focused) return watched == focused && m_screen->isAncestorOf(focused);
    return watched == m_screen || watched == m_screen->window();
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !m_handler || !concerns(watched)) return false;
    bool handled = false;
    auto* key = static_cast<QKeyEvent*>(event);
    // A handler that failed took the key for itself: it must not reach the control as well.
    if (!guard(m_screen, [&] { handled = m_handler(key); })) return true;
    return handled;
}

bool standardPreviewKeys(QWidget* screen, QKeyEvent* event) {
    if (!screen || event->key() != Qt::Key_F9 || event->modifiers() != Qt::NoModifier) return false;
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!edit) return false;
    // The lookup button has no meta-object of its own: look among the tool buttons.
    for (QToolButton* candidate : screen->findChildren<QToolButton*>()) {
        auto* button = dynamic_cast<TBtnPesquisa*>(candidate);
        if (button && button->edit() == edit && button->handleKey(event)) return true;
    }
    return false;
}

}  // namespace kit
