#include "library_test_support.h"

#include "platform/security/password_hash.h"

namespace platform::library::testing {

namespace {

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
    serverFixture = std::make_unique<server::modules::testing::HostServerFixture>(database());
    library = std::make_shared<AfBusinessLibrary>();
    host::setBusinessLibrary(library);
}

void LibraryTest::TearDown() {
    serverFixture.reset();
    host::setBusinessLibrary(nullptr);
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
    serverFixture->useServer(transport, world.operatorCode, QStringLiteral("Operador Um"));
    token = serverFixture->token();
}

}  // namespace platform::library::testing
