#pragma once
// The workspace's entry point and its module-wide state, which lives while the
// library is loaded: one workspace at a time, created by CriaLancaAutoF and
// shown again by later calls.
#include <QtCore/QPointer>
#include <functional>

namespace afdesk {

class LancaAutoF;

struct DisplayHeights {
    int whole = 0;      // the display's own height
    int available = 0;  // less what panels and taskbars take
};
// The screen opens maximised on a display exactly 480 pixels high.
bool opensMaximised(const DisplayHeights& display);

struct WorkspaceModuleState {
    bool boStCriado = false;      // a workspace screen exists
    bool boTstEventForm = false;  // the message hook is suspended (set at close)
    bool boParameter = false;     // a destination branch is being added (Parametros)
    QPointer<LancaAutoF> screen;
    // The heights of the display the workspace opens on (unset: the main
    // window's screen). A display 480 pixels high opens it maximised, whatever
    // a taskbar takes of it.
    std::function<DisplayHeights()> display;
};
WorkspaceModuleState& workspaceState();
// Back to a freshly loaded library (tests).
void resetWorkspaceState();

// Opens the workspace: creates it when none exists (hourglass meanwhile),
// shows it as a child window of the shell and brings it to the front.
void CriaLancaAutoF();
// The workspace, or null when none is open.
LancaAutoF* lancaAutoF();

}  // namespace afdesk
