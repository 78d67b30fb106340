#include "platform/shell/window_geometry.h"

#include <QtWidgets/QMainWindow>

namespace shell {

void showMainWindow(QMainWindow& window, const QByteArray& savedGeometry) {
    if (!savedGeometry.isEmpty() && window.restoreGeometry(savedGeometry)) {
        window.show();
        return;
    }
    window.showMaximized();
}

}  // namespace shell
