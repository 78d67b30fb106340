// GetVerifica: the brand findings and the problems of the pending changes.
#include "alt_af_test_support.h"

#include "platform/db/sql_exec.h"
#include "platform/db/transaction.h"

#include "host/testing/qt_printers.h"

namespace platform::server::modules::altaf::testing {
namespace {

struct Outcome {
    QStringList findings;  // "CDCHAVE:DSERROS"
    QString problems;
};

class AltAfVerifyTest : public AltAfServerTest {
protected:
    Outcome verify(const host::Dataset& ds) {
        const host::RpcResponse r = call("GetVerifica", {host::RemoteValue::packet(ds.data())});
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        if (!r.ok) return {};
        const host::RemoteValue::Array& a = r.value.array();
        EXPECT_EQ(a.size(), 2u);
        Outcome out;
        host::Dataset rows;
        rows.setData(a[0].packetBytes());
        for (rows.first(); !rows.eof(); rows.next())
            out.findings << rows.field("CDCHAVE").asString() + ":" + rows.field("DSERROS").asString();
        out.problems = a[1].toText();
        return out;
    }
};

TEST_P(AltAfVerifyTest, BrandFindingsPerProductAndBrand) {
    struct Case {
        const char* what;
        int af;
        QString product, brand;
        QStringList findings;
    };
    const std::vector<Case> cases = {
        {"registered and qualified", 1, world.p1, world.brand2, {}},
        {"registered for no product", 1, world.p1, world.brandNowhere, {world.p1 + world.brandNowhere + ":1"}},
        {"registered, not qualified", 1, world.p1, world.brand45, {world.p1 + world.brand45 + ":2"}},
        {"qualification expired before the processing date", 12, world.p2, world.brand1, {world.p2 + world.brand1 + ":2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::Dataset ds;
        loadItems(ds);
        change(ds, c.af, c.product, c.brand);
        const Outcome o = verify(ds);
        EXPECT_EQ(o.findings, c.findings);
        EXPECT_EQ(o.problems, QString());
    }
}

TEST_P(AltAfVerifyTest, OneFindingForEveryItemOfTheSameProductAndBrand) {
    host::Dataset ds;
    loadItems(ds);
    change(ds, 11, world.p2, world.brand1);
    change(ds, 12, world.p2, world.brand1);
    EXPECT_EQ(verify(ds).findings, QStringList{world.p2 + world.brand1 + ":2"});
}

TEST_P(AltAfVerifyTest, TheRulesOfQuantitiesAndSettledItems) {
    struct Case {
        const char* what;
        int af;
        QString product;
        QVariant brand, qty;
        QString problem;  // empty: accepted
    };
    const QString partial = "AF 0000000011 (0002/0001), produto 0102003, entrega 10/04/2024: ";
    const std::vector<Case> cases = {
        {"zero on an open item", 1, world.p1, {}, 0.0, ""},
        {"zero on a partly settled item", 11, world.p1, {}, 0.0,
         partial + "o item está com baixa parcial e a quantidade não pode ser zerada."},
        {"below what was delivered", 11, world.p1, {}, 3.0, partial + "a quantidade 3,000 é menor que a já entregue (4,000)."},
        {"down to what was delivered", 11, world.p1, {}, 4.0, ""},
        {"only the quantity of a partly settled item", 11, world.p1, {}, 12.5, ""},
        {"negative", 1, world.p1, {}, -1.0,
         "AF 0000000001 (0002/0001), produto 0102003, entrega 20/03/2024: a quantidade deve ser igual ou maior que 0."},
        {"brand of a partly settled item", 11, world.p1, world.brand2, {},
         partial + "o item está com baixa parcial e sua marca não pode ser alterada."},
        {"brand that does not exist", 1, world.p1, "00999", {},
         "AF 0000000001 (0002/0001), produto 0102003, entrega 20/03/2024: marca 00999 não cadastrada."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::Dataset ds;
        loadItems(ds);
        change(ds, c.af, c.product, c.brand, c.qty);
        EXPECT_EQ(verify(ds).problems, c.problem);
    }
}

TEST_P(AltAfVerifyTest, AnItemChangedOrSettledSinceItWasReadIsAProblem) {
    struct Case {
        const char* what;
        const char* sql;
        QString problem;
    };
    const QString item = "AF 0000000001 (0002/0001), produto 0102003, entrega 20/03/2024: ";
    const std::vector<Case> cases = {
        {"quantity changed", "UPDATE ITEMAUTF SET QTPROGENTAF = 11 WHERE NRAUTOFORN = '0000000001'",
         item + "o item foi alterado por outro usuário desde a leitura. Recarregue a lista."},
        {"item settled", "UPDATE ITEMAUTF SET IDBAIXITMAF = '2' WHERE NRAUTOFORN = '0000000001'",
         item + "o item não está mais em aberto."},
        {"AF cancelled", "UPDATE AUTOFORNE SET IDBAIXAAF = '5' WHERE NRAUTOFORN = '0000000001'",
         item + "o item não está mais em aberto."},
        {"item gone", "DELETE FROM IMPITMAF WHERE NRAUTOFORN = '0000000001'; DELETE FROM ITEMAUTF WHERE NRAUTOFORN = '0000000001'",
         item.chopped(2) + ", marca 00001: o item não existe mais."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::Dataset ds;
        loadItems(ds);
        change(ds, 1, world.p1, {}, 7.0);
        afdb::transact(connection(), [&] {
            for (const QString& s : QString::fromLatin1(c.sql).split("; ")) afdb::exec(connection(), s);
        });
        EXPECT_EQ(verify(ds).problems, c.problem);
        afdb::transact(connection(), [&] {  // back as seeded for the next case
            afdb::exec(connection(), "UPDATE AUTOFORNE SET IDBAIXAAF = NULL WHERE NRAUTOFORN = '0000000001'");
        });
        if (c.sql[0] != 'D')
            afdb::exec(connection(),
                       "UPDATE ITEMAUTF SET QTPROGENTAF = 10, IDBAIXITMAF = NULL WHERE NRAUTOFORN = '0000000001'");
    }
}

TEST_P(AltAfVerifyTest, AListWithoutChangesHasNothingToReport) {
    host::Dataset ds;
    loadItems(ds);
    const Outcome o = verify(ds);
    EXPECT_TRUE(o.findings.isEmpty());
    EXPECT_EQ(o.problems, QString());
}

TEST_P(AltAfVerifyTest, RefusesInsertedAndDeletedRowsAndOtherFields) {
    struct Case {
        const char* what;
        std::function<void(host::Dataset&)> act;
        QString message;
    };
    const std::vector<Case> cases = {
        {"deleted row", [](host::Dataset& ds) { ds.first(); ds.deleteRecord(); },
         "A alteração de AF em lote não exclui itens (AF 0000000001 (0002/0001))."},
        {"delivery date", [](host::Dataset& ds) { ds.first(); ds.edit(); ds.field("DTPROGENTAF").setAsDateTime(hostDay(2024, 9, 1)); ds.post(); },
         "Só a marca e a quantidade dos itens podem ser alteradas; AF 0000000001 (0002/0001) alterou DTPROGENTAF."},
        {"settlement", [](host::Dataset& ds) { ds.first(); ds.edit(); ds.field("IDBAIXITMAF").setAsString("2"); ds.post(); },
         "Só a marca e a quantidade dos itens podem ser alteradas; AF 0000000001 (0002/0001) alterou IDBAIXITMAF."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host::Dataset ds;
        loadItems(ds);
        c.act(ds);
        const host::RpcResponse r = call("GetVerifica", {host::RemoteValue::packet(ds.data())});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message);
    }
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfVerifyTest);

}  // namespace
}  // namespace platform::server::modules::altaf::testing
