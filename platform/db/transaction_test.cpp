#include "platform/db/database.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/test_database.h"
#include "platform/db/transaction.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <chrono>
#include <future>
#include <thread>

namespace afdb {
namespace {

using namespace std::chrono_literals;

class TransactionTest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        exec(connection(), "CREATE TABLE CONTADOR (K INTEGER NOT NULL PRIMARY KEY, N INTEGER NOT NULL)");
        exec(connection(), "INSERT INTO CONTADOR (K, N) VALUES (1, 0)");
    }
    int counter(const QSqlDatabase& db) { return scalar(db, "SELECT N FROM CONTADOR WHERE K = 1").toInt(); }
    void increment(const QSqlDatabase& db) {
        const int n = counter(db);  // read, then write: the pattern that needs the transaction
        exec(db, "UPDATE CONTADOR SET N = :N WHERE K = 1", {{"N", n + 1}});
    }
};

TEST_P(TransactionTest, CommitsOnSuccessAndRollsBackOnAnyFailure) {
    EXPECT_EQ(transact(connection(), [&] { increment(connection()); }), 1);
    EXPECT_EQ(counter(connection()), 1);

    EXPECT_THROW(transact(connection(), [&] {
        increment(connection());
        throw std::runtime_error("falha no meio");
    }),
                 std::runtime_error);
    EXPECT_EQ(counter(connection()), 1);

    EXPECT_THROW(transact(connection(), [&] {
        increment(connection());
        exec(connection(), "INSERT INTO CONTADOR (K, N) VALUES (1, 0)");  // duplicate key
    }),
                 DbError);
    EXPECT_EQ(counter(connection()), 1);

    EXPECT_THROW(transact(connection(), [&] {
        increment(connection());
        throw host::Abort();
    }),
                 host::Abort);
    EXPECT_EQ(counter(connection()), 1);
}

TEST_P(TransactionTest, RefusesToNest) {
    EXPECT_THROW(transact(connection(), [&] {
        increment(connection());
        transact(connection(), [&] { increment(connection()); });
    }),
                 DbError);
    EXPECT_EQ(counter(connection()), 0) << "the outer transaction rolled back too";
    EXPECT_EQ(transact(connection(), [&] { increment(connection()); }), 1) << "and the connection is usable again";
}

// Read-modify-write from several threads at once loses no increment: SQLite
// serialises the writers through BEGIN IMMEDIATE; PostgreSQL under REPEATABLE
// READ refuses the conflicting ones (40001), which are then run again.
TEST_P(TransactionTest, ConcurrentReadModifyWriteLosesNothing) {
    constexpr int kThreads = 4;
    constexpr int kEach = 15;
    TxOptions options;
    options.isolation = Isolation::RepeatableRead;
    options.maxAttempts = 200;
    options.backoff = 1ms;
    std::atomic<int> retries{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            try {
                const QSqlDatabase db = database().connection();
                for (int i = 0; i < kEach; ++i) retries += transact(db, [&] { increment(db); }, options) - 1;
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            database().releaseThreadConnection();
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(counter(connection()), kThreads * kEach);
    if (engine() == Engine::SQLite) {
        EXPECT_EQ(retries.load(), 0) << "SQLite writers wait, they are never retried";
    }
}

AFDB_INSTANTIATE_ON_ENGINES(TransactionTest);

// Another writer holding SQLite's write lock on its own connection and thread
// until release() (or its destruction, so a failing test never hangs).
class LockHolder {
public:
    explicit LockHolder(const Config& config) {
        m_thread = std::thread([this, config] {
            try {
                Database holder(config);
                const QSqlDatabase db = holder.connection();
                transact(db, [&] {
                    exec(db, "INSERT INTO T (K) VALUES (1)");
                    m_locked.set_value();
                    m_release.get_future().wait();
                });
            } catch (const std::exception& e) {
                ADD_FAILURE() << "lock holder: " << e.what();
                m_locked.set_value();
            }
        });
        m_locked.get_future().wait();
    }
    ~LockHolder() {
        release();
        m_thread.join();
    }
    void release() {
        if (!m_released.exchange(true)) m_release.set_value();
    }

private:
    std::promise<void> m_locked;
    std::promise<void> m_release;
    std::atomic<bool> m_released{false};
    std::thread m_thread;
};

class SqliteBusyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_config = Config::sqlite(m_dir.filePath("ocupado.db"));
        Database setup(m_config);
        exec(setup.connection(), "CREATE TABLE T (K INTEGER NOT NULL PRIMARY KEY)");
    }

    QTemporaryDir m_dir;
    Config m_config;
};

