#pragma once
// A test's application server as the screens and the business library meet
// it: the host's lookup connection on the test database, and on request a
// server with login and every business module, reached in process or over
// HTTP with a session of the chosen operator. Calls made in process are
// recorded by method name, so a test can tell that nothing reached the server.
//
//   HostServerFixture server(database());
//   server.useServer(Transport::InProcess, world.buyer, "Comprador Um");
//   ... run the screen ...
//   EXPECT_EQ(server.callCount("GetAutoForne"), 1);
#include "platform/db/database.h"
#include "platform/server/modules/application_server.h"
#include "platform/server/rpc_http_server.h"

#include <QtCore/QStringList>

#include <memory>
#include <mutex>

namespace platform::server::modules::testing {

enum class Transport { InProcess, Http };

class HostServerFixture {
public:
    // Installs the host's lookup connection on `db`; the destructor removes it
    // together with the server access and stops the HTTP server.
    explicit HostServerFixture(afdb::Database& db);
    ~HostServerFixture();
    HostServerFixture(const HostServerFixture&) = delete;
    HostServerFixture& operator=(const HostServerFixture&) = delete;

    // Starts the server on first use, opens a session for the operator (a new
    // one when the operator changes) and points the host's server access at it.
    void useServer(Transport transport, const QString& operatorCode, const QString& operatorName = {});

    ModuleRegistry& registry() { return server().registry(); }
    Dispatcher& dispatcher() { return server().dispatcher(); }
    SessionManager& sessions() { return server().sessions(); }
    const QString& token() const { return m_token; }

    // In-process calls so far, as "method" names in call order.
    QStringList calls() const;
    int callCount(const QString& method) const;
    void clearCalls();

private:
    // Built on first use.
    ApplicationServer& server();

    afdb::Database& m_db;
    std::unique_ptr<ApplicationServer> m_server;
    std::unique_ptr<RpcHttpServer> m_http;
    QString m_token;
    QString m_operator;
    mutable std::mutex m_callsMutex;
    QStringList m_calls;
};

}  // namespace platform::server::modules::testing
