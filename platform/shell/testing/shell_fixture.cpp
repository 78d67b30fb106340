#include "platform/shell/testing/shell_fixture.h"

#include "platform/shell/unattended.h"

#include "host/services/progress.h"

#include "platform/db/database.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/security/password_hash.h"

#include <QtCore/QDateTime>
#include <QtCore/QFile>

namespace shell::testing {
namespace {

void seed(const QString& path) {
    afdb::Database db(afdb::Config::sqlite(path));
    db.migrate();
    const QSqlDatabase c = db.connection();
    afdb::testing::seedMinimalWorld(c);
    afdb::testing::insertRow(c, QStringLiteral("FILIAL"),
                             {{"CDFILIAL", "0003"}, {"NMFILIAL", "Loja Nova"}, {"CDFILCENTCMP", "0001"}});
    afdb::exec(c, QStringLiteral("UPDATE FILIAL SET DTPROCFILI = :D WHERE CDFILIAL = '0002'"),
               {{"D", QDateTime(kStoreDate, QTime(0, 0))}});
    afdb::exec(c, QStringLiteral("UPDATE OPERADOR SET DSSENHAHASH = :H"),
               {{"H", platform::security::hashPassword(kPassword)}});
    afdb::exec(c, QStringLiteral("UPDATE OPERADOR SET CDFILIAL = '0002' WHERE CDOPERADOR = 'OPERADOR1'"));
}

// Built once per run (the password hash is slow on purpose); each test copies it.
const QString& templateDatabase() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("modelo.sqlite"));
        seed(p);
        return p;
    }();
    return path;
}

}  // namespace

QString moduleFolder() { return QStringLiteral(AFSHELL_MODULE_DIR); }

void ShellTest::SetUp() {
    ASSERT_TRUE(m_temp.isValid());
    m_databasePath = m_temp.filePath(QStringLiteral("af.sqlite"));
    ASSERT_TRUE(QFile::copy(templateDatabase(), m_databasePath));
    dialogs = std::make_shared<host::test::ScriptedDialogs>();
    host::setDialogService(dialogs);
    progress = std::make_shared<host::test::RecordingProgress>();
    host::setProgressService(progress);
}

void ShellTest::TearDown() {
    m_backends.reset();
    host::setProgressService(nullptr);
    host::setDialogService(nullptr);
    EXPECT_EQ(dialogs->pendingAnswers(), 0) << dialogs->pendingDescription().join(QStringLiteral("; ")).toStdString();
}

Backends& ShellTest::backends() {
    if (!m_backends)
        m_backends = std::make_unique<Backends>(EmbeddedServerOptions{m_databasePath, std::chrono::milliseconds(10)},
                                                QString());
    return *m_backends;
}

LoginFlow::Connect ShellTest::connector() {
    return [this](const ServerChoice& choice) { return backends().connect(choice); };
}

LoginResult ShellTest::logIn(const QString& branch, const QString& operatorCode) {
    return logInUnattended(connector(), {{}, operatorCode, kPassword, branch});
}

}  // namespace shell::testing
