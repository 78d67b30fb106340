#include "item_datasets.h"

#include "item_domains.h"

#include "afdesk/core/model/dataset_packets.h"
#include "afdesk/core/model/test_packets.h"
#include "host/data/dataset.h"
#include "host/testing/qt_printers.h"
#include "platform/server/modules/lanca_autof/lanca_autof_fields.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

namespace server = platform::server::modules::fields;
using host::Dataset;
using testing::expectServerFields;
using testing::packetFor;
using testing::Row;
using testing::s;

host::DateTime day(int y, int m, int d) { return host::DateTime::fromDate(QDate(y, m, d), QTime(0, 0)); }

TEST(ItemDatasets, ProductsAndItemsAreWhatTheServerSends) {
    Dataset products(QStringLiteral("cdsItemAutf_Produto"));
    defineItemAutfProduto(products);
    expectServerFields(products, server::itemAutfProduto());
    Dataset items(QStringLiteral("cdsItemAutF"));
    defineItemAutF(items);
    expectServerFields(items, server::itemAutF());

    Dataset brands(QStringLiteral("cdsPesqMarca"));
    definePesqMarca(brands);
    expectServerFields(brands, server::pesqMarca());

    loadPacket(items, packetFor(server::itemAutF(), {{{"CDPRODUTO", s("0000000001")}, {"QTPROGENTAF", 3.0}}}));
    ASSERT_EQ(items.recordCount(), 1);
    for (const host::Field* f : items.fields()) EXPECT_TRUE(f->definedInCode()) << f->name().toStdString();
}

TEST(ItemDatasets, TheScratchCopyTakesTheItemsPacketWithoutTheTailFields) {
    Dataset aux(QStringLiteral("cdsAuxItemAutF"));
    defineAuxItemAutF(aux);
    QStringList names;
    for (const host::Field* f : aux.fields()) names << f->name();
    EXPECT_FALSE(names.contains("TOTAL"));
    EXPECT_FALSE(names.contains("NRLANCTONF"));
    EXPECT_FALSE(names.contains("IDITMSEPARADO"));
    EXPECT_EQ(names.indexOf("IDMOTPRESCAF") + 1, names.indexOf("QTDISPITEMAFECC"));
    EXPECT_EQ(names.last(), "QTDISPITEMAFECC");
    EXPECT_EQ(aux.field("VRPREUNIAF").def().editFormat, "####,##0.00000");
}

class Items : public ::testing::Test {
protected:
    void SetUp() override {
        defineItemAutF(items, [this] { return produtosTab; },
                       [this](const Dataset& ds) { return origins.value(ds.field("CDPRODUTO").asString()); });
    }
    void load(const std::vector<Row>& rows) { loadPacket(items, packetFor(server::itemAutF(), rows)); }

    Dataset items{QStringLiteral("cdsItemAutF")};
    bool produtosTab = true;
    QHash<QString, QString> origins;
};

TEST_F(Items, TotalIsTheGrossAndTheRestIsWhatIsStillToBeDelivered) {
    load({{{"CDPRODUTO", s("1")}, {"QTPROGENTAF", 10.0}, {"VRPREUNIAF", 2.5}, {"VRPERDESAF", 10.0}, {"QTEFETENTRAF", 4.0}},
          {{"CDPRODUTO", s("2")}, {"QTPROGENTAF", 3.0}}});
    items.first();
    EXPECT_DOUBLE_EQ(items.field("TOTAL").asFloat(), 25.0);  // the discount is not subtracted
    EXPECT_EQ(items.field("TOTAL").displayText(), "25,00");
    EXPECT_EQ(items.field("CALCQTEFET").displayText(), "6,000");
    items.next();
    EXPECT_DOUBLE_EQ(items.field("TOTAL").asFloat(), 0.0);  // no price yet
    EXPECT_DOUBLE_EQ(items.field("CALCQTEFET").asFloat(), 3.0);

    // A changed quantity is recalculated at once.
    items.edit();
    items.field("QTPROGENTAF").setAsFloat(5);
    EXPECT_DOUBLE_EQ(items.field("CALCQTEFET").asFloat(), 5.0);
    items.cancel();
}

TEST_F(Items, NothingIsRecalculatedWhileTheItemsAreRewrittenInBulk) {
    load({{{"CDPRODUTO", s("1")}, {"QTPROGENTAF", 10.0}, {"VRPREUNIAF", 2.0}}});
    {
        const BulkScope bulk(items);
        items.edit();
        items.field("QTPROGENTAF").setAsFloat(20);
        EXPECT_NE(items.field("TOTAL").asFloat(), 40.0);  // not followed meanwhile
        items.post();
    }
    items.edit();
    items.field("VRPREUNIAF").setAsFloat(3);
    EXPECT_DOUBLE_EQ(items.field("TOTAL").asFloat(), 60.0);
    items.post();
}

TEST_F(Items, CodedFieldsShowTheirTexts) {
    struct Case {
        const char* field;
        const char* code;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"IDBAIXITMAF", "", "Em Aberto"},        {"IDBAIXITMAF", "1", "Baixa Parcial"},
        {"IDBAIXITMAF", "2", "Baixa Total"},     {"IDBAIXITMAF", "3", "Baixa Manual"},
        {"IDBAIXITMAF", "4", ""},                {"IDBAIXITAFS", "2", "Baixa Total"},
        {"IDBAIXITMFUTURA", "S", "Sim"},         {"IDBAIXITMFUTURA", "N", "Não"},
        {"IDBAIXITMFUTURA", "X", ""},            {"IDTPLANITEAF", "A", "Automática"},
        {"IDTPLANITEAF", "M", "Manual"},         {"IDTPLANITEAF", "Q", ""},
        {"IDMOTPRESCAF", "1700000000", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.code);
        load({{{c.field, s(c.code)}}});
        EXPECT_EQ(items.field(c.field).displayText(), QString::fromUtf8(c.text));
    }
}

