#include "afdesk/core/workspace/workspace_keys.h"

#include "afdesk/core/workspace/workspace_state.h"

#include "platform/kit/db_grid.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>

namespace afdesk {

namespace {

bool isCtrl(const QKeyEvent* e, Qt::Key key) {
    return e->key() == key && (e->modifiers() & Qt::ControlModifier);
}

// The next usable tab in that direction, or the active one when there is none.
WorkspaceTab neighbour(const LancaAutoF& w, int step) {
    for (int i = int(w.activeTab()) + step; i >= 0 && i < kWorkspaceTabCount; i += step) {
        const auto tab = WorkspaceTab(i);
        if (w.isTabEnabled(tab) && w.isTabVisible(tab)) return tab;
    }
    return w.activeTab();
}

}  // namespace

bool workspaceKeyPreview(LancaAutoF& w, QKeyEvent* event) {
    if (isCtrl(event, Qt::Key_Return) || isCtrl(event, Qt::Key_Enter)) {
        if (!w.state().dtsPadrao.editing()) return false;
        const bool inserting = w.state().dtsPadrao.state() == host::DatasetState::Insert;
        if (w.press(kit::StandardGridScreen::Tool::Confirmar) && inserting)
            w.press(kit::StandardGridScreen::Tool::Incluir);
        return true;
    }
    if (isCtrl(event, Qt::Key_Right) || isCtrl(event, Qt::Key_Left)) {
        QWidget* focused = QApplication::focusWidget();
        if (focused && w.isAncestorOf(focused)) return false;
        const WorkspaceTab to = neighbour(w, event->key() == Qt::Key_Right ? 1 : -1);
        if (to != w.activeTab()) w.selectTab(to, true, true);
        return true;
    }
    return false;
}

void installGridKeys(LancaAutoF& w) {
    w.state().DBGrid1->onKeyDown = [&w](QKeyEvent* e) {
        if (isCtrl(e, Qt::Key_Delete)) return true;
        if (isCtrl(e, Qt::Key_Right)) {
            if (w.isTabEnabled(WorkspaceTab::AF)) w.selectTab(WorkspaceTab::AF, true, true);
            return true;
        }
        return false;
    };
    w.state().dbgAutoForne->onKeyDown = [](QKeyEvent* e) { return isCtrl(e, Qt::Key_Delete); };
}

}  // namespace afdesk
