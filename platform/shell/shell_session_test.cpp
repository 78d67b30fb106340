// After login the screens see the session through the host services: who,
// where, which business date, which server, which pictures.
#include "platform/shell/shell_session.h"
#include "platform/shell/testing/shell_fixture.h"

#include "host/data/errors.h"
#include "host/lookup/host_database.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_names.h"
#include "host/remote/server_access.h"
#include "host/services/session.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace shell {
namespace {

using testing::ShellTest;

TEST_F(ShellTest, SessionCarriesTheLoginAndTheChosenBranch) {
    ShellSession session(logIn(QStringLiteral("0002")), reportDir());
    session.install();
    host::Session& s = host::session();
    EXPECT_EQ(s.Operador(), QStringLiteral("OPERADOR1"));
    EXPECT_EQ(s.NomeOperador(), QStringLiteral("Operador Um"));
    EXPECT_EQ(s.FiliProc(), QStringLiteral("0002"));
    EXPECT_EQ(s.NomeFiliProc(), QStringLiteral("Loja"));
    EXPECT_TRUE(s.ModuFili());  // a store of central 0001
    EXPECT_EQ(s.WebURL(), QString());
    EXPECT_EQ(s.WebPort(), 0);
    EXPECT_EQ(s.DBPict(host::kPictProduto), QStringLiteral("!99.99999;0;_"));
    EXPECT_TRUE(QFileInfo(s.ReportDir()).isDir());
    EXPECT_TRUE(s.ReportDir().endsWith(QLatin1Char('/')));
    EXPECT_NO_THROW(s.AtualizaLocalCache({QStringLiteral("INCIDENCIA")}, {}, 0, {}));
}

TEST_F(ShellTest, ProcessingDateIsEachBranchsOwnAndFollowsTheDatabase) {
    ShellSession session(logIn(QStringLiteral("0001")), reportDir());
    session.install();
    host::Session& s = host::session();
    EXPECT_FALSE(s.ModuFili());  // the central works for every branch
    EXPECT_EQ(s.DataProc(QStringLiteral("0001")), testing::kCentralDate);
    EXPECT_EQ(s.DataProc(QStringLiteral("2")), testing::kStoreDate);
    EXPECT_THROW(s.DataProc(QStringLiteral("0003")), host::UserError);  // a branch without date
    EXPECT_THROW(s.DataProc(QStringLiteral("0042")), host::UserError);

    // The day's close moves the date on: the session sees it, it keeps no copy.
    afdb::Database writer(afdb::Config::sqlite(databasePath()));
    afdb::exec(writer.connection(), QStringLiteral("UPDATE FILIAL SET DTPROCFILI = '2024-06-15 00:00:00' WHERE CDFILIAL = '0001'"));
    EXPECT_EQ(s.DataProc(QStringLiteral("0001")), QDate(2024, 6, 15));
}

TEST_F(ShellTest, ScreensReachTheServerWithTheSessionsToken) {
    ShellSession session(logIn(), reportDir());
    session.install();
    host::RemoteConnection net(host::names::lancaAutoF::module);
    host::bindToServer(net);
    const host::RemoteResult r = net.call(host::names::lancaAutoF::GetParamFilial);
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(net.sessionToken(), session.login().login.token);

    host::RemoteConnection outsider(host::names::lancaAutoF::module);
    session.backend().link.apply(outsider, QStringLiteral("0").repeated(64));
    EXPECT_FALSE(outsider.call(host::names::lancaAutoF::GetParamFilial).ok());  // no session, no data
}

TEST_F(ShellTest, LookupsRunOnTheReadOnlyConnection) {
    ShellSession session(logIn(), reportDir());
    session.install();
    EXPECT_EQ(host::hostDatabase().dialect(), host::SqlDialect::SQLite);
    const QSqlDatabase db = host::hostDatabase().database();
    EXPECT_EQ(afdb::scalar(db, QStringLiteral("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0002'")).toString(),
              QStringLiteral("Loja"));
    EXPECT_THROW(afdb::exec(db, QStringLiteral("DELETE FROM FILIAL")), afdb::DbError);
}

TEST_F(ShellTest, EndingTheSessionRemovesItsServicesAndLogsOut) {
    {
        ShellSession session(logIn(), reportDir());
        session.install();
        EXPECT_EQ(backends().embeddedServer()->sessions().size(), 1);
    }
    EXPECT_EQ(backends().embeddedServer()->sessions().size(), 0);
    EXPECT_THROW(host::session(), host::DataError);
    EXPECT_THROW(host::hostDatabase(), host::DataError);
    host::RemoteConnection net(host::names::lancaAutoF::module);
    host::bindToServer(net);
    EXPECT_THROW(net.open(), host::DataError);
}

TEST_F(ShellTest, ReportFolderThatCannotBeCreatedIsAClearError) {
    QFile blocker(reportDir());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
    blocker.close();
    try {
        ShellSession session(logIn(), reportDir());
        FAIL() << "session without a report folder";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Não foi possível criar a pasta de relatórios: %1.").arg(reportDir()));
    }
    EXPECT_EQ(backends().embeddedServer()->sessions().size(), 0);  // the login was not left open
}

}  // namespace
}  // namespace shell
