#include "screen_keys.h"

#include "db_edit.h"
#include "db_grid.h"
#include "guard.h"
#include "host/data/data_locale.h"
#include "host/data/field.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>

namespace kit {

ScreenKeys::ScreenKeys(QWidget* screen) : QObject(screen), m_screen(screen) { qApp->installEventFilter(this); }

ScreenKeys::~ScreenKeys() {
    if (qApp) qApp->removeEventFilter(this);
}

bool ScreenKeys::concerns(QWidget* focused) const {
    return m_screen && focused && m_screen->isAncestorOf(focused) && m_screen->window()->isActiveWindow();
}

bool ScreenKeys::floatTarget(QWidget* focused) {
    for (QWidget* w = focused; w; w = w->parentWidget()) {
        if (auto* edit = dynamic_cast<DBEdit*>(w)) {
            const host::Field* f = edit->field();
            return f && f->type() == host::FieldType::Float;
        }
        if (auto* grid = dynamic_cast<DBGrid*>(w)) {
            const host::Field* f = grid->selectedField();
            return f && f->type() == host::FieldType::Float && grid->dataset() && !grid->dataset()->isEmpty();
        }
    }
    return false;
}

bool ScreenKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* focused = qobject_cast<QWidget*>(watched);
    if (!focused || focused != QApplication::focusWidget() || !concerns(focused)) return false;
    auto* k = static_cast<QKeyEvent*>(event);

    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & Qt::ControlModifier)) {
        for (const auto& except : m_exceptions)
            if (except && (except == focused || except->isAncestorOf(focused))) return false;
        bool turn = false;
        guard(focused, [&] { turn = enterAsTab && enterAsTab(); });
        if (!turn) return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, k->modifiers() & Qt::ShiftModifier);
        QCoreApplication::sendEvent(focused, &tab);
        return true;
    }

    // The period key and the keypad's decimal key both arrive as Key_Period.
    if (decimalComma && k->key() == Qt::Key_Period && host::dataLocale().decimalSeparator == u',' &&
        floatTarget(focused)) {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, k->modifiers(), QStringLiteral(","));
        QCoreApplication::sendEvent(focused, &comma);
        return true;
    }
    return false;
}

}  // namespace kit
