#include "host_server_fixture.h"

#include "host/lookup/host_database.h"
#include "host/remote/http_transport.h"
#include "host/remote/in_process_transport.h"
#include "host/remote/rpc_codec.h"
#include "host/remote/server_access.h"

namespace platform::server::modules::testing {

namespace {

class TestHostDatabase : public host::HostDatabase {
public:
    explicit TestHostDatabase(afdb::Database& db) : m_db(db) {}
    QSqlDatabase database() override { return m_db.connection(); }
    host::SqlDialect dialect() const override { return m_db.dialect(); }

private:
    afdb::Database& m_db;
};

}  // namespace

HostServerFixture::HostServerFixture(afdb::Database& db) : m_db(db) {
    host::setHostDatabase(std::make_shared<TestHostDatabase>(db));
}

HostServerFixture::~HostServerFixture() {
    host::setServerAccess(nullptr);
    if (m_http) m_http->stop();
    m_http.reset();
    host::setHostDatabase(nullptr);
}

ApplicationServer& HostServerFixture::server() {
    if (!m_server) m_server = std::make_unique<ApplicationServer>(m_db, AuthOptions{std::chrono::milliseconds(30), 4});
    return *m_server;
}

void HostServerFixture::useServer(Transport transport, const QString& operatorCode, const QString& operatorName) {
    if (m_token.isEmpty() || m_operator != operatorCode) {
        m_token = sessions().open({operatorCode, operatorName.isEmpty() ? operatorCode : operatorName});
        m_operator = operatorCode;
    }
    int port = 0;
    if (transport == Transport::Http) {
        if (!m_http) {
            const HttpServerOptions options{.port = 0, .threads = 2};
            m_http = std::make_unique<RpcHttpServer>(dispatcher(), options);
            m_http->start();
        }
        port = m_http->port();
    }
    const host::RpcRequestHandler dispatch = dispatcher().requestHandler();
    const host::RpcRequestHandler recorded = [this, dispatch](const QByteArray& request) {
        QString method;
        try {
            method = host::decodeRequest(request).method;
        } catch (const std::exception&) {
            method = QStringLiteral("(pedido ilegível)");
        }
        {
            const std::lock_guard lock(m_callsMutex);
            m_calls << method;
        }
        return dispatch(request);
    };
    host::setServerAccess([transport, port, recorded, token = m_token](host::RemoteConnection& c) {
        if (transport == Transport::Http) c.setTransport(std::make_unique<host::HttpTransport>());
        else c.setTransport(std::make_unique<host::InProcessTransport>(recorded));
        c.setHost(QStringLiteral("127.0.0.1"));
        c.setPort(port);
        c.setSessionToken(token);
    });
}

QStringList HostServerFixture::calls() const {
    const std::lock_guard lock(m_callsMutex);
    return m_calls;
}

int HostServerFixture::callCount(const QString& method) const {
    const std::lock_guard lock(m_callsMutex);
    return int(m_calls.count(method));
}

void HostServerFixture::clearCalls() {
    const std::lock_guard lock(m_callsMutex);
    m_calls.clear();
}

}  // namespace platform::server::modules::testing
