// The buyer's password asked by the header through the business library the
// shell installs, checked by the server's session module.
#include "afdesk/core/header/header_fixture.h"

#include "platform/db/testing/fixture_rows.h"
#include "platform/library/af_business_library.h"
#include "platform/security/password_hash.h"

namespace afdesk::testing {
namespace {

class HeaderPasswordTest : public HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        host::setBusinessLibrary(std::make_shared<platform::library::AfBusinessLibrary>());
        afdb::exec(connection(), QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = :H WHERE CDOPERADOR = :OP"),
                   {{"H", platform::security::hashPassword(QStringLiteral("certa"))}, {"OP", world.buyer}});
        afdb::exec(connection(), QStringLiteral("UPDATE COMPROPER SET IDAFCMPOPER = 'S', IDEXSENHCMPOPER = 'S'"));
    }
};

TEST_P(HeaderPasswordTest, AWrongPasswordIsRefusedByTheServerAndTheNewAfStaysAsTyped) {
    openOnHeader();
    loginAs(world.operatorCode);
    startInsert();
    w->state().cdsAutoForne.field(QStringLiteral("NRINSJURFORN")).setAsString(supplierOk);
    typeInto("dbeCDComp", world.buyer);

    services->dialogs.typePassword(QStringLiteral("errada"), QStringLiteral("Confere Senha"));
    EXPECT_FALSE(post());
    // The library says why; the header adds nothing and keeps the buyer's box.
    EXPECT_TRUE(services->dialogs.errorsAre({"Senha não confere."}));
    EXPECT_EQ(focused(), control("dbeCDComp"));
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
    EXPECT_EQ(value("CDOPERADOR"), world.buyer);
    EXPECT_EQ(w->state().header->IdSenhaComp, "N");

    services->dialogs.clearShown();
    services->dialogs.typePassword(QStringLiteral("certa"), QStringLiteral("Confere Senha"));
    EXPECT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
    EXPECT_EQ(w->state().header->IdSenhaComp, "S");
    ASSERT_FALSE(services->dialogs.shown().empty());
    EXPECT_EQ(services->dialogs.shown().front().label, "Comprador");
}

AFDB_INSTANTIATE_ON_ENGINES(HeaderPasswordTest);

}  // namespace
}  // namespace afdesk::testing
