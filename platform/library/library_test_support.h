#pragma once
// The fixture of the library's tests, on each engine: the migrated schema with
// the minimal world, the test host services (scripted dialogs, recording
// progress, test session with the product picture "!99.99.999;0;_"), the
// host's lookup connection on the test database, the library installed, and
// on request an application server with login and every business module,
// reached in process or over HTTP as the world's operator.
#include "af_business_library.h"

#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/server/modules/testing/host_server_fixture.h"

#include "host/testing/test_services.h"

#include <memory>

namespace platform::library::testing {

using server::modules::testing::Transport;

// Passwords the fixture stores for the world's operators.
inline const QString kBuyerPassword = QStringLiteral("segredo");
inline const QString kOperatorPassword = QStringLiteral("outra");

class LibraryTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the server and points the host's server access at it.
    void useServer(Transport transport);
    // Stores Argon2id hashes of the passwords above (computed once per program).
    void storePasswords();

    // A product row with its tree level (CDNVPRODUTO from the code's length).
    void addProduct(const QString& code, const QString& tree, const QString& name, const QVariant& stockProduct = {});

    afdb::testing::MinimalWorld world;
    std::unique_ptr<host::test::TestServices> services;
    std::shared_ptr<AfBusinessLibrary> library;

    std::unique_ptr<server::modules::testing::HostServerFixture> serverFixture;
    // The session of the world's operator, once useServer has run.
    QString token;
    void closeSession() { serverFixture->sessions().close(token); }
};

}  // namespace platform::library::testing
