// Many sessions incrementing one counter through read / edit / applyDelta, as
// clients do: "update where changed" must lose no increment on either engine.
#include "platform/server/resolver/delta_resolver.h"
#include "platform/server/resolver/query_packet.h"
#include "platform/server/resolver/resolve_conflict.h"

#include "host/data/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/db/transaction.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace afresolver {
namespace {

class ResolverConcurrencyTest : public afdb::testing::MigratedEngineTest {};

constexpr int kThreads = 8;
constexpr int kSavesPerThread = 15;

struct Tally {
    std::atomic<int> saved{0};
    std::atomic<int> conflicts{0};
    std::mutex mutex;
    QStringList failures;
};

// One client: reads the counter, increments it in a dataset and saves the
// delta, retrying (after reading again) when someone else saved first.
void incrementRepeatedly(afdb::Database& database, const QString& branch, Tally& tally) {
    const QSqlDatabase db = database.connection();
    const TableMapping mapping(QStringLiteral("NUMAUTOFORN"), {"CDFILLANC"});
    const std::vector<host::FieldDef> fields = {host::FieldDef::string("CDFILLANC", 4),
                                                host::FieldDef::integer("NRULTAUTOFORN")};
    int saved = 0;
    while (saved < kSavesPerThread) {
        try {
            host::Dataset counter;
            counter.setData(selectPacket(db, "SELECT CDFILLANC, NRULTAUTOFORN FROM NUMAUTOFORN WHERE CDFILLANC = :F",
                                         {{"F", branch}}, fields));
            counter.edit();
            counter.field("NRULTAUTOFORN").setAsInteger(counter.field("NRULTAUTOFORN").asInteger() + 1);
            counter.post();
            const host::Packet delta = host::decodePacket(counter.delta());
            afdb::transact(db, [&] { applyDelta(db, delta, mapping); });
            ++saved;
            ++tally.saved;
        } catch (const ResolveConflict&) {
            ++tally.conflicts;
        } catch (const std::exception& e) {
            std::lock_guard lock(tally.mutex);
            tally.failures << QString::fromUtf8(e.what());
            return;
        }
    }
}

TEST_P(ResolverConcurrencyTest, NoIncrementIsLost) {
    const auto world = afdb::testing::seedMinimalWorld(connection());
    afdb::testing::insertRow(connection(), "NUMAUTOFORN", {{"CDFILLANC", world.central}, {"NRULTAUTOFORN", 100}});

    Tally tally;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&] { incrementRepeatedly(database(), world.central, tally); });
    for (std::thread& t : threads) t.join();

    EXPECT_TRUE(tally.failures.isEmpty()) << tally.failures.join('\n').toStdString();
    EXPECT_EQ(tally.saved.load(), kThreads * kSavesPerThread);
    EXPECT_EQ(afdb::scalar(connection(), "SELECT NRULTAUTOFORN FROM NUMAUTOFORN").toLongLong(), 100 + tally.saved.load());
    RecordProperty("conflicts", tally.conflicts.load());
}

AFDB_INSTANTIATE_ON_ENGINES(ResolverConcurrencyTest);

}  // namespace
}  // namespace afresolver
