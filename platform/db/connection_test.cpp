#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <set>
#include <thread>

namespace afdb {
namespace {

class ConnectionTest : public testing::EngineTest {};

TEST_P(ConnectionTest, EachThreadGetsItsOwnWorkingConnection) {
    const QString mine = connection().connectionName();
    EXPECT_EQ(connection().connectionName(), mine) << "the same thread reuses its connection";
    exec(connection(), "CREATE TABLE T (K INTEGER NOT NULL PRIMARY KEY)");

    std::vector<QString> names(4);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&, i] {
            try {
                QSqlDatabase db = database().connection();
                names[i] = db.connectionName();
                exec(db, "INSERT INTO T (K) VALUES (:K)", {{"K", i}});
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            database().releaseThreadConnection();
        });
    for (auto& t : threads) t.join();

    std::set<QString> distinct(names.begin(), names.end());
    distinct.insert(mine);
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_EQ(scalar(connection(), "SELECT COUNT(*) FROM T").toInt(), 4);
    for (const QString& n : names) EXPECT_FALSE(QSqlDatabase::contains(n)) << "released connections are removed";
}

TEST_P(ConnectionTest, AThreadsConnectionClosesWhenTheThreadEnds) {
    QString name;
    std::thread([&] {
        try {
            name = database().connection().connectionName();
            EXPECT_TRUE(QSqlDatabase::contains(name));
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }).join();
    ASSERT_FALSE(name.isEmpty());
    EXPECT_FALSE(QSqlDatabase::contains(name));
}

TEST_P(ConnectionTest, ReleasingReopensOnNextUse) {
    const QString first = connection().connectionName();
    database().releaseThreadConnection();
    EXPECT_FALSE(QSqlDatabase::contains(first));
    EXPECT_TRUE(connection().isOpen());
}

TEST_P(ConnectionTest, SessionSettingsAreApplied) {
    const QSqlDatabase db = connection();
    if (engine() == Engine::SQLite) {
        EXPECT_EQ(scalar(db, "PRAGMA journal_mode").toString(), "wal");
        EXPECT_EQ(scalar(db, "PRAGMA busy_timeout").toInt(), 5000);
        EXPECT_EQ(scalar(db, "PRAGMA foreign_keys").toInt(), 1);
    } else {
        EXPECT_EQ(scalar(db, "SHOW application_name").toString(), "afsuite");
        EXPECT_EQ(scalar(db, "SELECT COUNT(*) FROM pg_stat_activity WHERE application_name = 'afsuite' "
                             "AND pid = pg_backend_pid()").toInt(), 1);
    }
}

AFDB_INSTANTIATE_ON_ENGINES(ConnectionTest);

TEST(PostgresSession, ApplicationNameIsConfigurable) {
    AFDB_SKIP_WITHOUT_POSTGRES();
    Config c = Config::postgresFromEnvironment();
    c.applicationName = QStringLiteral("servidor AF 'filial' \\ 2");
    Database named(c);
    EXPECT_EQ(scalar(named.connection(), "SHOW application_name").toString(), c.applicationName);
}

TEST(OpenConnection, FailsClearlyAndLeavesNothingRegistered) {
    QTemporaryDir dir;
    struct Case {
        Config config;
        const char* expect;
    };
    Config noFile = Config::sqlite(dir.filePath("nao-existe.db")).asReadOnly();
    Config noPath = Config::sqlite(QString());
    Config badDir = Config::sqlite(dir.filePath("sem/diretorio/x.db"));
    Config pg;
    pg.engine = Engine::PostgreSQL;
    pg.host = "127.0.0.1";
    pg.port = 1;  // nothing listens there
    pg.databaseName = "x";
    pg.user = "u";
    pg.password = "segredo-nao-mostrar";
    pg.connectTimeoutSeconds = 2;
    const Case cases[] = {{noFile, "não existe"}, {noPath, "não foi informado"}, {badDir, "conectar"}, {pg, "conectar"}};
    for (const Case& c : cases) {
        try {
            openConnection(c.config, "afdb-teste-falha");
            ADD_FAILURE() << "opened " << c.expect;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.expect))) << e.what();
            EXPECT_FALSE(e.message().contains("segredo-nao-mostrar")) << e.what();
        }
        EXPECT_FALSE(QSqlDatabase::contains("afdb-teste-falha"));
    }
}

TEST(OpenConnection, ReadOnlySqliteRefusesWrites) {
    QTemporaryDir dir;
    const Config rw = Config::sqlite(dir.filePath("ro.db"));
    {
        Database writer(rw);
        exec(writer.connection(), "CREATE TABLE T (K INTEGER)");
    }
    Database reader(rw.asReadOnly());
    EXPECT_EQ(scalar(reader.connection(), "SELECT COUNT(*) FROM T").toInt(), 0);
    try {
        exec(reader.connection(), "INSERT INTO T (K) VALUES (1)");
        FAIL() << "a read-only connection wrote";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isWriteRefused()) << e.code().toStdString() << " " << e.what();
    }
}

}  // namespace
}  // namespace afdb
