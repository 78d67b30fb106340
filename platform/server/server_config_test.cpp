#include "server_config.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform::server;

TEST(ServerConfig, ReadsEveryOption) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("af.sqlite"));
    QFile(file).open(QIODevice::WriteOnly);
    const ServerConfig cfg = parseServerArgs({"--listen", "0.0.0.0:9000", "--sqlite", file, "--threads", "16",
                                              "--max-request-mb", "8", "--session-idle-minutes", "45",
                                              "--max-connections", "900", "--max-connections-per-address", "12",
                                              "--trusted-proxy", "10.0.0.5, ::1"});
    EXPECT_EQ(cfg.http.host, QStringLiteral("0.0.0.0"));
    EXPECT_EQ(cfg.http.port, 9000);
    EXPECT_EQ(cfg.http.threads, 16);
    EXPECT_EQ(cfg.limits.maxBytes, 8 * 1024 * 1024);
    EXPECT_EQ(cfg.sessions.idleTimeout, std::chrono::minutes(45));
    EXPECT_EQ(cfg.http.maxConnections, 900);
    EXPECT_EQ(cfg.http.maxConnectionsPerAddress, 12);
    EXPECT_EQ(cfg.http.trustedProxies, QStringList({"10.0.0.5", "::1"}));
    EXPECT_EQ(cfg.database.driver, QStringLiteral("QSQLITE"));
    EXPECT_EQ(cfg.database.databaseName, file);
    EXPECT_TRUE(cfg.setPasswordFor.isEmpty());

    const ServerConfig pg = parseServerArgs({"--pg", "host=db dbname=af", "--set-password", "ANA"});
    EXPECT_EQ(pg.database.driver, QStringLiteral("QPSQL"));
    EXPECT_EQ(pg.database.connectOptions, QStringLiteral("host=db dbname=af"));
    EXPECT_EQ(pg.http.host, QStringLiteral("127.0.0.1"));  // defaults
    EXPECT_EQ(pg.http.port, 8211);
    EXPECT_EQ(pg.setPasswordFor, QStringLiteral("ANA"));

    EXPECT_EQ(parseServerArgs({"--pg", "", "--listen", "[::1]:8211"}).http.host, QStringLiteral("::1"));
}

TEST(ServerConfig, BadCommandLinesSayWhatIsWrong) {
    const std::vector<std::pair<QStringList, const char*>> cases = {
        {{}, "Informe o banco de dados"},
        {{"--pg", "x", "--sqlite", "/tmp/x"}, "um só banco"},
        {{"--sqlite", "/nao/existe.sqlite"}, "não encontrado"},
        {{"--pg", "x", "--listen", "8211"}, "use host:porta"},
        {{"--pg", "x", "--listen", "h:99999"}, "Porta inválida"},
        {{"--pg", "x", "--threads", "0"}, "Valor inválido para --threads"},
        {{"--pg", "x", "--threads", "muitos"}, "Valor inválido para --threads"},
        {{"--pg", "x", "--max-connections-per-address", "0"}, "Valor inválido para --max-connections-per-address"},
        {{"--pg", "x", "--trusted-proxy", "proxy.local"}, "Endereço inválido para --trusted-proxy: \"proxy.local\""},
        {{"--pg", "x", "--verbose", "1"}, "Opção desconhecida: --verbose"},
        {{"--pg"}, "sem valor"},
    };
    for (const auto& [args, fragment] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        try {
            parseServerArgs(args);
            ADD_FAILURE() << "accepted";
        } catch (const host::UserError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(fragment))) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("Uso: afserver")));
        }
    }
}
