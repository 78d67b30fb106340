// SetAF: the batch written in one transaction, with its history, settlements
// and purchase requests; nothing at all when anything fails.
#include "alt_af_test_support.h"

#include "platform/db/sql_exec.h"

#include "host/testing/qt_printers.h"

namespace platform::server::modules::altaf::testing {
namespace {

class AltAfSaveTest : public AltAfServerTest {
protected:
    // "AF/product/brand qty settlement" of every item of the branch, in key order.
    QStringList items() {
        QStringList out;
        QSqlQuery q = afdb::exec(connection(),
                                 "SELECT NRAUTOFORN, CDPRODUTO, CDMARCA, QTPROGENTAF, IDBAIXITMAF FROM ITEMAUTF "
                                 "WHERE CDFILDEST = :B ORDER BY NRAUTOFORN, CDPRODUTO, DTPROGENTAF, CDMARCA",
                                 {{"B", world.w.branch}});
        while (q.next())
            out << QStringLiteral("%1/%2/%3 %4 %5")
                       .arg(q.value(0).toString().right(2), q.value(1).toString().right(3), q.value(2).toString())
                       .arg(q.value(3).toDouble())
                       .arg(q.value(4).toString());
        return out;
    }
    // "AF product brand operation: description | method" of the log, in order.
    QStringList history() {
        QStringList out;
        QSqlQuery q = afdb::exec(connection(),
                                 "SELECT NRAUTOMOV, CDPRODMOV, CDMARCMOV, IDOPERAMOVAF, DSALTERAF, DSMETUSUMOVAF, "
                                 "CDOPERADOR, DSRDMUSUMOVAF FROM MOVOPAF ORDER BY NRSEQMOVAF");
        while (q.next()) {
            EXPECT_EQ(q.value(6).toString(), world.w.buyer);
            EXPECT_EQ(q.value(7).toString(), QStringLiteral("Cmp04000.rdmAltAF"));
            out << QStringLiteral("%1 %2 %3 %4: %5 | %6")
                       .arg(q.value(0).toString().right(2), q.value(1).toString().right(3), q.value(2).toString(),
                            q.value(3).toString(), q.value(4).toString(), q.value(5).toString());
        }
        return out;
    }
    QString scalarText(const QString& sql) { return afdb::scalar(connection(), sql).toString(); }
};

TEST_P(AltAfSaveTest, WritesBrandAndQuantityWithTheirHistory) {
    host::Dataset ds;
    loadItems(ds);
    const QStringList before = items();
    change(ds, 1, world.p1, world.brand2, 12.5);
    change(ds, 12, world.p2, {}, 9.0);
    const host::RpcResponse r = save(ds);
    ASSERT_TRUE(r.ok) << r.message.toStdString();

    QStringList expected = before;
    expected.replaceInStrings("01/001/00001 10 ", "01/001/00002 12.5 ");
    expected.replaceInStrings("12/123/00045 8 ", "12/123/00045 9 ");
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(history(), (QStringList{
                             "01 001 00001 E: Exclusão | Alteração de AF-Exclusão de Item",
                             "01 001 00002 I: Inclusão | Alteração de AF-Inclusão de Item",
                             "01 001 00002 A: Alteração da Quantidade: 10,000 para 12,500 | Alteração de AF-Alter. da Quant.",
                             "12 123 00045 A: Alteração da Quantidade: 8,000 para 9,000 | Alteração de AF-Alter. da Quant.",
                         }));
    // The item's taxes follow its new key; the AFs record who changed them.
    EXPECT_EQ(scalarText("SELECT CDMARCA FROM IMPITMAF WHERE NRAUTOFORN = '0000000001'"), world.brand2);
    EXPECT_EQ(scalarText("SELECT CDOPERULTALT FROM AUTOFORNE WHERE NRAUTOFORN = '0000000012'"), world.w.buyer);
    EXPECT_EQ(scalarText("SELECT CDOPERULTALT FROM AUTOFORNE WHERE NRAUTOFORN = '0000000011'"), QString());
    EXPECT_FALSE(afdb::scalar(connection(), "SELECT DTULTALTAF FROM AUTOFORNE WHERE NRAUTOFORN = '0000000001'").isNull());
}

TEST_P(AltAfSaveTest, ARefusedBatchWritesNothingAtAll) {
    host::Dataset ds;
    loadItems(ds);
    const QStringList before = items();
    change(ds, 1, world.p1, {}, 20.0);                     // fine on its own
    change(ds, 12, world.p2, world.brandNowhere, 8.0);   // brand not registered for the product
    const host::RpcResponse r = save(ds, true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("Alteração de AF recusada. Nada foi gravado.\n"
                                        "Produto 0000000123, marca 00003: marca não cadastrada para o produto."));
    EXPECT_EQ(items(), before);
    EXPECT_TRUE(history().isEmpty());
    EXPECT_EQ(scalarText("SELECT CDMARCA FROM ITEMSOLICMP"), world.brand45);
}

TEST_P(AltAfSaveTest, LoweringAPartlySettledItemToWhatWasDeliveredSettlesItAndItsAf) {
    // AF 11's other item is settled elsewhere first, so this change completes the AF.
    afdb::exec(connection(), "UPDATE ITEMAUTF SET IDBAIXITMAF = '3' WHERE NRAUTOFORN = '0000000011' AND CDPRODUTO = :P",
               {{"P", world.p2}});
    host::Dataset ds;
    loadItems(ds);
    change(ds, 11, world.p1, {}, 4.0);
    const host::RpcResponse r = save(ds);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(scalarText("SELECT IDBAIXITMAF FROM ITEMAUTF WHERE NRAUTOFORN = '0000000011' AND CDPRODUTO = '0000000001'"),
              QStringLiteral("2"));
    EXPECT_EQ(scalarText("SELECT IDBAIXAAF FROM AUTOFORNE WHERE NRAUTOFORN = '0000000011'"), QStringLiteral("2"));
    EXPECT_EQ(history(),
              (QStringList{
                  "11 001 00001 A: Alteração da Quantidade: 10,000 para 4,000 | Alteração de AF-Alter. da Quant.",
                  "11 001 00001 A: Alteração da Baixa do Item: Baixa Parcial para Baixa Total | Alteração de AF-Alter. da Baixa",
                  "11   A: Alteração da Baixa da AF: Baixa Parcial para Baixa Total | Alteração de AF-Alter. da Baixa",
              }));
}

TEST_P(AltAfSaveTest, PurchaseRequestsFollowTheItemOnlyWhenAsked) {
    struct Case {
        const char* what;
        bool update;
        QVariant brand, qty;
        QString expected;  // brand, situation and AF of the imported request item
    };
    const std::vector<Case> cases = {
        {"not asked", false, world.brand2, 0.0, "00045 I 0000000012"},
        {"new brand", true, world.brand2, {}, "00002 I 0000000012"},
        {"quantity changed", true, {}, 3.0, "00045 I 0000000012"},
        {"quantity to zero releases the request", true, {}, 0.0, "00045 A "},
    };
    afdb::testing::insertRow(connection(), "MARCPROD",
                             {{"CDPRODUTO", world.p2}, {"CDMARCA", world.brand2}, {"IDQUALIMARC", "S"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        afdb::exec(connection(), "UPDATE ITEMAUTF SET CDMARCA = '00045', QTPROGENTAF = 8 WHERE NRAUTOFORN = '0000000012' "
                                 "AND CDPRODUTO = '0000000123'");
        afdb::exec(connection(), "UPDATE ITEMSOLICMP SET CDMARCA = '00045', IDSITUITSOL = 'I', CDFILDEST = '0002', "
                                 "CDFILLANC = '0001', NRAUTOFORN = '0000000012'");
        host::Dataset ds;
        loadItems(ds);
        change(ds, 12, world.p2, c.brand, c.qty);
        const host::RpcResponse r = save(ds, c.update);
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        QSqlQuery q = afdb::exec(connection(), "SELECT CDMARCA, IDSITUITSOL, NRAUTOFORN FROM ITEMSOLICMP");
        ASSERT_TRUE(q.next());
        EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString()),
                  c.expected);
    }
}

TEST_P(AltAfSaveTest, TwoClientsChangingTheSameItemTheSecondGetsAConflictAndNothingIsLost) {
    host::Dataset first, second;
    loadItems(first);
    loadItems(second);
    change(first, 12, world.p2, {}, 20.0);
    change(second, 12, world.p2, {}, 30.0);
    change(second, 1, world.p1, {}, 15.0);  // the second client's other change must not land either
    ASSERT_TRUE(save(first).ok);
    const host::RpcResponse r = save(second);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("Alteração de AF recusada. Nada foi gravado.\n"
                                        "AF 0000000012 (0002/0001), produto 0102004, entrega 02/05/2024: o item foi "
                                        "alterado por outro usuário desde a leitura. Recarregue a lista."));
    EXPECT_EQ(scalarText("SELECT QTPROGENTAF FROM ITEMAUTF WHERE NRAUTOFORN = '0000000012' AND CDPRODUTO = '0000000123'")
                  .toDouble(),
              20.0);
    EXPECT_EQ(scalarText("SELECT QTPROGENTAF FROM ITEMAUTF WHERE NRAUTOFORN = '0000000001'").toDouble(), 10.0);
    EXPECT_EQ(history().size(), 1);
    // Reloaded, the second client's change goes through.
    host::Dataset again;
    loadItems(again);
    change(again, 12, world.p2, {}, 30.0);
    EXPECT_TRUE(save(again).ok);
}

TEST_P(AltAfSaveTest, NothingPendingWritesNothingAndWrongPacketsAreRefused) {
    host::Dataset ds;
    loadItems(ds);
    ASSERT_TRUE(save(ds).ok);
    EXPECT_TRUE(history().isEmpty());
    EXPECT_TRUE(afdb::scalar(connection(), "SELECT COUNT(*) FROM AUTOFORNE WHERE DTULTALTAF IS NOT NULL").toInt() == 0);

    std::vector<host::RemoteValue> args{host::RemoteValue::packet(ds.data()), false};
    for (host::RemoteValue& t : historyTexts(world.w.buyer)) args.push_back(std::move(t));
    const host::RpcResponse whole = call("SetAF", args);
    EXPECT_FALSE(whole.ok);
    EXPECT_EQ(whole.message, QStringLiteral("SetAF espera as alterações pendentes da lista (pacote delta)."));
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfSaveTest);

}  // namespace
}  // namespace platform::server::modules::altaf::testing
