// Sessao.ConfirmaSenha: a logged-in client has another operator's password
// checked, never seeing a hash; refusals look and last alike.
#include "testing/test_server.h"

#include "platform/security/password_hash.h"

#include "host/remote/check_result.h"
#include "host/remote/remote_names.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QElapsedTimer>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <gtest/gtest.h>
#include <sodium.h>

using namespace platform::server;
using namespace platform::server::testing;

namespace {

const QString kSessao = host::names::session::module;
const QString kConfirma = host::names::session::ConfirmaSenha;

class ConfirmaSenha : public ::testing::TestWithParam<Transport> {
protected:
    TestServer server;

    host::RemoteResult ask(const QString& op, const QString& password, const QString& token) {
        return server.connect(kSessao, GetParam(), token)->call(kConfirma, {op, password});
    }
    bool confirmed(const QString& op, const QString& password) {
        return host::CheckResultServ(ask(op, password, server.anaToken()), true, 0).boolean();
    }
    QString storedHash(const QString& op) {
        QString hash;
        const QString name = QStringLiteral("confirma-senha-check");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(server.db.path());
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT DSSENHAHASH FROM OPERADOR WHERE CDOPERADOR = ?"));
            q.addBindValue(op);
            EXPECT_TRUE(q.exec() && q.next());
            hash = q.value(0).toString();
        }
        QSqlDatabase::removeDatabase(name);
        return hash;
    }
};

}  // namespace

TEST_P(ConfirmaSenha, TrueOnlyForTheOperatorsOwnPassword) {
    EXPECT_TRUE(confirmed(QStringLiteral("BETO"), QStringLiteral("outra")));
    EXPECT_TRUE(confirmed(QStringLiteral(" BETO "), QStringLiteral("outra")));
    EXPECT_TRUE(confirmed(QStringLiteral("ANA"), QStringLiteral("segredo")));  // one's own, too
    struct Case {
        const char* op;
        const char* password;
    } refused[] = {{"BETO", "segredo"}, {"BETO", ""},         {"SEMSENHA", "qualquer"},
                   {"NINGUEM", "outra"}, {"", "outra"},        {"OPERADORCOMMAISDE12", "outra"},
                   {"INATIVO", "segredo"}};  // an operator no longer active confirms nothing
    for (const Case& c : refused) {
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(confirmed(QString::fromLatin1(c.op), QString::fromLatin1(c.password))) << c.op;
        EXPECT_GE(t.elapsed(), 20) << c.op << ": a refusal waits the failure delay";
    }
}

TEST_P(ConfirmaSenha, NeedsAValidSession) {
    const host::RemoteResult none = ask(QStringLiteral("BETO"), QStringLiteral("outra"), QString());
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error(),
              QStringLiteral("Acesso negado: a chamada não traz a sessão do operador. Entre no sistema novamente."));
    const host::RemoteResult ended = ask(QStringLiteral("BETO"), QStringLiteral("outra"), QString(64, u'a'));
    ASSERT_FALSE(ended.ok());
    EXPECT_EQ(ended.error(), QStringLiteral("Sessão inválida ou encerrada. Entre no sistema novamente."));
}

TEST_P(ConfirmaSenha, AnOutdatedHashIsReplacedOnceConfirmed) {
    char weak[crypto_pwhash_STRBYTES];
    ASSERT_EQ(crypto_pwhash_str(weak, "outra", 5, crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN), 0);
    server.db.exec(QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = '%1' WHERE CDOPERADOR = 'BETO'")
                       .arg(QString::fromLatin1(weak)));
    EXPECT_FALSE(confirmed(QStringLiteral("BETO"), QStringLiteral("errada")));
    EXPECT_EQ(storedHash(QStringLiteral("BETO")), QString::fromLatin1(weak));
    EXPECT_TRUE(confirmed(QStringLiteral("BETO"), QStringLiteral("outra")));
    const QString now = storedHash(QStringLiteral("BETO"));
    EXPECT_NE(now, QString::fromLatin1(weak));
    EXPECT_FALSE(platform::security::needsRehash(now));
    EXPECT_TRUE(platform::security::verifyPassword(QStringLiteral("outra"), now));
}

// Guessing through confirmations is throttled like logins, per session: a
// session with too many failures confirms nothing for a while, even the right
// password, while another session goes on.
TEST_P(ConfirmaSenha, ASessionWithTooManyFailuresIsRefusedForAWhile) {
    ThrottleLimits strict;
    strict.freeFailures = 1;
    strict.lockoutAfter = 3;
    ThrottleLimits lenient;
    lenient.freeFailures = lenient.lockoutAfter = 1000;
    TestServer local(TestServerOptions{{}, 2, std::chrono::minutes(60), std::chrono::milliseconds(0), strict, lenient});
    const QString ana = local.anaToken();
    auto anaSession = local.connect(kSessao, GetParam(), ana);
    for (const char* op : {"X1", "X2", "X3"})
        EXPECT_FALSE(host::CheckResultServ(anaSession->call(kConfirma, {QString::fromLatin1(op), QStringLiteral("x")}),
                                           true, 0)
                         .boolean())
            << op;
    const host::RemoteResult locked = anaSession->call(kConfirma, {QStringLiteral("BETO"), QStringLiteral("outra")});
    ASSERT_FALSE(locked.ok());
    EXPECT_EQ(locked.error(),
              QStringLiteral("Muitas tentativas de acesso sem sucesso. Tente novamente em alguns minutos."));

    const QString beto =
        local.connect(kSessao, Transport::InProcess)->login(QStringLiteral("BETO"), QStringLiteral("outra")).token;
    auto betoSession = local.connect(kSessao, GetParam(), beto);
    EXPECT_TRUE(host::CheckResultServ(betoSession->call(kConfirma, {QStringLiteral("ANA"), QStringLiteral("segredo")}),
                                      true, 0)
                    .boolean());
}

INSTANTIATE_TEST_SUITE_P(Transports, ConfirmaSenha, ::testing::Values(Transport::InProcess, Transport::Http),
                         [](const ::testing::TestParamInfo<Transport>& i) {
                             return i.param == Transport::Http ? "Http" : "InProcess";
                         });
