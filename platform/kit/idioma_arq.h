#pragma once
// The language of the files the system generates for suppliers: the text value
// "IdiomaArq" under the machine-wide key
// "Software\VEXMOOR\Sistemas Integrados Vexmoor\WebCli".
//
// On Windows that is the registry (HKEY_LOCAL_MACHINE, QSettings::NativeFormat);
// elsewhere the machine-wide INI file of the same organisation and product,
// QSettings::IniFormat in QSettings::SystemScope:
// /etc/xdg/VEXMOOR/Sistemas Integrados Vexmoor.ini, section [WebCli], key IdiomaArq.
// Both are read as "WebCli/IdiomaArq" below "Software\VEXMOOR\Sistemas Integrados Vexmoor".
#include <QtCore/QString>
#include <memory>

class QSettings;

namespace kit {

// The machine-wide settings holding the value.
std::unique_ptr<QSettings> openMachineSettings();

// The value, trimmed; empty when missing or blank (callers pick their default, "POR").
QString idiomaArq();
// The same value read from the given settings (rooted where openMachineSettings() is).
QString idiomaArq(const QSettings& settings);

}  // namespace kit
