// "Cmp04000.rdmAltAF": the supply parameters and the item list of the bulk alteration.
#include "alt_af_fields.h"
#include "alt_af_test_support.h"

#include "host/testing/qt_printers.h"

namespace platform::server::modules::altaf::testing {
namespace {

using host::RemoteValue;

class AltAfReadTest : public AltAfServerTest {
protected:
    QStringList listed(const host::Dataset& ds) {
        QStringList out;
        for (int r = 0; r < ds.recordCount(); ++r) {
            const QString* af = std::get_if<QString>(&ds.valueAt(r, ds.field("NRAUTOFORN").index()));
            const QString* p = std::get_if<QString>(&ds.valueAt(r, ds.field("CDPRODUTO").index()));
            out << QStringLiteral("%1/%2").arg(af ? af->right(2) : QString(), p ? p->right(3) : QString());
        }
        return out;
    }
};

TEST_P(AltAfReadTest, ParaSupriGivesTheSuppliesGroupOfThePurchasingBranch) {
    const host::RpcResponse r = call("GetParaSupri", {world.w.central});
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    host::Dataset ds;
    ds.setData(r.value.packetBytes());
    ASSERT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.field("CDGRUPPROD").asString(), world.group);
    EXPECT_EQ(ds.field("IDATUSOLILAF").asString(), QStringLiteral("S"));

    const host::RpcResponse none = call("GetParaSupri", {QStringLiteral("9999")});
    ASSERT_TRUE(none.ok);
    EXPECT_TRUE(host::decodePacket(none.value.packetBytes()).rows.empty());
}

TEST_P(AltAfReadTest, ListsTheOpenItemsOfTheBranchSubGroupAndPeriod) {
    struct Case {
        const char* what;
        QString subGroup;
        RemoteValue from, to;
        QString all;
        QStringList expected;  // AF/product, in list order
    };
    const std::vector<Case> cases = {
        {"every date", world.subGroup, {}, {}, "T", {"01/001", "11/001", "11/123", "12/123"}},
        {"April, whole days", world.subGroup, hostDay(2024, 4, 10), hostDay(2024, 4, 10), "", {"11/001", "11/123"}},
        {"March to May 1st", world.subGroup, hostDay(2024, 3, 1), hostDay(2024, 5, 1), "",
         {"01/001", "11/001", "11/123"}},
        {"inverted period lists nothing", world.subGroup, hostDay(2024, 5, 31), hostDay(2024, 3, 1), "", {}},
        {"other sub-group", world.otherSubGroup, {}, {}, "T", {"12/200"}},
        {"unknown sub-group", QStringLiteral("0000000099"), {}, {}, "T", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const host::RpcResponse r = call("GetAF", {world.w.branch, world.group, c.subGroup, c.from, c.to, c.all});
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        host::Dataset ds;
        ds.setData(r.value.packetBytes());
        EXPECT_EQ(listed(ds), c.expected);
    }
}

TEST_P(AltAfReadTest, ItemRowsCarryTheNamesAndTheSettlementOfEachItem) {
    host::Dataset ds;
    loadItems(ds);
    const host::Packet p = host::decodePacket(ds.data());
    const Fields layout = itemList();
    ASSERT_EQ(p.fields.size(), layout.size());
    for (size_t i = 0; i < layout.size(); ++i) EXPECT_EQ(p.fields[i].name, layout[i].name);

    ASSERT_TRUE(ds.locate("NRAUTOFORN;CDPRODUTO", {afNo(11), world.p1}));
    EXPECT_EQ(ds.field("NMPRODUTO").asString(), QStringLiteral("Arroz 5 kg"));
    EXPECT_EQ(ds.field("CDARVPROD").asString(), world.w.productTree);
    EXPECT_EQ(ds.field("NMFANTFORN").asString(), QStringLiteral("Fornecedor Teste"));
    EXPECT_EQ(ds.field("NRINSJURFORN").asString(), world.w.supplierDocument);
    EXPECT_EQ(ds.field("IDTPIJURFORN").asString(), QStringLiteral("J"));
    EXPECT_EQ(ds.field("NMMARCA").asString(), QStringLiteral("Marca Um"));
    EXPECT_EQ(ds.field("QTPROGENTAF").asFloat(), 10.0);
    EXPECT_EQ(ds.field("QTEFETENTRAF").asFloat(), 4.0);
    EXPECT_EQ(ds.field("IDBAIXITMAF").asString(), QStringLiteral("1"));
    EXPECT_EQ(ds.field("CDFILCENTCMP").asString(), world.w.central);
    EXPECT_EQ(ds.field("CDFILLANC").asString(), world.w.central);
    EXPECT_EQ(ds.field("CDOPERADOR").asString(), world.w.buyer);
    EXPECT_EQ(ds.field("DTPROGENTAF").asDateTime(), hostDay(2024, 4, 10));
}

TEST_P(AltAfReadTest, RefusesWhatTheScreenNeverSends) {
    struct Case {
        const char* what;
        std::vector<RemoteValue> args;
        QString message;
    };
    const std::vector<Case> cases = {
        {"one date", {world.w.branch, world.group, world.subGroup, hostDay(2024, 4, 1), RemoteValue(), ""},
         "Operação bloqueada. As duas datas devem ser preenchidas."},
        {"no dates without the flag", {world.w.branch, world.group, world.subGroup, RemoteValue(), RemoteValue(), ""},
         "Operação bloqueada. As duas datas devem ser preenchidas."},
        {"bad flag", {world.w.branch, world.group, world.subGroup, RemoteValue(), RemoteValue(), "X"},
         "Indicador de todas as datas inválido: \"X\"."},
        {"no branch", {"", world.group, world.subGroup, RemoteValue(), RemoteValue(), "T"}, "Filial deve ser informada."},
        {"no sub-group", {world.w.branch, world.group, "", RemoteValue(), RemoteValue(), "T"},
         "SubGrupo deve ser informado."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const host::RpcResponse r = call("GetAF", c.args);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, c.message);
    }
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfReadTest);

}  // namespace
}  // namespace platform::server::modules::altaf::testing
