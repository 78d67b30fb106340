#pragma once
// The main window's place and size, kept in afhost.conf ([janela] geometria)
// between starts (Qt brings a place no screen shows any more back onto one).
// The first start opens it maximised: a fixed size may be larger than the
// user's screen.
class QMainWindow;
class QString;

namespace shell {

// Shows the window where it was left, else maximised.
void showMainWindow(QMainWindow& window, const QString& configFile);
// Remembers where the window is now (also after it was closed).
void rememberMainWindow(const QMainWindow& window, const QString& configFile);

}  // namespace shell
