#pragma once
// How the screens' connections reach the application server. The shell sets
// the access at login: host and port of the server (or an in-process
// transport for the embedded one) and the session token. A screen binds each
// of its connections with `bindToServer`; the access is applied every time the
// connection opens, so a connection made before login works after it.
#include "host/remote/remote_connection.h"

#include <functional>

namespace host {

using ServerAccess = std::function<void(RemoteConnection&)>;

void setServerAccess(ServerAccess access);
// Makes the connection's before-connect hook apply the installed access.
// Opening it while none is installed throws DataError.
void bindToServer(RemoteConnection& connection);

}  // namespace host
