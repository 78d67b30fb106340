// What SetAF lets an operator write, and what it leaves behind: the read-only
// group, automatic AFs, zeroed quantities, numbers no column can keep, and the
// AF total and buyer-limit flag recomputed in the same transaction.
#include "alt_af_test_support.h"

#include "platform/db/sql_exec.h"
#include "platform/server/modules/common/authorisation.h"

#include "host/testing/qt_printers.h"

#include <cmath>
#include <limits>

namespace platform::server::modules::altaf::testing {
namespace {

class AltAfRightsTest : public AltAfServerTest {
protected:
    QStringList itemsOfBranch() {
        QStringList out;
        QSqlQuery q = afdb::exec(connection(),
                                 "SELECT NRAUTOFORN, CDPRODUTO, CDMARCA, QTPROGENTAF FROM ITEMAUTF WHERE CDFILDEST = :B "
                                 "ORDER BY NRAUTOFORN, CDPRODUTO, DTPROGENTAF, CDMARCA",
                                 {{"B", world.w.branch}});
        while (q.next())
            out << QStringLiteral("%1/%2/%3 %4")
                       .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString())
                       .arg(q.value(3).toDouble());
        return out;
    }
    int logRows() { return afdb::scalar(connection(), "SELECT COUNT(*) FROM MOVOPAF").toInt(); }
    QString afColumn(int af, const char* column) {
        return afdb::scalar(connection(), QStringLiteral("SELECT %1 FROM AUTOFORNE WHERE NRAUTOFORN = :N").arg(column),
                            {{"N", afNo(af)}})
            .toString();
    }
    double afTotalColumn(int af) {
        return afdb::scalar(connection(), "SELECT VRTOTALAF FROM AUTOFORNE WHERE NRAUTOFORN = :N", {{"N", afNo(af)}})
            .toDouble();
    }
    // A second group, of the other operator, that holds `code`: the fixture's buyer no longer has it.
    void reserveForAnotherGroup(const char* code) {
        afdb::exec(connection(), "INSERT INTO GRUPOPER (CDGRUPOPER, NMGRUPOPER) VALUES ('02', 'Gerência')");
        afdb::exec(connection(), "INSERT INTO OPERGRUPOP (CDGRUPOPER, CDOPERADOR) VALUES ('02', :OP)",
                   {{"OP", world.w.operatorCode}});
        afdb::exec(connection(), "INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('02', :C)", {{"C", code}});
    }
    void grantToBuyersGroup(const char* code) {
        afdb::exec(connection(), "INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('01', :C)", {{"C", code}});
    }
    // What GetVerifica says of the list as it stands.
    QString verification(const host::Dataset& ds) {
        const host::RpcResponse r = call("GetVerifica", {host::RemoteValue::packet(ds.data())});
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        return r.ok ? r.value.array().at(1).toText() : QString();
    }

    // A right a change needs: refused (by the check and by the save) while
    // another group holds it, allowed once the buyer's group holds it too.
    void checkRight(const char* right, const QVariant& quantity, const char* refusal) {
        host::Dataset ds;
        loadItems(ds);
        // Before any group holds the code, everybody has it.
        change(ds, 12, world.p2, {}, quantity);
        EXPECT_EQ(verification(ds), QString());

        reserveForAnotherGroup(right);
        const QStringList before = itemsOfBranch();
        const QString expected = QStringLiteral("AF 0000000012 (0002/0001), produto 0102004, entrega 02/05/2024: ") +
                                 QString::fromUtf8(refusal);
        EXPECT_EQ(verification(ds), expected);
        const host::RpcResponse refused = save(ds);
        EXPECT_FALSE(refused.ok);
        EXPECT_TRUE(refused.message.contains(expected)) << refused.message.toStdString();
        EXPECT_EQ(itemsOfBranch(), before);
        EXPECT_EQ(logRows(), 0);

        grantToBuyersGroup(right);
        EXPECT_EQ(verification(ds), QString());
        const host::RpcResponse allowed = save(ds);
        EXPECT_TRUE(allowed.ok) << allowed.message.toStdString();
    }
};

TEST_P(AltAfRightsTest, TheBranchsReadOnlyGroupWritesNothing) {
    // The buyer works in the central, whose read-only group is the buyer's own group.
    afdb::exec(connection(), "UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :OP",
               {{"F", world.w.central}, {"OP", world.w.buyer}});
    afdb::exec(connection(), "UPDATE PARASUPRI SET CDGRUPOPER = '01' WHERE CDFILIAL = :F", {{"F", world.w.central}});
    host::Dataset ds;
    loadItems(ds);
    const QStringList before = itemsOfBranch();
    change(ds, 12, world.p2, {}, 9.0);
    const host::RpcResponse r = save(ds);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, readOnlyRefusal());
    EXPECT_EQ(itemsOfBranch(), before);
    EXPECT_EQ(logRows(), 0);

