#include "platform/shell/window_geometry.h"

#include <QtCore/QSettings>
#include <QtWidgets/QMainWindow>

namespace shell {
namespace {

const QString kGeometryKey = QStringLiteral("janela/geometria");

}  // namespace

void showMainWindow(QMainWindow& window, const QString& configFile) {
    const QSettings settings(configFile, QSettings::IniFormat);
    const QByteArray saved = settings.value(kGeometryKey).toByteArray();
    if (!saved.isEmpty() && window.restoreGeometry(saved)) {
        window.show();
        return;
    }
    window.showMaximized();
}

void rememberMainWindow(const QMainWindow& window, const QString& configFile) {
    QSettings settings(configFile, QSettings::IniFormat);
    settings.setValue(kGeometryKey, window.saveGeometry());
}

}  // namespace shell
