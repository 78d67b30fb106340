#pragma once
// `Lib00700.CriaConfSenha`: another operator's password confirmed by the
// server's session module, so no password hash ever reaches the client.
#include <QtCore/QString>

namespace platform::library {

// See BusinessLibrary::CriaConfSenha.
bool confirmPassword(const QString& operatorCode, const QString& caption, const QString& label);

}  // namespace platform::library
