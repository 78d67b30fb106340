#include "host/remote/server_access.h"

#include "host/data/errors.h"

namespace host {
namespace {

ServerAccess& installed() {
    static ServerAccess access;
    return access;
}

}  // namespace

void setServerAccess(ServerAccess access) { installed() = std::move(access); }

void bindToServer(RemoteConnection& connection) {
    connection.setBeforeConnect([](RemoteConnection& c) {
        const ServerAccess& access = installed();
        if (!access) throw DataError(QStringLiteral("Nenhum acesso ao servidor de aplicação instalado."));
        access(c);
    });
}

}  // namespace host