TEST_F(SqliteBusyTest, ASecondWriterWaitsForTheFirst) {
    Database second(m_config);
    std::chrono::steady_clock::duration waited{};
    {
        LockHolder holder(m_config);
        std::thread releaser([&] {
            std::this_thread::sleep_for(300ms);
            holder.release();
        });
        const auto start = std::chrono::steady_clock::now();
        try {
            EXPECT_EQ(transact(second.connection(), [&] {
                // Reads under the write lock see the first writer's committed row.
                const int n = scalar(second.connection(), "SELECT COUNT(*) FROM T").toInt();
                exec(second.connection(), "INSERT INTO T (K) VALUES (:K)", {{"K", n + 1}});
            }), 1);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        waited = std::chrono::steady_clock::now() - start;
        releaser.join();
    }
    EXPECT_GE(waited, 200ms) << "the second writer waited for the lock";
    EXPECT_EQ(scalar(second.connection(), "SELECT MAX(K) FROM T").toInt(), 2);
}

TEST_F(SqliteBusyTest, AWriterThatWaitsTooLongGetsAClearError) {
    Config impatient = m_config;
    impatient.busyTimeoutMs = 150;
    Database second(impatient);
    {
        LockHolder holder(m_config);
        bool bodyRan = false;
        try {
            transact(second.connection(), [&] { bodyRan = true; });
            ADD_FAILURE() << "got the lock while another writer held it";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isBusy()) << e.code().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("ocupado"))) << e.what();
        }
        EXPECT_FALSE(bodyRan);
    }
    EXPECT_EQ(transact(second.connection(), [&] { exec(second.connection(), "INSERT INTO T (K) VALUES (2)"); }), 1);
}

class PostgresRetryTest : public ::testing::Test {
protected:
    void SetUp() override {
        AFDB_SKIP_WITHOUT_POSTGRES();
        m_testDb = testing::TestDatabase::create(Engine::PostgreSQL);
        m_db = std::make_unique<Database>(m_testDb->config());
        exec(db(), "CREATE TABLE CONTA (K INTEGER NOT NULL PRIMARY KEY, SALDO INTEGER NOT NULL)");
        exec(db(), "INSERT INTO CONTA (K, SALDO) VALUES (1, 100)");
        exec(db(), "CREATE TABLE LOG (TENTATIVA INTEGER NOT NULL)");
    }
    void TearDown() override {
        m_other.reset();
        m_db.reset();
        m_testDb.reset();
    }
    QSqlDatabase db() { return m_db->connection(); }
    QSqlDatabase other() {
        if (!m_other) m_other = std::make_unique<Database>(m_testDb->config());
        return m_other->connection();
    }
    void raise(const char* sqlstate) {
        exec(db(), QStringLiteral("DO $$ BEGIN RAISE EXCEPTION 'provocado' USING ERRCODE = '%1'; END $$")
                       .arg(QLatin1String(sqlstate)));
    }
    int logRows() { return scalar(db(), "SELECT COUNT(*) FROM LOG").toInt(); }

    std::unique_ptr<testing::TestDatabase> m_testDb;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Database> m_other;
};

// A concurrent update between our read and our write makes PostgreSQL refuse our
// write (40001); the whole body runs again and then sees the other's change.
TEST_F(PostgresRetryTest, RetriesAProvokedSerializationFailure) {
    TxOptions options;
    options.isolation = Isolation::RepeatableRead;
    int runs = 0;
    const int attempts = transact(db(), [&] {
        ++runs;
        exec(db(), "INSERT INTO LOG (TENTATIVA) VALUES (:N)", {{"N", runs}});
        const int saldo = scalar(db(), "SELECT SALDO FROM CONTA WHERE K = 1").toInt();
        if (runs == 1) exec(other(), "UPDATE CONTA SET SALDO = SALDO + 50 WHERE K = 1");  // commits at once
        exec(db(), "UPDATE CONTA SET SALDO = :S WHERE K = 1", {{"S", saldo - 30}});
    }, options);

    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(scalar(db(), "SELECT SALDO FROM CONTA WHERE K = 1").toInt(), 120) << "100 + 50 - 30: nothing lost";
    EXPECT_EQ(logRows(), 1) << "the failed attempt's writes were rolled back";
    EXPECT_EQ(scalar(db(), "SELECT TENTATIVA FROM LOG").toInt(), 2);
}

TEST_F(PostgresRetryTest, RetriesDeadlocksAndGivesUpAfterTheLimit) {
    int runs = 0;
    EXPECT_EQ(transact(db(), [&] {
        exec(db(), "INSERT INTO LOG (TENTATIVA) VALUES (1)");
        if (++runs == 1) raise("40P01");
    }), 2);
    EXPECT_EQ(logRows(), 1);

    TxOptions three;
    three.maxAttempts = 3;
    three.backoff = 1ms;
    runs = 0;
    try {
        transact(db(), [&] {
            ++runs;
            exec(db(), "INSERT INTO LOG (TENTATIVA) VALUES (2)");
            raise("40001");
        }, three);
        FAIL() << "an always-failing body succeeded";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isSerializationFailure());
        EXPECT_TRUE(e.message().contains(QStringLiteral("3 tentativas"))) << e.what();
    }
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(logRows(), 1);
}

TEST_F(PostgresRetryTest, DoesNotRetryOtherFailures) {
    int runs = 0;
    EXPECT_THROW(transact(db(), [&] {
        ++runs;
        exec(db(), "INSERT INTO CONTA (K, SALDO) VALUES (1, 0)");
    }),
                 DbError);
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace afdb
