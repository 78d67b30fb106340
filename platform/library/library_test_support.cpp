#include "library_test_support.h"

#include "platform/security/password_hash.h"
#include "platform/server/modules/cust_prod_module.h"

#include "host/lookup/host_database.h"
#include "host/remote/http_transport.h"
#include "host/remote/in_process_transport.h"
#include "host/remote/server_access.h"

namespace platform::library::testing {

namespace {

class TestHostDatabase : public host::HostDatabase {
public:
    explicit TestHostDatabase(afdb::Database& db) : m_db(db) {}
    QSqlDatabase database() override { return m_db.connection(); }
    host::SqlDialect dialect() const override { return m_db.dialect(); }

private:
    afdb::Database& m_db;
};

const QString& hashOf(const QString& password) {
    static const QString buyer = security::hashPassword(kBuyerPassword);
    static const QString operador = security::hashPassword(kOperatorPassword);
    return password == kBuyerPassword ? buyer : operador;
}

}  // namespace

void LibraryTest::SetUp() {
    MigratedEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    world = afdb::testing::seedMinimalWorld(connection());
    services = std::make_unique<host::test::TestServices>();
    host::setHostDatabase(std::make_shared<TestHostDatabase>(database()));
    library = std::make_shared<AfBusinessLibrary>();
    host::setBusinessLibrary(library);
}

void LibraryTest::TearDown() {
    host::setServerAccess(nullptr);
    if (http) http->stop();
    http.reset();
    host::setBusinessLibrary(nullptr);
    host::setHostDatabase(nullptr);
    services.reset();
    MigratedEngineTest::TearDown();
}

void LibraryTest::storePasswords() {
    const QSqlDatabase db = connection();
    afdb::exec(db, QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = :H WHERE CDOPERADOR = :OP"),
               {{"H", hashOf(kBuyerPassword)}, {"OP", world.buyer}});
    afdb::exec(db, QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = :H WHERE CDOPERADOR = :OP"),
               {{"H", hashOf(kOperatorPassword)}, {"OP", world.operatorCode}});
}

void LibraryTest::addProduct(const QString& code, const QString& tree, const QString& name,
                             const QVariant& stockProduct) {
    const int level = tree.size() <= 2 ? 1 : tree.size() <= 4 ? 2 : 3;
    afdb::testing::insertRow(connection(), "PRODUTO",
                             {{"CDPRODUTO", code},
                              {"CDARVPROD", tree},
                              {"NMPRODUTO", name},
                              {"SGUNIDADE", "UN"},
                              {"CDNVPRODUTO", QStringLiteral("%1").arg(level, 2, 10, QLatin1Char('0'))},
                              {"CDPRODESTO", stockProduct}});
}

void LibraryTest::useServer(Transport transport) {
    if (!dispatcher) {
        provider = std::make_unique<server::modules::AfdbDatabaseProvider>(database());
        credentials = std::make_unique<server::SqlCredentialStore>(*provider);
        auth = std::make_unique<server::Authenticator>(*credentials, sessions,
                                                       server::AuthOptions{std::chrono::milliseconds(30), 4});
        auth->registerModule(registry);
        server::modules::registerCustProd(registry);
        dispatcher = std::make_unique<server::Dispatcher>(registry, sessions, provider.get());
        token = sessions.open({world.operatorCode, QStringLiteral("Operador Um")});
    }
    int port = 0;
    if (transport == Transport::Http) {
        if (!http) {
            const server::HttpServerOptions options{.port = 0, .threads = 2};
            http = std::make_unique<server::RpcHttpServer>(*dispatcher, options);
            http->start();
        }
        port = http->port();
    }
    const host::RpcRequestHandler handler = dispatcher->requestHandler();
    host::setServerAccess([transport, port, handler, token = token](host::RemoteConnection& c) {
        if (transport == Transport::Http) c.setTransport(std::make_unique<host::HttpTransport>());
        else c.setTransport(std::make_unique<host::InProcessTransport>(handler));
        c.setHost(QStringLiteral("127.0.0.1"));
        c.setPort(port);
        c.setSessionToken(token);
    });
}

}  // namespace platform::library::testing
