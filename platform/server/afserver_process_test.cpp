// The afserver program itself: sets a password, serves a login over HTTP and
// stops cleanly on SIGTERM.
#include "testing/operator_db.h"

#include "host/remote/remote_connection.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <gtest/gtest.h>

using platform::server::testing::OperatorDb;

TEST(AfserverProgram, SetsAPasswordThenServesLoginsUntilTerminated) {
    OperatorDb db;
    QProcess setPassword;
    setPassword.start(QStringLiteral(AFSERVER_PATH), {"--sqlite", db.path(), "--set-password", "SEMSENHA"});
    ASSERT_TRUE(setPassword.waitForStarted(10'000));
    setPassword.write("nova senha\n");
    setPassword.closeWriteChannel();
    ASSERT_TRUE(setPassword.waitForFinished(30'000));
    EXPECT_EQ(setPassword.exitCode(), 0) << setPassword.readAllStandardError().toStdString();

    QProcess server;
    server.setProcessChannelMode(QProcess::SeparateChannels);
    server.start(QStringLiteral(AFSERVER_PATH), {"--sqlite", db.path(), "--listen", "127.0.0.1:0"});
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

    host::RemoteConnection net(QString::fromLatin1(host::kSessionModule));
    net.setPort(port);
    const host::RemoteLogin login = net.login(QStringLiteral("SEMSENHA"), QStringLiteral("nova senha"));
    EXPECT_EQ(login.operatorName, QStringLiteral("Sem Senha"));
    EXPECT_THROW(net.login(QStringLiteral("SEMSENHA"), QStringLiteral("errada")), host::UserError);

    server.terminate();  // SIGTERM
    ASSERT_TRUE(server.waitForFinished(10'000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
}

TEST(AfserverProgram, BadCommandLineExitsWithUsage) {
    QProcess p;
    p.start(QStringLiteral(AFSERVER_PATH), {"--threads", "2"});
    ASSERT_TRUE(p.waitForFinished(10'000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().contains("Uso: afserver"));
}
