#include "test_server.h"

#include "host/remote/http_transport.h"
#include "host/remote/in_process_transport.h"

#include <stdexcept>

namespace platform::server::testing {

TestServer::TestServer(TestServerOptions options)
    : provider(QtSqlDatabaseProvider::sqlite(db.path())),
      sessions(SessionOptions{options.idleTimeout, 10'000},
               [this] { return std::chrono::steady_clock::now() + std::chrono::minutes(m_clockOffset.load()); }),
      credentials(provider),
      auth(credentials, sessions,
           AuthOptions{options.failureDelay, options.maxConcurrentHashes, options.perOperator, options.perAddress}),
      dispatcher(registry, sessions, &provider, options.limits) {
    auth.registerModule(registry);
    registerEchoModule(registry);
    httpOptions.threads = options.threads;
}

TestServer::~TestServer() {
    if (http) http->stop();
    http.reset();
}

int TestServer::startHttp() {
    std::lock_guard lock(m_httpMutex);  // client threads may be the first to ask
    if (!http) {
        HttpServerOptions o = httpOptions;
        o.host = QStringLiteral("127.0.0.1");
        o.port = 0;
        http = std::make_unique<RpcHttpServer>(dispatcher, o);
        http->start();
    }
    return http->port();
}

std::unique_ptr<host::RemoteConnection> TestServer::connect(const QString& module, Transport transport,
                                                            const QString& token) {
    std::unique_ptr<host::RemoteTransport> t;
    int port = 0;
    if (transport == Transport::Http) {
        port = startHttp();
        t = std::make_unique<host::HttpTransport>();
    } else {
        t = std::make_unique<host::InProcessTransport>(dispatcher.requestHandler());
    }
    auto conn = std::make_unique<host::RemoteConnection>(module, std::move(t));
    conn->setBeforeConnect([port, token](host::RemoteConnection& c) {
        c.setHost(QStringLiteral("127.0.0.1"));
        c.setPort(port);
        c.setSessionToken(token);
    });
    return conn;
}

QString TestServer::anaToken() {
    if (m_anaToken.isEmpty()) {
        auto conn = connect(host::names::session::module, Transport::InProcess);
        m_anaToken = conn->login(QStringLiteral("ANA"), QStringLiteral("segredo")).token;
    }
    return m_anaToken;
}

}  // namespace platform::server::testing
