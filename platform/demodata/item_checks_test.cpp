// The demo meets every check of the item entry on both sides, asked of the
// real server module as the workspace asks it: the product check of a
// logistic-operator branch, the supplier's delivery weekdays and the brand
// lookup.
#include "demo_test_fixture.h"

#include "platform/server/dispatcher.h"
#include "platform/server/modules/common/afdb_database_provider.h"
#include "platform/server/modules/lanca_autof/lanca_autof_module.h"

#include "host/data/data_packet.h"
#include "host/remote/remote_names.h"
#include "host/testing/qt_printers.h"

#include <map>
#include <set>
#include <tuple>

namespace afdemo::testing {
namespace {

using namespace platform::server;
using host::RemoteValue;

class DemoItemChecksTest : public GeneratedDemoTest {
protected:
    void SetUp() override {
        GeneratedDemoTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        provider = std::make_unique<modules::AfdbDatabaseProvider>(database());
        modules::registerLancaAutoF(registry);
        dispatcher = std::make_unique<Dispatcher>(registry, sessions, provider.get());
        token = sessions.open({QStringLiteral("ADMIN"), QStringLiteral("Administrador do Sistema")});
    }

    // The answer of a call that must succeed. The server runs on this thread's
    // connection: read a query to its end before asking.
    RemoteValue ask(QLatin1String method, std::vector<RemoteValue> args) {
        host::RpcRequest r;
        r.module = host::names::lancaAutoF::module;
        r.method = method;
        r.session = token;
        r.args = std::move(args);
        const host::RpcResponse answer = dispatcher->dispatch(r);
        EXPECT_TRUE(answer.ok) << QString(method).toStdString() << ": " << answer.message.toStdString();
        return answer.value;
    }

    std::vector<QStringList> rows(const QString& sql, int columns) {
        std::vector<QStringList> out;
        QSqlQuery q = afdb::exec(db(), sql);
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < columns; ++c) row << q.value(c).toString();
            out.push_back(row);
        }
        return out;
    }

    std::unique_ptr<modules::AfdbDatabaseProvider> provider;
    ModuleRegistry registry;
    SessionManager sessions;
    std::unique_ptr<Dispatcher> dispatcher;
    QString token;
};

const char* const kLeaves = "SELECT CDPRODUTO, CDARVPROD FROM PRODUTO WHERE CDNVPRODUTO = '03' ORDER BY CDPRODUTO";

QDate dateOf(const QString& stored) { return QDate::fromString(stored.left(10), QStringLiteral("yyyy-MM-dd")); }

// At a logistic-operator branch a buyer meets the three answers: his food
// (related to the operators), his other levels (not related) and the levels he
// does not buy.
TEST_P(DemoItemChecksTest, EveryAnswerOfTheProductCheckIsReachable) {
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM PRODOPERLOG R JOIN FILIAL F ON F.CDFILIAL = R.CDFILIAL "
                                   "WHERE F.IDFUNCAOFILI = 'O'")),
              0);
    const std::vector<QStringList> leaves = rows(QString::fromLatin1(kLeaves), 1);
    for (const char* buyer : {"MARIA", "JOAO"}) {
        SCOPED_TRACE(buyer);
        std::map<QString, int> answers;
        for (const QStringList& leaf : leaves)
            ++answers[ask(host::names::lancaAutoF::GetVer_ProdComp, {QString::fromLatin1(buyer), leaf[0]}).toText()];
        for (const char* answer : {"", "C", "R"}) EXPECT_GT(answers[QString::fromLatin1(answer)], 0) << '"' << answer << '"';
    }
}

