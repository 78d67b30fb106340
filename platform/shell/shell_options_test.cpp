#include "platform/shell/shell_config.h"
#include "platform/shell/shell_options.h"

#include "host/data/errors.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace shell {
namespace {

QStringList args(const char* line) { return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts); }

QString refusal(const QStringList& a) {
    try {
        parseShellArgs(a);
    } catch (const host::UserError& e) {
        return e.message();
    }
    return QStringLiteral("(aceito)");
}

TEST(ServerAddress, ReadsTheFormsUsersType) {
    struct Case {
        const char* text;
        QString host;
        int port;
    };
    const Case cases[] = {
        {"srvaf:9000", "srvaf", 9000},
        {"srvaf", "srvaf", kDefaultServerPort},
        {" 10.0.0.5:8211 ", "10.0.0.5", 8211},
        {"http://srvaf:8080/", "http://srvaf", 8080},
        {"https://af.example.com", "https://af.example.com", 443},
        {"HTTP://srvaf", "http://srvaf", 80},
    };
    for (const Case& c : cases) {
        const ServerAddress a = parseServerAddress(QString::fromUtf8(c.text));
        EXPECT_EQ(a.host, c.host) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
    }
    EXPECT_EQ(parseServerAddress(QStringLiteral("srvaf:9000")).text(), QStringLiteral("srvaf:9000"));
}

TEST(ServerAddress, RefusesWhatCannotBeAServer) {
    for (const char* text : {"", ":8211", "srvaf:porta", "srvaf:0", "srvaf:70000", "srvaf:", "http://srvaf/rpc",
                             "srv af:8211"}) {
        try {
            parseServerAddress(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const host::UserError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Endereço do servidor de aplicação inválido"))) << text;
        }
    }
}

TEST(ShellOptions, ReadsEveryOption) {
    const ShellOptions o = parseShellArgs(
        args("--server srvaf:9000 --lookup-db /dados/af.sqlite --modulos /opt/af/lib --operador maria --filial 2 "
             "--abrir cmp03900 --abrir CMP04000 --modulo afshell_testscreen --screenshot /tmp/a.png --config /tmp/c.conf"));
    ASSERT_TRUE(o.server);
    EXPECT_EQ(o.server->text(), QStringLiteral("srvaf:9000"));
    EXPECT_EQ(o.lookupDatabase, QStringLiteral("/dados/af.sqlite"));
    EXPECT_EQ(o.moduleFolder, QStringLiteral("/opt/af/lib"));
    EXPECT_EQ(o.operatorCode, QStringLiteral("MARIA"));
    EXPECT_EQ(o.branch, QStringLiteral("2"));
    EXPECT_EQ(o.openScreens, (QStringList{"CMP03900", "CMP04000"}));
    EXPECT_EQ(o.openModules, QStringList{"afshell_testscreen"});
    EXPECT_EQ(o.screenshotPath, QStringLiteral("/tmp/a.png"));
    EXPECT_EQ(o.configFile, QStringLiteral("/tmp/c.conf"));
    EXPECT_FALSE(o.help);
    EXPECT_TRUE(parseShellArgs(args("--help")).help);
    EXPECT_TRUE(parseShellArgs(args("-h")).help);
}

TEST(ShellOptions, RefusesBadCommandLinesNamingTheProblem) {
    EXPECT_EQ(refusal(args("--banco x")), QStringLiteral("Opção desconhecida: --banco. Veja afhost --help."));
    EXPECT_EQ(refusal(args("--banco")), QStringLiteral("Opção desconhecida: --banco. Veja afhost --help."));
    EXPECT_EQ(refusal(args("--db")), QStringLiteral("A opção --db precisa de um valor. Veja afhost --help."));
    EXPECT_EQ(refusal(args("arquivo.sqlite")), QStringLiteral("Argumento inesperado: \"arquivo.sqlite\". Veja afhost --help."));
    EXPECT_EQ(refusal(args("--db a.sqlite --server srvaf")),
              QStringLiteral("Use --db (servidor embutido) ou --server (servidor remoto), não os dois. Veja afhost --help."));
    EXPECT_TRUE(refusal(args("--server srvaf:x")).startsWith(QStringLiteral("Endereço do servidor")));
}

TEST(ShellOptions, UsageDocumentsEveryOption) {
    const QString usage = shellUsage();
    for (const char* option : {"--db", "--server", "--lookup-db", "--modulos", "--operador", "--filial", "--abrir",
                               "--modulo", "--screenshot", "--config", "--help", "AF_SENHA", "AF_MODULE_PATH", "[consultas]"})
        EXPECT_TRUE(usage.contains(QString::fromUtf8(option))) << option;
}

TEST(ShellConfig, CommandLineWinsOverTheFileAndTheFileOverDefaults) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("afhost.conf"));
    EXPECT_EQ(readShellConfig(file).serverAddress, QString());  // no file: nothing configured

    rememberLogin(file, true, QStringLiteral("srvaf:9000"), QStringLiteral("MARIA"));
    {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(QStringLiteral("consultas/banco"), QStringLiteral("host=srvdb dbname=af user=leitor"));
    }
    const ShellConfig config = readShellConfig(file);
    EXPECT_TRUE(config.remote);
    EXPECT_EQ(config.serverAddress, QStringLiteral("srvaf:9000"));
    EXPECT_EQ(config.lookupDatabase, QStringLiteral("host=srvdb dbname=af user=leitor"));
    EXPECT_EQ(config.lastOperator, QStringLiteral("MARIA"));

    const ShellSetup fromFile = resolveSetup(parseShellArgs({}), config);
    EXPECT_TRUE(fromFile.remote);
    EXPECT_EQ(fromFile.serverAddress, QStringLiteral("srvaf:9000"));
    EXPECT_EQ(fromFile.operatorCode, QStringLiteral("MARIA"));
    EXPECT_EQ(fromFile.databasePath, defaultDatabasePath());

    const ShellSetup local = resolveSetup(parseShellArgs(args("--db /tmp/x.sqlite --operador joao")), config);
    EXPECT_FALSE(local.remote);  // naming the local file chooses the embedded server
    EXPECT_EQ(local.databasePath, QStringLiteral("/tmp/x.sqlite"));
    EXPECT_EQ(local.operatorCode, QStringLiteral("JOAO"));

    const ShellSetup other = resolveSetup(parseShellArgs(args("--server outro:1 --lookup-db /a.sqlite")), config);
    EXPECT_EQ(other.serverAddress, QStringLiteral("outro:1"));
    EXPECT_EQ(other.lookupDatabase, QStringLiteral("/a.sqlite"));

    rememberLogin(file, false, QString(), QStringLiteral("JOAO"));
    EXPECT_FALSE(readShellConfig(file).remote);
    EXPECT_EQ(readShellConfig(file).serverAddress, QStringLiteral("srvaf:9000"));  // kept for the next remote login
}

TEST(ShellConfig, ModuleFolderComesFromTheEnvironmentOrBesideTheProgram) {
    qputenv("AF_MODULE_PATH", "/opt/af/modulos/");
    EXPECT_EQ(defaultModuleFolder(), QStringLiteral("/opt/af/modulos"));
    qunsetenv("AF_MODULE_PATH");
    EXPECT_EQ(defaultModuleFolder(), QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib")));
    EXPECT_EQ(resolveSetup(parseShellArgs(args("--modulos /x/y/")), {}).moduleFolder, QStringLiteral("/x/y"));
}

}  // namespace
}  // namespace shell
