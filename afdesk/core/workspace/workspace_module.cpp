#include "afdesk/core/workspace/workspace_module.h"

#include "afdesk/core/workspace/lanca_autof.h"

#include "host/services/screen_host.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

namespace afdesk {

namespace {

class HourGlass {
public:
    HourGlass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourGlass() { QApplication::restoreOverrideCursor(); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;
};

DisplayHeights displayHeights() {
    const WorkspaceModuleState& s = workspaceState();
    if (s.display) return s.display();
    QWidget* main = host::screenHost().mainWindow();
    QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    return {screen->geometry().height(), screen->availableGeometry().height()};
}

}  // namespace

bool opensMaximised(const DisplayHeights& display) { return display.whole == 480; }

WorkspaceModuleState& workspaceState() {
    static WorkspaceModuleState state;
    return state;
}

void resetWorkspaceState() {
    WorkspaceModuleState& s = workspaceState();
    delete s.screen.data();
    s = WorkspaceModuleState{};
}

LancaAutoF* lancaAutoF() { return workspaceState().screen.data(); }

void CriaLancaAutoF() {
    const HourGlass busy;
    WorkspaceModuleState& s = workspaceState();
    // A screen deleted without closing (its window destroyed) leaves the flag behind.
    if (!s.boStCriado || !s.screen) {
        s.screen = new LancaAutoF();
        s.boStCriado = true;
    }
    LancaAutoF* w = s.screen;
    host::screenHost().showScreen(w);
    w->update();
    if (opensMaximised(displayHeights())) w->frame()->showMaximized();
}

}  // namespace afdesk
