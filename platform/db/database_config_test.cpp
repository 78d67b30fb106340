#include "platform/db/database_config.h"
#include "platform/db/db_error.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdb {
namespace {

TEST(DatabaseConfig, ParsesEngineNames) {
    EXPECT_EQ(parseEngine("sqlite"), Engine::SQLite);
    EXPECT_EQ(parseEngine(" PostgreSQL "), Engine::PostgreSQL);
    EXPECT_EQ(parseEngine("pg"), Engine::PostgreSQL);
    EXPECT_THROW(parseEngine("oracle"), DbError);
    EXPECT_EQ(dialectOf(Engine::SQLite), host::SqlDialect::SQLite);
    EXPECT_EQ(dialectOf(Engine::PostgreSQL), host::SqlDialect::PostgreSQL);
}

TEST(DatabaseConfig, ParsesLibpqConnInfo) {
    Config c;
    c.applyConnInfo(R"(host=db.interno port=6432 dbname=compras user=af password='se\'nha com espaço' )"
                    R"(application_name = 'servidor AF' connect_timeout=3)");
    EXPECT_EQ(c.engine, Engine::PostgreSQL);
    EXPECT_EQ(c.host, "db.interno");
    EXPECT_EQ(c.port, 6432);
    EXPECT_EQ(c.databaseName, "compras");
    EXPECT_EQ(c.user, "af");
    EXPECT_EQ(c.password, "se'nha com espaço");
    EXPECT_EQ(c.applicationName, "servidor AF");
    EXPECT_EQ(c.connectTimeoutSeconds, 3);
}

TEST(DatabaseConfig, RefusesBadConnInfoWithoutEchoingIt) {
    const char* bad[] = {"host", "port=abc", "port=70000", "password='sem fim", "sslmode=talvez", "sslpassword=x", "=x"};
    for (const char* text : bad) {
        Config c;
        try {
            c.applyConnInfo(QString::fromUtf8(text) + QStringLiteral(" password=segredo123"));
            ADD_FAILURE() << "accepted: " << text;
        } catch (const DbError& e) {
            EXPECT_FALSE(e.message().contains(QStringLiteral("segredo123"))) << e.what();
        }
    }
}

TEST(DatabaseConfig, KeepsTheTlsSettingsForTheDriver) {
    Config c;
    c.applyConnInfo(QStringLiteral("host=db sslmode=verify-full sslrootcert='/etc/af/ca.pem' sslcert=/etc/af/c.pem "
                                   "sslkey=/etc/af/c.key"));
    const QList<QPair<QString, QString>> expected = {{"sslmode", "verify-full"},
                                                     {"sslrootcert", "/etc/af/ca.pem"},
                                                     {"sslcert", "/etc/af/c.pem"},
                                                     {"sslkey", "/etc/af/c.key"}};
    EXPECT_EQ(c.tls, expected);
}

TEST(DatabaseConfig, ReadsTheProgramsEnvironment) {
    qputenv("AF_DB_ENGINE", "postgresql");
    qputenv("AF_DB_CONNINFO", "host=h1 dbname=d1 user=u1");
    qputenv("AF_DB_APPNAME", "afserver");
    qputenv("AF_DB_RO_USER", "consulta");
    const Config pg = Config::fromEnvironment();
    EXPECT_EQ(pg.engine, Engine::PostgreSQL);
    EXPECT_EQ(pg.host, "h1");
    EXPECT_EQ(pg.databaseName, "d1");
    EXPECT_EQ(pg.user, "u1");
    EXPECT_EQ(pg.applicationName, "afserver");
    EXPECT_EQ(pg.readOnlyUser, "consulta");
    EXPECT_TRUE(pg.asReadOnly().readOnly);
    EXPECT_FALSE(pg.readOnly);

    qputenv("AF_DB_ENGINE", "sqlite");
    qputenv("AF_DB_PATH", "/tmp/x.db");
    const Config lite = Config::fromEnvironment();
    EXPECT_EQ(lite.engine, Engine::SQLite);
    EXPECT_EQ(lite.sqlitePath, "/tmp/x.db");

    qputenv("AF_DB_ENGINE", "mysql");
    EXPECT_THROW(Config::fromEnvironment(), DbError);
    for (const char* v : {"AF_DB_ENGINE", "AF_DB_CONNINFO", "AF_DB_APPNAME", "AF_DB_RO_USER", "AF_DB_PATH"}) qunsetenv(v);
}

}  // namespace
}  // namespace afdb
