// The afserver program itself: builds the schema of an empty database, sets a
// password, serves a login over HTTP and stops cleanly on SIGTERM.
#include "host/remote/remote_connection.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUuid>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <gtest/gtest.h>

namespace {

// Runs one statement on the SQLite file and returns the first column of its first row.
QVariant sqlOn(const QString& path, const QString& sql) {
    const QString name = QUuid::createUuid().toString();
    QVariant result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << " in " << sql.toStdString();
        if (q.next()) result = q.value(0);
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

}  // namespace

TEST(AfserverProgram, MigratesAnEmptyDatabaseSetsAPasswordThenServesLoginsUntilTerminated) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("af.sqlite"));
    QFile empty(path);  // afserver refuses a path that does not exist (a typo), not an empty file
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    // Before the schema exists the operator cannot be found; the run still builds the schema.
    QProcess first;
    first.start(QStringLiteral(AFSERVER_PATH), {"--sqlite", path, "--set-password", "SEMSENHA"});
    ASSERT_TRUE(first.waitForStarted(10'000));
    first.write("nova senha\n");
    first.closeWriteChannel();
    ASSERT_TRUE(first.waitForFinished(60'000));
    EXPECT_EQ(first.exitCode(), 2);
    EXPECT_TRUE(first.readAllStandardError().contains("SEMSENHA"));
    EXPECT_GE(sqlOn(path, QStringLiteral("SELECT MAX(NRVERSAO) FROM SCHEMA_VERSION")).toInt(), 1);
    sqlOn(path, QStringLiteral("INSERT INTO OPERADOR (CDOPERADOR, NMOPERADOR, IDOPERATIVO) "
                               "VALUES ('SEMSENHA', 'Sem Senha', 'A')"));

    QProcess setPassword;
    setPassword.start(QStringLiteral(AFSERVER_PATH), {"--sqlite", path, "--set-password", "SEMSENHA"});
    ASSERT_TRUE(setPassword.waitForStarted(10'000));
    setPassword.write("nova senha\n");
    setPassword.closeWriteChannel();
    ASSERT_TRUE(setPassword.waitForFinished(30'000));
    EXPECT_EQ(setPassword.exitCode(), 0) << setPassword.readAllStandardError().toStdString();

    QProcess server;
    server.setProcessChannelMode(QProcess::SeparateChannels);
    server.start(QStringLiteral(AFSERVER_PATH), {"--sqlite", path, "--listen", "127.0.0.1:0"});
    ASSERT_TRUE(server.waitForStarted(10'000));
    int port = 0;
    QByteArray err;
    const QRegularExpression listening(QStringLiteral("ouvindo em 127\\.0\\.0\\.1:(\\d+)"));
    for (int i = 0; i < 100 && port == 0; ++i) {
        server.waitForReadyRead(200);
        err += server.readAllStandardError();
        const auto m = listening.match(QString::fromUtf8(err));
        if (m.hasMatch()) port = m.captured(1).toInt();
    }
    ASSERT_GT(port, 0) << err.toStdString();

    host::RemoteConnection net(host::names::session::module);
    net.setPort(port);
    const host::RemoteLogin login = net.login(QStringLiteral("SEMSENHA"), QStringLiteral("nova senha"));
    EXPECT_EQ(login.operatorName, QStringLiteral("Sem Senha"));
    EXPECT_THROW(net.login(QStringLiteral("SEMSENHA"), QStringLiteral("errada")), host::UserError);

    server.terminate();  // SIGTERM
    ASSERT_TRUE(server.waitForFinished(10'000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
}

TEST(AfserverProgram, HelpPrintsTheUsageAloneAndSucceeds) {
    for (const char* option : {"--help", "-h"}) {
        QProcess p;
        p.start(QStringLiteral(AFSERVER_PATH), {QString::fromLatin1(option)});
        ASSERT_TRUE(p.waitForFinished(10'000));
        EXPECT_EQ(p.exitCode(), 0) << option;
        EXPECT_TRUE(p.readAllStandardOutput().startsWith("Uso: afserver")) << option;
        EXPECT_TRUE(p.readAllStandardError().isEmpty()) << option;
    }
}

TEST(AfserverProgram, BadCommandLineExitsWithUsage) {
    QProcess p;
    p.start(QStringLiteral(AFSERVER_PATH), {"--threads", "2"});
    ASSERT_TRUE(p.waitForFinished(10'000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("Uso: afserver"));
}
