#include "afdesk/core/workspace/message_filter.h"

#include "afdesk/core/workspace/workspace_state.h"

#include "host/data/data_locale.h"
#include "host/services/session.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_memo.h"

#include <QtCore/QPointer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

namespace afdesk {

namespace {

bool isActiveScreen(const LancaAutoF& w) {
    if (!w.window()->isActiveWindow()) return false;
    auto* frame = qobject_cast<QMdiSubWindow*>(w.parentWidget());
    if (!frame) return true;
    QMdiArea* area = frame->mdiArea();
    return !area || area->activeSubWindow() == frame;
}

// The header or a table the user enters rows in is being edited.
bool anyEditing(LancaAutoF& w) {
    for (const host::Dataset* ds :
         w.partDatasets([](const AfPartDef& def) { return def.part == AfPart::Header || def.userTable; }))
        if (ds->editing()) return true;
    return false;
}

bool isFloat(const host::Field* f) { return f && f->type() == host::FieldType::Float; }

// The focused control, or the grid whose cell editor has the focus.
bool floatTarget(QWidget* focused) {
    for (QWidget* w = focused; w; w = w->parentWidget()) {
        if (auto* edit = dynamic_cast<kit::DBEdit*>(w)) return isFloat(edit->field());
        if (auto* grid = dynamic_cast<kit::DBGrid*>(w))
            return grid->dataset() && !grid->dataset()->isEmpty() && isFloat(grid->selectedField());
    }
    return false;
}

bool inObservation(const LancaAutoF& w, QWidget* focused) {
    const QWidget* memo = w.state().dbmObservacao;
    return memo && (focused == memo || memo->isAncestorOf(focused));
}

}  // namespace

bool workspaceMessageFilter(LancaAutoF& w, QObject* target, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    QWidget* focused = QApplication::focusWidget();
    // A key travels from the focused control up to its parents: only its first delivery counts.
    if (!focused || target != focused || !w.isAncestorOf(focused) || !isActiveScreen(w)) return false;
    const auto* key = static_cast<QKeyEvent*>(event);

    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !(key->modifiers() & Qt::ControlModifier)) {
        if (!anyEditing(w) || inObservation(w, focused)) return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, key->modifiers() & Qt::ShiftModifier);
        QCoreApplication::sendEvent(focused, &tab);
        return true;
    }
    // The period key and the keypad's decimal key both arrive as Key_Period.
    if (key->key() == Qt::Key_Period && host::dataLocale().decimalSeparator == u',' && floatTarget(focused)) {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), QStringLiteral(","));
        QCoreApplication::sendEvent(focused, &comma);
        return true;
    }
    return false;
}

void installMessageFilter(LancaAutoF& w) {
    QPointer<LancaAutoF> screen(&w);
    host::session().setMsgEventForm(&w, [screen](QObject* target, QEvent* event) {
        return screen && workspaceMessageFilter(*screen, target, event);
    });
}

void removeMessageFilter(LancaAutoF& w) { host::session().clearMsgEventForm(&w); }

}  // namespace afdesk
