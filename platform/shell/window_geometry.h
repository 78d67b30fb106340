#pragma once
// The main window at the start: where it was left (ShellConfig::windowGeometry;
// Qt brings a place no screen shows any more back onto one), else maximised,
// as a fixed size may be larger than the user's screen.
#include <QtCore/QByteArray>

class QMainWindow;

namespace shell {

void showMainWindow(QMainWindow& window, const QByteArray& savedGeometry);

}  // namespace shell