// The AFs the logistic operators receive hold only what their buyers may buy there.
TEST_P(DemoItemChecksTest, ItemsOfTheOperatorsAfsPassTheProductCheck) {
    const std::vector<QStringList> items = rows(
        QStringLiteral("SELECT DISTINCT A.CDOPERADOR, I.CDPRODUTO FROM ITEMAUTF I JOIN AUTOFORNE A ON "
                       "A.CDFILDEST = I.CDFILDEST AND A.CDFILLANC = I.CDFILLANC AND A.NRAUTOFORN = I.NRAUTOFORN "
                       "JOIN FILIAL F ON F.CDFILIAL = A.CDFILDEST WHERE F.IDFUNCAOFILI = 'O'"),
        2);
    EXPECT_FALSE(items.empty());
    for (const QStringList& item : items) {
        SCOPED_TRACE(item.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(ask(host::names::lancaAutoF::GetVer_ProdComp, {item[0], item[1]}).toText(), QString());
    }
}

// Every delivery date of the demo's items is one its supplier delivers on, so
// an item typed again as it is passes.
TEST_P(DemoItemChecksTest, ItemDeliveriesFallOnTheSuppliersDays) {
    const std::vector<QStringList> deliveries = rows(
        QStringLiteral("SELECT DISTINCT I.CDFILDEST, A.CDFORNECED, I.DTPROGENTAF FROM ITEMAUTF I JOIN AUTOFORNE A ON "
                       "A.CDFILDEST = I.CDFILDEST AND A.CDFILLANC = I.CDFILLANC AND A.NRAUTOFORN = I.NRAUTOFORN"),
        3);
    ASSERT_FALSE(deliveries.empty());
    for (const QStringList& d : deliveries) {
        SCOPED_TRACE(d.join(QLatin1Char(' ')).toStdString());
        const host::DateTime typed = host::DateTime::fromDate(dateOf(d[2]));
        EXPECT_EQ(ask(host::names::lancaAutoF::Carrega_PeriForn, {d[0], d[1], typed}), RemoteValue(typed));
    }
}

// Some suppliers refuse some weekdays at a branch, and the answer moves to the
// next day they deliver; others deliver any day.
TEST_P(DemoItemChecksTest, SomeWeekdaysAreRefusedAndSomeSuppliersTakeAnyDay) {
    const std::vector<QStringList> restricted =
        rows(QStringLiteral("SELECT CDFILIAL, CDFORNECED, DSPERIENTR FROM FORNFILI WHERE DSPERIENTR LIKE '%N%' "
                            "ORDER BY CDFORNECED, CDFILIAL"),
             3);
    ASSERT_FALSE(restricted.empty());
    std::set<QString> patterns;
    for (const QStringList& r : restricted) patterns.insert(r[2]);
    EXPECT_GE(patterns.size(), 2u);
    const QStringList& first = restricted.front();
    int moved = 0;
    for (int n = 0; n < 7; ++n) {
        const QDate day = demoBaseDate().addDays(n);
        const QDate answer = ask(host::names::lancaAutoF::Carrega_PeriForn,
                                 {first[0], first[1], host::DateTime::fromDate(day)})
                                 .dateTime()
                                 .date();
        EXPECT_EQ(answer == day, first[2][day.dayOfWeek() % 7] == QLatin1Char('S')) << day.toString().toStdString();
        EXPECT_GE(answer, day);
        EXPECT_LE(answer, day.addDays(6));
        moved += answer != day ? 1 : 0;
    }
    EXPECT_GT(moved, 0);

    const std::vector<QStringList> anyDay =
        rows(QStringLiteral("SELECT CDFILIAL, CDFORNECED FROM FORNFILI WHERE DSPERIENTR IS NULL ORDER BY CDFORNECED"), 2);
    ASSERT_FALSE(anyDay.empty());
    for (int n = 0; n < 7; ++n) {
        const host::DateTime day = host::DateTime::fromDate(demoBaseDate().addDays(n));
        EXPECT_EQ(ask(host::names::lancaAutoF::Carrega_PeriForn, {anyDay[0][0], anyDay[0][1], day}), RemoteValue(day));
    }
}

// The brand lookup lists exactly the product's registered brands, and some
// products have none.
TEST_P(DemoItemChecksTest, BrandLookupWithAndWithoutBrands) {
    std::map<QString, QStringList> registered;
    QSqlQuery q = afdb::exec(db(), QStringLiteral("SELECT P.CDARVPROD, M.CDMARCA FROM MARCPROD M JOIN PRODUTO P ON "
                                                  "P.CDPRODUTO = M.CDPRODUTO ORDER BY P.CDARVPROD, M.CDMARCA"));
    while (q.next()) registered[q.value(0).toString()] << q.value(1).toString();
    int with = 0, without = 0;
    for (const QStringList& leaf : rows(QString::fromLatin1(kLeaves), 2)) {
        SCOPED_TRACE(leaf[1].toStdString());
        const host::Packet p =
            host::decodePacket(ask(host::names::lancaAutoF::GetPesqMarca, {leaf[1]}).packetBytes());
        QStringList brands;
        for (const host::PacketRow& row : p.rows) brands << std::get<QString>(row.values[0]);
        EXPECT_EQ(brands, registered[leaf[1]]);
        (brands.isEmpty() ? without : with) += 1;
    }
    EXPECT_GT(with, 0);
    EXPECT_GT(without, 0);
}

AFDB_INSTANTIATE_ON_ENGINES(DemoItemChecksTest);

}  // namespace
}  // namespace afdemo::testing
