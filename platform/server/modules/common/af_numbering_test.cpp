// AF numbers: the next of each launching branch, given back by a rolled-back
// save, never the same twice when many saves of one branch run at once.
#include "af_numbering.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/db/transaction.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QDateTime>
#include <QtCore/QSet>

#include <mutex>
#include <thread>
#include <vector>

namespace platform::server::modules {
namespace {

using afdb::testing::insertRow;

class AfNumberingTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        world = afdb::testing::seedMinimalWorld(connection());
    }
    void addAf(const QString& lanc, const QString& number) {
        insertRow(connection(), "AUTOFORNE",
                  {{"CDFILDEST", world.branch}, {"CDFILLANC", lanc}, {"NRAUTOFORN", number},
                   {"CDFORNECED", world.supplier}, {"CDOPERADOR", world.buyer},
                   {"DTAUTOFORN", QDateTime(QDate(2024, 6, 3), QTime(0, 0))}});
    }
    QString take(const QString& branch) {
        QString number;
        afdb::transact(connection(), [&] { number = nextAfNumber(connection(), branch); });
        return number;
    }
    QVariant counter(const QString& branch) {
        return afdb::scalar(connection(), "SELECT NRULTAUTOFORN FROM NUMAUTOFORN WHERE CDFILLANC = :B", {{"B", branch}});
    }
    afdb::testing::MinimalWorld world;
};

TEST_P(AfNumberingTest, NextNumberOfEachBranch) {
    // The central has a counter; the branch has none but already launched AFs
    // (numbers compared as numbers, not as text).
    insertRow(connection(), "NUMAUTOFORN", {{"CDFILLANC", world.central}, {"NRULTAUTOFORN", 41}});
    addAf(world.branch, "0000000009");
    addAf(world.branch, "0000000012");

    EXPECT_EQ(take(world.central), "0000000042");
    EXPECT_EQ(take(world.central), "0000000043");
    EXPECT_EQ(take(world.branch), "0000000013");
    EXPECT_EQ(take(world.branch), "0000000014");
    EXPECT_EQ(counter(world.central).toLongLong(), 43);
    EXPECT_EQ(counter(world.branch).toLongLong(), 14);
}

TEST_P(AfNumberingTest, FirstNumberOfABranchWithoutAfs) {
    // The minimal world's AF was launched by the central, not by the branch.
    EXPECT_EQ(take(world.branch), "0000000001");
}

TEST_P(AfNumberingTest, RolledBackSaveGivesItsNumberBack) {
    insertRow(connection(), "NUMAUTOFORN", {{"CDFILLANC", world.central}, {"NRULTAUTOFORN", 7}});
    EXPECT_THROW(afdb::transact(connection(),
                                [&] {
                                    EXPECT_EQ(nextAfNumber(connection(), world.central), "0000000008");
                                    throw host::UserError(QStringLiteral("a gravação falhou"));
                                }),
                 host::UserError);
    EXPECT_EQ(take(world.central), "0000000008");
}

TEST_P(AfNumberingTest, RefusesMisuse) {
    EXPECT_THROW(take(QStringLiteral("  ")), host::UserError);
    // Outside a transaction the counter would be released before the AF is written.
    EXPECT_THROW(nextAfNumber(connection(), world.central), afdb::DbError);
    EXPECT_TRUE(counter(world.central).isNull());
}

TEST_P(AfNumberingTest, ConcurrentSavesNeverShareANumber) {
    // No counter row yet: the first saves also race to create it.
    addAf(world.central, "0000000100");
    constexpr int kThreads = 6;
    constexpr int kPerThread = 15;
    std::mutex mutex;
    QStringList numbers, failures;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            const QSqlDatabase db = database().connection();
            for (int i = 0; i < kPerThread; ++i) {
                try {
                    QString number;
                    afdb::transact(db, [&] {
                        number = nextAfNumber(db, world.central);
                        // The save writes its AF under the number, as a real save does.
                        afdb::exec(db,
                                   "INSERT INTO AUTOFORNE (CDFILDEST, CDFILLANC, NRAUTOFORN, CDFORNECED, CDOPERADOR, "
                                   "DTAUTOFORN) VALUES (:D, :L, :N, :F, :O, :T)",
                                   {{"D", world.branch}, {"L", world.central}, {"N", number},
                                    {"F", world.supplier}, {"O", world.buyer}, {"T", QDateTime(QDate(2024, 6, 3), QTime(0, 0))}});
                    });
                    const std::lock_guard lock(mutex);
                    numbers << number;
                } catch (const std::exception& e) {
                    const std::lock_guard lock(mutex);
                    failures << QString::fromUtf8(e.what());
                }
            }
        });
    }
    for (std::thread& t : threads) t.join();

    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    const QSet<QString> distinct(numbers.begin(), numbers.end());
    EXPECT_EQ(distinct.size(), numbers.size());
    EXPECT_EQ(numbers.size(), kThreads * kPerThread);
    // Contiguous after the existing AF: no gap, no repeat.
    numbers.sort();
    EXPECT_EQ(numbers.first(), "0000000101");
    EXPECT_EQ(numbers.last(), QStringLiteral("%1").arg(100 + kThreads * kPerThread, 10, 10, QLatin1Char('0')));
    EXPECT_EQ(counter(world.central).toLongLong(), 100 + kThreads * kPerThread);
}

AFDB_INSTANTIATE_ON_ENGINES(AfNumberingTest);

}  // namespace
}  // namespace platform::server::modules
