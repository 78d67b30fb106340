#pragma once
// host::ScreenHost over the main window's MDI area: a screen becomes a child
// window once; showing it again brings that window back and activates it.
// A screen that asked for Qt::WA_DeleteOnClose goes with its window; any other
// is only hidden, to be shown again later. A screen its owner deletes takes its
// window along.
#include "host/services/screen_host.h"

#include <QtCore/QPointer>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace shell {

class MdiScreenHost : public host::ScreenHost {
public:
    MdiScreenHost(QMainWindow* window, QMdiArea* area);

    QWidget* mainWindow() override;
    // Throws host::DataError for a null screen or when the window is gone.
    void showScreen(QWidget* screen) override;

    // The child window showing the screen, or null.
    QMdiSubWindow* frameOf(const QWidget* screen) const;

private:
    QPointer<QMainWindow> m_window;
    QPointer<QMdiArea> m_area;
};

}  // namespace shell
