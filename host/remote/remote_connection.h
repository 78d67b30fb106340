#pragma once
// A screen's connection to one module of the application server (the `net...`
// components: netLancaAutoF bound to "Cmp03900.rdmLancaAutoF", ...).
//
// Before it opens, the before-connect hook runs: the host session sets the
// server's host and port (WebURL/WebPort), the session token and, for the
// embedded server, an in-process transport. Without a transport of its own the
// connection uses HTTP. Calls are synchronous on the caller's thread; one
// connection is used by one thread at a time.
//
// A connection never throws for transport trouble: an unreachable server, a
// timeout or a garbled answer become a failed RemoteResult, which
// CheckResultServ raises with its message.
#include "remote_call.h"
#include "remote_names.h"
#include "remote_transport.h"

#include <QtCore/QString>
#include <functional>
#include <memory>
#include <vector>

namespace host {

struct RemoteLogin {
    QString token;
    QString operatorCode;  // as the server has it
    QString operatorName;
};

class RemoteConnection {
public:
    using BeforeConnect = std::function<void(RemoteConnection&)>;

    explicit RemoteConnection(QString moduleName, std::unique_ptr<RemoteTransport> transport = nullptr);
    ~RemoteConnection();
    RemoteConnection(const RemoteConnection&) = delete;
    RemoteConnection& operator=(const RemoteConnection&) = delete;

    const QString& moduleName() const { return m_module; }

    void setBeforeConnect(BeforeConnect hook) { m_beforeConnect = std::move(hook); }
    void setHost(const QString& host) { m_host = host; }
    void setPort(int port) { m_port = port; }
    const QString& host() const { return m_host; }
    int port() const { return m_port; }
    void setSessionToken(const QString& token) { m_token = token; }
    const QString& sessionToken() const { return m_token; }
    // Takes effect at the next open.
    void setTransport(std::unique_ptr<RemoteTransport> transport);

    // Runs the before-connect hook and prepares the transport. Does no I/O.
    void open();
    void close();
    bool isOpen() const { return m_open; }

    // Calls a method of this connection's module; opens the connection first
    // when it is closed. By-reference variables are written only on success.
    RemoteResult call(const QString& method, std::vector<RemoteArg> args = {});

    // Logs in on the session module of the server this connection points at
    // and carries the token from then on. Throws UserError with the server's
    // message ("Operador ou senha inválidos.") or the transport's.
    RemoteLogin login(const QString& operatorCode, const QString& password);
    // Ends the session on the server and forgets the token. Throws UserError
    // when the server refuses.
    void logout();

private:
    RemoteResult invoke(const QString& module, const QString& method, std::vector<RemoteArg>& args);

    QString m_module;
    QString m_host = QStringLiteral("127.0.0.1");
    int m_port = 8211;
    QString m_token;
    BeforeConnect m_beforeConnect;
    std::unique_ptr<RemoteTransport> m_transport;
    bool m_open = false;
};

}  // namespace host
