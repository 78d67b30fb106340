#pragma once
// The fixture of the bulk alteration's tests (server and screen): the minimal
// world plus a supplies group with two sub-groups and AF items that tell the
// filters and the rules apart. Destination 0002, launching branch 0001:
//
//   AF          item (product/brand)   delivery    qty  delivered  settlement
//   0000000001  P1 0000000001 / 00001  2024-03-20  10              open
//   0000000011  P1 0000000001 / 00001  2024-04-10  10   4          "1" (AF "1")
//   0000000011  P2 0000000123 / 00045  2024-04-10   5              open
//   0000000012  P2 0000000123 / 00045  2024-05-02   8              open (request imported)
//   0000000012  P3 0000000200 / 00001  2024-05-02   1              open, other sub-group
//   0000000013  P1 0000000001 / 00001  2024-05-02   3   3          "2" (AF "2"): not listed
//   0000000014  P1 to branch 0001      2024-05-02   2              other branch: not listed
//
// Brands of the products (MARCPROD): P1 00001 and 00002 qualified, 00045 not
// qualified; P2 00045 qualified, 00001 qualified until 2024-01-01 (expired on
// the processing date 2024-06-14); 00003 is registered for no product.
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/server/dispatcher.h"
#include "platform/server/modules/common/afdb_database_provider.h"
#include "platform/server/modules/alt_af/alt_af_module.h"
#include "platform/server/modules/common/authorisation.h"

#include "host/data/data_packet.h"
#include "host/data/dataset.h"
#include "host/remote/remote_names.h"
#include "host/remote/rpc_codec.h"

#include <QtCore/QDateTime>
#include <gtest/gtest.h>

#include <memory>

namespace platform::server::modules::altaf::testing {

struct AltAfWorld {
    afdb::testing::MinimalWorld w;
    QString group = QStringLiteral("0000000001");
    QString subGroup = QStringLiteral("0000000010");
    QString otherSubGroup = QStringLiteral("0000000020");
    QString p1 = QStringLiteral("0000000001");
    QString p2 = QStringLiteral("0000000123");
    QString p3 = QStringLiteral("0000000200");
    QString brand1 = QStringLiteral("00001");
    QString brand2 = QStringLiteral("00002");
    QString brandNowhere = QStringLiteral("00003");
    QString brand45 = QStringLiteral("00045");
    QString request = QStringLiteral("0000000001");
};

inline QDateTime day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC); }
inline host::DateTime hostDay(int y, int m, int d) { return host::DateTime{day(y, m, d).toMSecsSinceEpoch()}; }
inline QString afNo(int n) { return QStringLiteral("%1").arg(n, 10, 10, QLatin1Char('0')); }

inline void seedAltAf(const QSqlDatabase& db, AltAfWorld& a) {
    using afdb::testing::insertRow;
    a.w = afdb::testing::seedMinimalWorld(db);
    const afdb::testing::MinimalWorld& w = a.w;
    insertRow(db, "GRUPPROD", {{"CDGRUPPROD", a.group}, {"NMGRUPPROD", "Suprimentos"}});
    insertRow(db, "SUBGRUPPROD", {{"CDGRUPPROD", a.group}, {"CDSUBGRPROD", a.subGroup}, {"NMSUBGRPROD", "Limpeza"}});
    insertRow(db, "SUBGRUPPROD",
              {{"CDGRUPPROD", a.group}, {"CDSUBGRPROD", a.otherSubGroup}, {"NMSUBGRPROD", "Escritório"}});
    insertRow(db, "PARASUPRI", {{"CDFILIAL", w.central}, {"CDGRUPPROD", a.group}, {"IDATUSOLILAF", "S"}});
    afdb::exec(db, "UPDATE PRODUTO SET CDGRUPPROD = :G, CDSUBGRPROD = :S WHERE CDPRODUTO = :P",
               {{"G", a.group}, {"S", a.subGroup}, {"P", a.p1}});
    insertRow(db, "PRODUTO", {{"CDPRODUTO", a.p2}, {"CDARVPROD", "0102004"}, {"NMPRODUTO", "Detergente 500 ml"},
                              {"CDGRUPPROD", a.group}, {"CDSUBGRPROD", a.subGroup}});
    insertRow(db, "PRODUTO", {{"CDPRODUTO", a.p3}, {"CDARVPROD", "0103001"}, {"NMPRODUTO", "Caneta azul"},
                              {"CDGRUPPROD", a.group}, {"CDSUBGRPROD", a.otherSubGroup}});
    insertRow(db, "MARCA", {{"CDMARCA", a.brand2}, {"NMMARCA", "Marca Dois"}});
    insertRow(db, "MARCA", {{"CDMARCA", a.brandNowhere}, {"NMMARCA", "Marca Avulsa"}});
    insertRow(db, "MARCA", {{"CDMARCA", a.brand45}, {"NMMARCA", "Marca 45"}});
    struct Reg {
        QString product, brand, qualified;
        QVariant validUntil;
    };
    for (const Reg& r : {Reg{a.p1, a.brand1, "S", {}}, Reg{a.p1, a.brand2, "S", day(2030, 1, 1)},
                         Reg{a.p1, a.brand45, "N", {}}, Reg{a.p2, a.brand45, "S", {}},
                         Reg{a.p2, a.brand1, "S", day(2024, 1, 1)}, Reg{a.p3, a.brand1, "S", {}}})
        insertRow(db, "MARCPROD",
                  {{"CDPRODUTO", r.product}, {"CDMARCA", r.brand}, {"IDQUALIMARC", r.qualified},
                   {"DTVALQUALMARC", r.validUntil}});

    auto af = [&](int n, const QString& dest, const char* settlement) {
        insertRow(db, "AUTOFORNE", {{"CDFILDEST", dest}, {"CDFILLANC", w.central}, {"NRAUTOFORN", afNo(n)},
                                    {"CDFORNECED", w.supplier}, {"DTAUTOFORN", day(2024, 3, 1)},
                                    {"CDOPERADOR", w.buyer}, {"IDBAIXAAF", settlement}, {"IDTIPOLANCAF", "M"}});
    };
    auto item = [&](int n, const QString& dest, const QString& product, const QString& brand, const QDateTime& when,
                    double qty, QVariant delivered, const char* settlement) {
        insertRow(db, "ITEMAUTF", {{"CDFILDEST", dest}, {"CDFILLANC", w.central}, {"NRAUTOFORN", afNo(n)},
                                   {"CDPRODUTO", product}, {"DTPROGENTAF", when}, {"CDMARCA", brand},
                                   {"QTPROGENTAF", qty}, {"QTEFETENTRAF", delivered}, {"IDBAIXITMAF", settlement},
                                   {"VRPREUNIAF", 2.0}});
    };
    af(11, w.branch, "1");
    item(11, w.branch, a.p1, a.brand1, day(2024, 4, 10), 10, 4.0, "1");
    item(11, w.branch, a.p2, a.brand45, day(2024, 4, 10), 5, {}, "");
    af(12, w.branch, "");
    item(12, w.branch, a.p2, a.brand45, day(2024, 5, 2), 8, {}, "");
    item(12, w.branch, a.p3, a.brand1, day(2024, 5, 2), 1, {}, "");
    af(13, w.branch, "2");
    item(13, w.branch, a.p1, a.brand1, day(2024, 5, 2), 3, 3.0, "2");
    af(14, w.central, "");
    item(14, w.central, a.p1, a.brand1, day(2024, 5, 2), 2, {}, "");

    insertRow(db, "SOLICMP", {{"CDFILLAN", w.central}, {"NRSOLICMP", a.request}, {"CDFILSOLI", w.branch},
                              {"DTSOLCMP", day(2024, 2, 20)}, {"CDOPERADOR", w.buyer}});
    insertRow(db, "ITEMSOLICMP", {{"CDFILLAN", w.central}, {"NRSOLICMP", a.request}, {"CDPRODUTO", a.p2},
                                  {"CDMARCA", a.brand45}, {"DTPROGENTR", day(2024, 5, 2)}, {"QTSOLIPROD", 8.0},
                                  {"IDSITUITSOL", "I"}, {"CDFILDEST", w.branch}, {"CDFILLANC", w.central},
                                  {"NRAUTOFORN", afNo(12)}, {"DTIMPORTACAO", day(2024, 3, 1)}});
}

