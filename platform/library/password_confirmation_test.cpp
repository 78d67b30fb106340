// Confirming another operator's password: asked through the dialog service,
// checked by the server's session module, in process and over HTTP.
#include "library_test_support.h"

#include "host/data/errors.h"
#include "host/library/library_units.h"
#include "host/remote/server_access.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::library::testing {
namespace {

const QString kCaption = QStringLiteral("Confere Senha");
const QString kLabel = QStringLiteral("Comprador");

class PasswordTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        storePasswords();
    }
    bool confirm(const QString& operatorCode) {
        return host::Lib00700::CriaConfSenha(operatorCode, kCaption, kLabel);
    }
};

TEST_P(PasswordTest, TheRightPasswordIsConfirmedAndAWrongOneRefusedWithAMessage) {
    for (Transport transport : {Transport::InProcess, Transport::Http}) {
        SCOPED_TRACE(transport == Transport::Http ? "HTTP" : "in process");
        useServer(transport);
        services->dialogs.clearShown();
        services->progress.clearHistory();

        services->dialogs.typePassword(kBuyerPassword, kCaption);
        EXPECT_TRUE(confirm(world.buyer));
        ASSERT_EQ(services->dialogs.shown().size(), 1u);
        EXPECT_EQ(services->dialogs.shown()[0].label, kLabel);
        EXPECT_TRUE(services->dialogs.errorsAre({}));
        EXPECT_EQ(services->progress.history(), (QStringList{"show 1 Conferindo a senha...", "hide"}));

        services->dialogs.typePassword(kOperatorPassword);  // the operator's own, not the buyer's
        EXPECT_FALSE(confirm(world.buyer));
        EXPECT_TRUE(services->dialogs.errorsAre({"Senha não confere."}));
        EXPECT_FALSE(services->progress.visible());
    }
}

TEST_P(PasswordTest, UnknownOperatorsAndOperatorsWithoutPasswordAreRefusedAlike) {
    useServer(Transport::InProcess);
    afdb::exec(connection(), QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = NULL WHERE CDOPERADOR = :OP"),
               {{"OP", world.buyer}});
    services->dialogs.typePassword(kBuyerPassword).typePassword(kBuyerPassword);
    EXPECT_FALSE(confirm(world.buyer));
    EXPECT_FALSE(confirm(QStringLiteral("NINGUEM")));
    EXPECT_TRUE(services->dialogs.errorsAre({"Senha não confere.", "Senha não confere."}));
}

TEST_P(PasswordTest, CancellingOrTypingNothingNeverReachesTheServer) {
    host::setServerAccess(nullptr);  // any call would fail loudly
    services->dialogs.typePassword(std::nullopt, kCaption);
    EXPECT_FALSE(confirm(world.buyer));
    EXPECT_TRUE(services->dialogs.errorsAre({}));

    services->dialogs.typePassword(QString());
    EXPECT_FALSE(confirm(world.buyer));
    EXPECT_TRUE(services->dialogs.errorsAre({"Senha deve ser informada."}));
    EXPECT_TRUE(services->progress.history().isEmpty());
}

TEST_P(PasswordTest, TroubleReachingTheServerIsAnErrorNotARefusal) {
    useServer(Transport::InProcess);
    closeSession();
    services->dialogs.typePassword(kBuyerPassword);
    try {
        confirm(world.buyer);
        ADD_FAILURE() << "no error without a session";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente."));
    }

    host::setServerAccess([](host::RemoteConnection& c) {  // nothing listens on port 1
        c.setHost(QStringLiteral("127.0.0.1"));
        c.setPort(1);
        c.setSessionToken(QStringLiteral("x"));
    });
    services->dialogs.typePassword(kBuyerPassword);
    EXPECT_THROW(confirm(world.buyer), host::UserError);
    EXPECT_TRUE(services->dialogs.errorsAre({}));
    EXPECT_FALSE(services->progress.visible());
}

TEST_P(PasswordTest, AnEmptyOperatorIsRefusedBeforeAnythingIsAsked) {
    EXPECT_THROW(confirm(QStringLiteral("  ")), host::UserError);
    EXPECT_TRUE(services->dialogs.shown().empty());
}

AFDB_INSTANTIATE_ON_ENGINES(PasswordTest);

}  // namespace
}  // namespace platform::library::testing
