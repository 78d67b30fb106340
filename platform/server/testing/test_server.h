#pragma once
// A complete server for tests: the operator database, sessions on a clock the
// test moves, login, the echo module, the dispatcher, and on request the HTTP
// server on an ephemeral port of 127.0.0.1.
#include "echo_module.h"
#include "operator_db.h"

#include "platform/server/authenticator.h"
#include "platform/server/credential_store.h"
#include "platform/server/database_provider.h"
#include "platform/server/dispatcher.h"
#include "platform/server/rpc_http_server.h"

#include "host/remote/remote_connection.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace platform::server::testing {

enum class Transport { InProcess, Http };

struct TestServerOptions {
    host::RpcLimits limits;
    int threads = 4;
    std::chrono::minutes idleTimeout{60};
    std::chrono::milliseconds failureDelay{20};
    ThrottleLimits perOperator = AuthOptions{}.perOperator;
    ThrottleLimits perAddress = AuthOptions{}.perAddress;
    int maxConcurrentHashes = 4;
};

class TestServer {
public:
    explicit TestServer(TestServerOptions options = {});
    ~TestServer();

    int startHttp();  // returns the port
    void advanceClock(std::chrono::minutes by) { m_clockOffset += by.count(); }

    // A connection to module over the transport; its before-connect hook sets
    // host, port and token the way the host session does.
    std::unique_ptr<host::RemoteConnection> connect(const QString& module, Transport transport,
                                                    const QString& token = {});
    // Logs ANA in (once per server) and returns the token.
    QString anaToken();

    OperatorDb db;
    QtSqlDatabaseProvider provider;
    ModuleRegistry registry;
    SessionManager sessions;
    SqlCredentialStore credentials;
    Authenticator auth;
    Dispatcher dispatcher;
    std::unique_ptr<RpcHttpServer> http;
    HttpServerOptions httpOptions;  // host and port are always 127.0.0.1 and a free port

private:
    std::atomic<qint64> m_clockOffset{0};  // minutes
    std::mutex m_httpMutex;
    QString m_anaToken;
};

}  // namespace platform::server::testing
