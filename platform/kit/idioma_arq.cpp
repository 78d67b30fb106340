#include "idioma_arq.h"

#include <QtCore/QSettings>

namespace kit {

std::unique_ptr<QSettings> openMachineSettings() {
#ifdef Q_OS_WIN
    const QSettings::Format format = QSettings::NativeFormat;
#else
    const QSettings::Format format = QSettings::IniFormat;
#endif
    return std::make_unique<QSettings>(format, QSettings::SystemScope, QStringLiteral("VEXMOOR"),
                                       QStringLiteral("Sistemas Integrados Vexmoor"));
}

QString idiomaArq() { return idiomaArq(*openMachineSettings()); }

QString idiomaArq(const QSettings& settings) {
    return settings.value(QStringLiteral("WebCli/IdiomaArq")).toString().trimmed();
}

}  // namespace kit
