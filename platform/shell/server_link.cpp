#include "platform/shell/server_link.h"

#include "host/remote/http_transport.h"
#include "host/remote/in_process_transport.h"

#include <QtCore/QDebug>

namespace shell {

ServerLink ServerLink::inProcess(host::RpcRequestHandler handler) {
    ServerLink link;
    link.m_handler = std::move(handler);
    return link;
}

ServerLink ServerLink::remote(ServerAddress address) {
    ServerLink link;
    link.m_address = std::move(address);
    return link;
}

QString ServerLink::description() const {
    return m_address ? m_address->text() : QStringLiteral("servidor embutido");
}

std::unique_ptr<host::RemoteTransport> ServerLink::transport() const {
    if (m_address) return std::make_unique<host::HttpTransport>();
    return std::make_unique<host::InProcessTransport>(m_handler);
}

void ServerLink::apply(host::RemoteConnection& connection, const QString& token) const {
    connection.setTransport(transport());
    connection.setHost(webUrl());
    connection.setPort(webPort());
    connection.setSessionToken(token);
}

host::ServerAccess ServerLink::access(const QString& token) const {
    return [link = *this, token](host::RemoteConnection& connection) { link.apply(connection, token); };
}

host::RemoteLogin ServerLink::logIn(const QString& operatorCode, const QString& password) const {
    host::RemoteConnection connection(host::names::session::module);
    apply(connection, {});
    return connection.login(operatorCode, password);
}

void ServerLink::logOut(const QString& token) const noexcept {
    if (token.isEmpty()) return;
    try {
        host::RemoteConnection connection(host::names::session::module);
        apply(connection, token);
        connection.logout();
    } catch (const std::exception& e) {
        qWarning().noquote() << "afhost: a sessão não foi encerrada no servidor:" << QString::fromUtf8(e.what());
    }
}

}  // namespace shell
