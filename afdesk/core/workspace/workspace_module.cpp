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

int availableHeight() {
    const WorkspaceModuleState& s = workspaceState();
    if (s.displayHeight) return s.displayHeight();
    QWidget* main = host::screenHost().mainWindow();
    QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : 0;
}

}  // namespace

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
    if (availableHeight() == 480) w->frame()->showMaximized();
}

}  // namespace afdesk
