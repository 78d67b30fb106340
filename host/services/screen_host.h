#pragma once
// The shell's window, as the screens of a deliverable see it: modal dialogs
// open above the main window, and child screens (the AF workspace, the bulk
// alteration) are shown inside it. The shell installs it; tests install one
// that shows screens as plain top-level windows.
#include <memory>

class QWidget;

namespace host {

class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    // Parent for modal dialogs; may be null (no main window).
    virtual QWidget* mainWindow() = 0;
    // Shows a screen as a child window of the shell and brings it to the front;
    // showing one already shown only activates it. The shell owns the window
    // frame; the screen is deleted when its window closes if it asked for
    // Qt::WA_DeleteOnClose.
    virtual void showScreen(QWidget* screen) = 0;
};

// The host in use. Throws DataError when none is installed.
ScreenHost& screenHost();
void setScreenHost(std::shared_ptr<ScreenHost> host);

}  // namespace host