TEST_F(Items, TheReceivingOperatorShowsWithTheReceiptDate) {
    load({{{"NMOPERADOR", s("Ana Souza")}, {"DTBAIXITMAF", day(2024, 3, 5)}}, {{"NMOPERADOR", s("")}}});
    EXPECT_EQ(items.field("NMOPERADOR").displayText(), "05/03/2024 - Ana Souza");
    items.next();
    EXPECT_EQ(items.field("NMOPERADOR").displayText(), "");
}

TEST_F(Items, AMigratedItemNamesItsOriginOnProdutosAndTheAfElsewhere) {
    origins.insert("1", "0000000007 - 02/03/2024");
    load({{{"CDPRODUTO", s("1")}, {"IDITAFMIGRADA", s("S")}},
          {{"CDPRODUTO", s("2")}, {"IDITAFMIGRADA", s("S")}},
          {{"CDPRODUTO", s("3")}, {"IDITAFMIGRADA", s("N")}}});
    EXPECT_EQ(items.field("IDITAFMIGRADA").displayText(), "Item de AF Migrado 0000000007 - 02/03/2024");
    items.next();
    EXPECT_EQ(items.field("IDITAFMIGRADA").displayText(), "Item de AF Migrado");  // origin not found
    items.next();
    EXPECT_EQ(items.field("IDITAFMIGRADA").displayText(), "");
    produtosTab = false;
    items.first();
    EXPECT_EQ(items.field("IDITAFMIGRADA").displayText(), "AF Migrada");
}

TEST(ItemDomains, ReasonsOfABestPriceItem) {
    EXPECT_FALSE(isReasonedItem(""));
    EXPECT_FALSE(isReasonedItem("0000000000"));
    EXPECT_EQ(reasonText("0000000000"), "");
    EXPECT_TRUE(isReasonedItem("0000100000"));
    EXPECT_EQ(reasonText("17A21"), "Escolhido por Produto Preferencial.\n"
                                   "Escolhido por Fornecedor/Marca Obrigatórios.\n"
                                   "Escolhido por Acordo.\n"
                                   "Escolhido por Marca Preferencial.\n"
                                   "Escolhido da Lista de Preços.\n");
    EXPECT_EQ(reasonText("0900200000"), "Escolhido por Fornecedor/Marca Restritivos.\nEscolhido da Cotação Fora da Lista.\n");
    EXPECT_EQ(reasonText("00000999"), "");  // positions past 5 carry nothing
}

TEST(ItemDomains, ProductCheckFlagsInPositionOrder) {
    EXPECT_EQ(productErrorTexts("SNNSNNNNSN", true),
              (QStringList{"Produto inativo ou produto de estoque relacionado inativo para a filial.",
                           "Marca com qualificação vencida.", "Produto comprado pela filial."}));
    EXPECT_EQ(productErrorTexts("NNNNNNNNSS", false), QStringList{"Produto comprado pela matriz."});
    EXPECT_EQ(productErrorTexts("", false), QStringList{});
}

TEST(ItemDatasets, LookupTablesShowTheirCodes) {
    Dataset lista(QStringLiteral("cdsPesqLista"));
    definePesqLista(lista);
    Dataset valores(QStringLiteral("cdsPesqValores"));
    definePesqValores(valores);
    std::vector<host::FieldDef> listaFields, valoresFields;
    for (const host::Field* f : lista.fields()) listaFields.push_back(f->def());
    for (const host::Field* f : valores.fields()) valoresFields.push_back(f->def());
    loadPacket(lista, packetFor(listaFields, {{{"RANKING", 2.0}}}));
    EXPECT_EQ(lista.field("RANKING").displayText(), "2º");
    loadPacket(valores, packetFor(valoresFields, {{{"IDTPIJURFORN", s("I")}, {"NRINSJURFORN", s("12345678000199")}},
                                                  {{"IDTPIJURFORN", s("O")}}}));
    EXPECT_EQ(valores.field("IDTPIJURFORN").displayText(), "Insc. Jurídica");
    valores.next();
    EXPECT_EQ(valores.field("IDTPIJURFORN").displayText(), "Outros");

    for (auto define : {defineVdProdutoMarca, defineProdExiste, definePesqMarca, defineResultErros, defineParamProdSup}) {
        Dataset ds;
        define(ds);
        EXPECT_GT(ds.fieldCount(), 0);
        ds.createDataset();
        EXPECT_TRUE(ds.isEmpty());
    }
}

TEST(ItemDomains, EveryKeyedTextIsInTheMessageLinesOnce) {
    const QStringList lines = itemMessageLines();
    EXPECT_TRUE(lines.contains("EmAberto|Em Aberto"));
    EXPECT_TRUE(lines.contains("EscApur_AC|Escolhido por Acordo."));
    EXPECT_TRUE(lines.contains("ProdCmpFili_Matriz|Produto comprado pela matriz."));
    EXPECT_TRUE(lines.contains("OUTROS_Pesq|Outros"));
    QSet<QString> keys;
    for (const QString& l : lines) {
        const QString key = l.section('|', 0, 0).toCaseFolded();
        EXPECT_FALSE(keys.contains(key)) << l.toStdString();
        keys.insert(key);
    }
}

}  // namespace
}  // namespace afdesk
