#pragma once
// How this shell reaches its application server: in process (the embedded
// server) or over HTTP (a remote afserver). The same link logs the operator in
// and then points every connection of the screens at the server with the
// session's token.
#include "platform/shell/server_address.h"

#include "host/remote/remote_connection.h"
#include "host/remote/remote_transport.h"
#include "host/remote/server_access.h"

#include <optional>

namespace shell {

class ServerLink {
public:
    static ServerLink inProcess(host::RpcRequestHandler handler);
    static ServerLink remote(ServerAddress address);

    bool embedded() const { return !m_address; }
    // The session's WebURL and WebPort: empty and 0 for the embedded server.
    QString webUrl() const { return m_address ? m_address->host : QString(); }
    int webPort() const { return m_address ? m_address->port : 0; }
    // "servidor embutido" or "host:porta", for the window's status line.
    QString description() const;

    // Gives the connection this link's transport, host, port and token.
    void apply(host::RemoteConnection& connection, const QString& token) const;
    // What the shell installs with host::setServerAccess after login.
    host::ServerAccess access(const QString& token) const;

    // Throws host::UserError with the server's message ("Operador ou senha
    // inválidos.") or the transport's.
    host::RemoteLogin logIn(const QString& operatorCode, const QString& password) const;
    // Ends the session; a failure only goes to the log (the program is leaving).
    void logOut(const QString& token) const noexcept;

private:
    ServerLink() = default;
    std::unique_ptr<host::RemoteTransport> transport() const;

    host::RpcRequestHandler m_handler;
    std::optional<ServerAddress> m_address;
};

}  // namespace shell