    // Another branch's group does not bind the buyer.
    afdb::exec(connection(), "UPDATE PARASUPRI SET CDGRUPOPER = NULL WHERE CDFILIAL = :F", {{"F", world.w.central}});
    const host::RpcResponse again = save(ds);
    EXPECT_TRUE(again.ok) << again.message.toStdString();
}

TEST_P(AltAfRightsTest, ItemsOfAnAutomaticAfNeedAlaf) {
    afdb::exec(connection(), "UPDATE AUTOFORNE SET IDTIPOLANCAF = 'A' WHERE NRAUTOFORN = :N", {{"N", afNo(12)}});
    checkRight("ALAF", 9.0, "Operação bloqueada. Operador não possui permissão para alterar AF automática.");
}

TEST_P(AltAfRightsTest, ZeroingAQuantityNeedsExaf) {
    checkRight("EXAF", 0.0, "Operação bloqueada. Operador não possui permissão para excluir item de AF.");
}

TEST_P(AltAfRightsTest, QuantitiesNoColumnCanKeepAreRefusedAndNothingIsWritten) {
    const double inf = std::numeric_limits<double>::infinity();
    for (const double q : {inf, 1e300, 1e10, 1000000000.0}) {
        SCOPED_TRACE(q);
        host::Dataset ds;
        loadItems(ds);
        const QStringList before = itemsOfBranch();
        change(ds, 12, world.p2, {}, q);
        EXPECT_TRUE(verification(ds).contains(QStringLiteral("está fora do limite de 999.999.999,99999")));
        const host::RpcResponse r = save(ds);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(itemsOfBranch(), before);
        EXPECT_EQ(logRows(), 0);
    }
    host::Dataset ds;
    loadItems(ds);
    change(ds, 12, world.p2, {}, 999999999.0);
    EXPECT_EQ(verification(ds), QString());
    const host::RpcResponse r = save(ds);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
}

TEST_P(AltAfRightsTest, TheSaveRecomputesTheTotalAndTheBuyersLimitFlag) {
    // AF 12 holds 8 x 2.00 and 1 x 2.00; the buyer's limit is 100,000.00.
    afdb::exec(connection(), "UPDATE AUTOFORNE SET VRTOTALAF = 18, IDAFFORALIM = 'N', CDGERENTE = :G WHERE NRAUTOFORN = :N",
               {{"G", world.w.operatorCode}, {"N", afNo(12)}});
    afdb::exec(connection(), "UPDATE ITEMAUTF SET VRPERDESAF = 10 WHERE NRAUTOFORN = :N AND CDPRODUTO = :P",
               {{"N", afNo(12)}, {"P", world.p3}});
    host::Dataset ds;
    loadItems(ds);
    change(ds, 12, world.p2, {}, 60000.0);
    ASSERT_TRUE(save(ds).ok);
    EXPECT_DOUBLE_EQ(afTotalColumn(12), 120000 + 1.8);
    EXPECT_EQ(afColumn(12, "IDAFFORALIM"), QStringLiteral("S"));
    EXPECT_EQ(afColumn(12, "CDGERENTE"), QString());  // the approval no longer covers it

    host::Dataset back;
    loadItems(back);
    change(back, 12, world.p2, {}, 10.0);
    ASSERT_TRUE(save(back).ok);
    EXPECT_DOUBLE_EQ(afTotalColumn(12), 20 + 1.8);
    EXPECT_EQ(afColumn(12, "IDAFFORALIM"), QStringLiteral("N"));
    // An AF the batch did not touch keeps what it had.
    EXPECT_EQ(afColumn(11, "IDAFFORALIM"), QString());
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfRightsTest);

}  // namespace
}  // namespace platform::server::modules::altaf::testing