// The sixteen history texts of the screen, with the operator between "AF Manual" and "Inclusão".
inline std::vector<host::RemoteValue> historyTexts(const QString& operatorCode) {
    return {"AF Manual", operatorCode, "Inclusão", "Exclusão", "Alteração de AF-Inclusão de Item",
            "Alteração de AF-Exclusão de Item", "Alteração da Baixa do Item", "Alteração de AF-Alter. da Baixa",
            "para", "Alteração da Quantidade", "Alteração de AF-Alter. da Quant.", "Em Aberto", "Baixa Parcial",
            "Baixa Total", "Baixa Manual", "Alteração da Baixa da AF", "Alteração de AF-Alter. da Baixa"};
}

// The module behind a dispatcher, with a session of the fixture's buyer.
class AltAfServerTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        seedAltAf(connection(), world);
        provider = std::make_unique<AfdbDatabaseProvider>(database());
        registerAltAF(registry);
        registry.setWriteAuthoriser(authoriseWrite);
        dispatcher = std::make_unique<Dispatcher>(registry, sessions, provider.get());
        token = sessions.open({world.w.buyer, QStringLiteral("Comprador Um")});
    }

    host::RpcResponse call(const QString& method, std::vector<host::RemoteValue> args) {
        host::RpcRequest r;
        r.module = host::names::altAF::module;
        r.method = method;
        r.session = token;
        r.args = std::move(args);
        return dispatcher->dispatch(r);
    }

    // The branch's items of the sub-group, as the screen's dataset holds them.
    void loadItems(host::Dataset& ds, const QString& subGroup = {}) {
        const host::RpcResponse r =
            call("GetAF", {world.w.branch, world.group, subGroup.isEmpty() ? world.subGroup : subGroup,
                           host::RemoteValue(), host::RemoteValue(), "T"});
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        ds.setData(r.value.packetBytes());
    }

    // Moves to the item of that AF and product (its first one) and writes the changes.
    static void change(host::Dataset& ds, int af, const QString& product, const QVariant& brand,
                       const QVariant& qty = {}) {
        ASSERT_TRUE(ds.locate("NRAUTOFORN;CDPRODUTO", {afNo(af), product})) << af << " " << product.toStdString();
        ds.edit();
        if (brand.isValid()) ds.field("CDMARCA").setVariant(brand);
        if (qty.isValid()) ds.field("QTPROGENTAF").setVariant(qty);
        ds.post();
    }

    host::RpcResponse save(const host::Dataset& ds, bool updateRequests = false) {
        std::vector<host::RemoteValue> args{host::RemoteValue::packet(ds.delta()), updateRequests};
        for (host::RemoteValue& t : historyTexts(world.w.buyer)) args.push_back(std::move(t));
        return call("SetAF", std::move(args));
    }

    AltAfWorld world;
    std::unique_ptr<AfdbDatabaseProvider> provider;
    ModuleRegistry registry;
    SessionManager sessions;
    std::unique_ptr<Dispatcher> dispatcher;
    QString token;
};

}  // namespace platform::server::modules::altaf::testing
