// Two buyers' batches saved at the same time, each deciding from what it reads
// whether an AF is now fully settled or a product no longer bought: neither
// may miss the other's change. Real transactions on PostgreSQL, held at the
// same point by a third session's row lock so that both have decided before
// either commits.
#include "alt_af_test_support.h"

#include "platform/db/database.h"
#include "platform/db/sql_exec.h"

#include "host/testing/qt_printers.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QThread>
#include <thread>

namespace platform::server::modules::altaf::testing {
namespace {

class AltAfConcurrencyTest : public AltAfServerTest {
protected:
    void SetUp() override {
        if (GetParam() != afdb::Engine::PostgreSQL) GTEST_SKIP() << "concurrent writers are serialised on SQLite";
        AltAfServerTest::SetUp();
    }
    void TearDown() override {
        if (!m_lockName.isEmpty()) {
            QSqlDatabase::database(m_lockName, false).rollback();
            afdb::closeConnection(m_lockName);
        }
        AltAfServerTest::TearDown();
    }

    // The request that saves one change of the list, made on this thread.
    host::RpcRequest batch(int af, const QString& product, const QDateTime& delivery, double qty) {
        host::Dataset ds;
        loadItems(ds);
        EXPECT_TRUE(ds.locate("NRAUTOFORN;CDPRODUTO;DTPROGENTAF", {afNo(af), product, delivery}));
        ds.edit();
        ds.field("QTPROGENTAF").setAsFloat(qty);
        ds.post();
        host::RpcRequest r;
        r.module = host::names::altAF::module;
        r.method = QStringLiteral("SetAF");
        r.session = token;
        r.args = {host::RemoteValue::packet(ds.delta()), true};
        for (host::RemoteValue& t : historyTexts(world.w.buyer)) r.args.push_back(std::move(t));
        return r;
    }

    // A third session locks the AF's header row until release().
    void lockAf(int af) {
        m_lockName = QStringLiteral("altaf-lock-%1").arg(quintptr(this));
        QSqlDatabase db = afdb::openConnection(config(), m_lockName);
        ASSERT_TRUE(db.transaction());
        afdb::exec(db, "SELECT NRAUTOFORN FROM AUTOFORNE WHERE NRAUTOFORN = :N FOR UPDATE", {{"N", afNo(af)}});
    }
    void release() { ASSERT_TRUE(QSqlDatabase::database(m_lockName, false).commit()); }

    // Waits until `sessions` transactions wait for a lock.
    bool waitingForLocks(int sessions) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            const int waiting = afdb::scalar(connection(),
                                             "SELECT COUNT(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock' "
                                             "AND datname = current_database()")
                                    .toInt();
            if (waiting >= sessions) return true;
            QThread::msleep(20);
        }
        return false;
    }

    // Saves both batches at once, both held at the AF's header until each has decided.
    void saveTogether(int af, const host::RpcRequest& first, const host::RpcRequest& second) {
        lockAf(af);
        host::RpcResponse a, b;
        std::thread ta([&] { a = dispatcher->dispatch(first); });
        std::thread tb([&] { b = dispatcher->dispatch(second); });
        const bool bothWaiting = waitingForLocks(2);
        release();
        ta.join();
        tb.join();
        ASSERT_TRUE(bothWaiting) << "the batches never met at the lock";
        EXPECT_TRUE(a.ok) << a.message.toStdString();
        EXPECT_TRUE(b.ok) << b.message.toStdString();
    }

    QString text(const QString& sql) { return afdb::scalar(connection(), sql).toString(); }
    int count(const QString& sql) { return afdb::scalar(connection(), sql).toInt(); }

private:
    QString m_lockName;
};

TEST_P(AltAfConcurrencyTest, TwoBatchesSettlingAnAfsLastItemsLeaveItSettled) {
    // AF 11: both items partly delivered; each batch lowers one to what was delivered.
    afdb::exec(connection(), "UPDATE ITEMAUTF SET QTEFETENTRAF = 2, IDBAIXITMAF = '1' WHERE NRAUTOFORN = :N AND "
                             "CDPRODUTO = :P",
               {{"N", afNo(11)}, {"P", world.p2}});
    const host::RpcRequest first = batch(11, world.p1, day(2024, 4, 10), 4.0);
    const host::RpcRequest second = batch(11, world.p2, day(2024, 4, 10), 2.0);
    saveTogether(11, first, second);

    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF WHERE NRAUTOFORN = '0000000011' AND IDBAIXITMAF = '2'"), 2);
    EXPECT_EQ(text("SELECT IDBAIXAAF FROM AUTOFORNE WHERE NRAUTOFORN = '0000000011'"), QStringLiteral("2"));
    // The AF's settlement is logged once.
    EXPECT_EQ(count("SELECT COUNT(*) FROM MOVOPAF WHERE NRAUTOMOV = '0000000011' AND CDPRODMOV IS NULL"), 1);
    EXPECT_DOUBLE_EQ(afdb::scalar(connection(), "SELECT VRTOTALAF FROM AUTOFORNE WHERE NRAUTOFORN = '0000000011'")
                         .toDouble(),
                     4 * 2.0 + 2 * 2.0);
}

TEST_P(AltAfConcurrencyTest, TwoBatchesZeroingAProductsLastItemsReleaseItsRequestOnce) {
    // AF 12 buys the requested product on two dates; each batch zeroes one of them.
    afdb::testing::insertRow(connection(), "ITEMAUTF",
                             {{"CDFILDEST", world.w.branch}, {"CDFILLANC", world.w.central}, {"NRAUTOFORN", afNo(12)},
                              {"CDPRODUTO", world.p2}, {"DTPROGENTAF", day(2024, 6, 3)}, {"CDMARCA", world.brand45},
                              {"QTPROGENTAF", 3.0}, {"VRPREUNIAF", 2.0}});
    const host::RpcRequest first = batch(12, world.p2, day(2024, 5, 2), 0.0);
    const host::RpcRequest second = batch(12, world.p2, day(2024, 6, 3), 0.0);
    saveTogether(12, first, second);

    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMAUTF WHERE NRAUTOFORN = '0000000012' AND CDPRODUTO = '0000000123' "
                    "AND QTPROGENTAF > 0"),
              0);
    EXPECT_EQ(text("SELECT IDSITUITSOL FROM ITEMSOLICMP"), QStringLiteral("A"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM ITEMSOLICMP WHERE NRAUTOFORN IS NULL AND CDFILDEST IS NULL"), 1);
    EXPECT_DOUBLE_EQ(afdb::scalar(connection(), "SELECT VRTOTALAF FROM AUTOFORNE WHERE NRAUTOFORN = '0000000012'")
                         .toDouble(),
                     1 * 2.0);
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfConcurrencyTest);

}  // namespace
}  // namespace platform::server::modules::altaf::testing
