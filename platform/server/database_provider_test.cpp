#include "database_provider.h"

#include "testing/operator_db.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <QtSql/QSqlQuery>
#include <QtCore/QVariant>
#include <gtest/gtest.h>

#include <thread>

using namespace platform::server;
using platform::server::testing::OperatorDb;

namespace {

int ourConnections() {
    int n = 0;
    for (const QString& name : QSqlDatabase::connectionNames())
        if (name.startsWith(QStringLiteral("afserver-"))) ++n;
    return n;
}

int countOperators(QSqlDatabase db) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM OPERADOR")) || !q.next()) return -1;
    return q.value(0).toInt();
}

}  // namespace

TEST(QtSqlDatabaseProvider, OneConnectionPerThreadDroppedWhenTheThreadEnds) {
    OperatorDb db;
    const int before = ourConnections();
    {
        QtSqlDatabaseProvider provider(QtSqlDatabaseProvider::sqlite(db.path()));
        const QString mine = provider.database().connectionName();
        EXPECT_EQ(provider.database().connectionName(), mine);  // same thread, same connection
        EXPECT_EQ(countOperators(provider.database()), db.operatorCount());

        QString theirs;
        int theirCount = 0;
        std::thread([&] {
            theirs = provider.database().connectionName();
            theirCount = countOperators(provider.database());
        }).join();
        EXPECT_NE(theirs, mine);
        EXPECT_EQ(theirCount, db.operatorCount());
        EXPECT_FALSE(QSqlDatabase::connectionNames().contains(theirs));  // gone with its thread
        EXPECT_EQ(ourConnections(), before + 1);
    }
    EXPECT_EQ(ourConnections(), before);  // and the rest with the provider
}

TEST(QtSqlDatabaseProvider, ThreadsOutlivingTheProviderCleanUpSafely) {
    OperatorDb db;
    const int before = ourConnections();
    auto provider = std::make_unique<QtSqlDatabaseProvider>(QtSqlDatabaseProvider::sqlite(db.path()));
    std::atomic<bool> opened{false}, proceed{false};
    std::thread worker([&] {
        provider->database();
        opened = true;
        while (!proceed) std::this_thread::yield();
    });
    while (!opened) std::this_thread::yield();
    provider.reset();
    EXPECT_EQ(ourConnections(), before);
    proceed = true;
    worker.join();
    EXPECT_EQ(ourConnections(), before);
}

TEST(QtSqlDatabaseProvider, FailuresAreUserErrorsAndAFailedSetUpIsRetried) {
    QtSqlDatabaseProvider noDriver(QtSqlDatabaseProvider::Settings{QStringLiteral("QNODRIVER"), {}, {}, {}});
    EXPECT_THROW(noDriver.database(), host::UserError);

    OperatorDb db;
    int setUps = 0;
    QtSqlDatabaseProvider::Settings s = QtSqlDatabaseProvider::sqlite(db.path());
    s.onOpen = [&](QSqlDatabase&) {
        if (++setUps == 1) throw host::UserError(QStringLiteral("primeira falha"));
    };
    QtSqlDatabaseProvider flaky(s);
    EXPECT_THROW(flaky.database(), host::UserError);
    EXPECT_EQ(countOperators(flaky.database()), db.operatorCount());
    EXPECT_EQ(setUps, 2);
}
