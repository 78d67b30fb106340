// The loads of one AF and the start-up parameters, through the dispatcher,
// and one whole path over HTTP.
#include "lanca_autof_fields.h"
#include "platform/server/modules/testing/lanca_autof_test_support.h"


#include "host/remote/remote_connection.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace platform::server::modules::testing {
namespace {

using host::RemoteValue;

class AfLoadTest : public LancaAutoFTest {
protected:
    std::vector<RemoteValue> seededKey() const { return {world.branch, world.central, world.afNumber}; }
};

void expectLayout(const host::Packet& p, const Fields& expected) {
    ASSERT_EQ(p.fields.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(p.fields[i].name, expected[i].name);
        EXPECT_EQ(p.fields[i].type, expected[i].type) << expected[i].name.toStdString();
        EXPECT_EQ(p.fields[i].size, expected[i].size) << expected[i].name.toStdString();
    }
}

TEST_P(AfLoadTest, HeaderCarriesTheNamesOfItsCodes) {
    const host::Packet p = packetOf("GetAutoForne", seededKey());
    expectLayout(p, fields::autoForne());
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(text(p, 0, "NMRAZSOCFORN"), QStringLiteral("Fornecedor Teste Ltda"));
    EXPECT_EQ(text(p, 0, "NRINSJURFORN"), world.supplierDocument);
    EXPECT_EQ(text(p, 0, "NMFILIAL"), QStringLiteral("Central"));
    EXPECT_EQ(text(p, 0, "NMFILDEST"), QStringLiteral("Loja"));
    EXPECT_EQ(text(p, 0, "NMEMPRESA"), QStringLiteral("Empresa Teste"));
    EXPECT_EQ(text(p, 0, "NMOPERADOR"), QStringLiteral("Comprador Um"));
    EXPECT_EQ(value(p, 0, "VRTOTALAF"), host::Value(125.0));
    EXPECT_EQ(value(p, 0, "DTAUTOFORN"), host::Value(day(2024, 3, 5)));
}

TEST_P(AfLoadTest, UnknownAfGivesEmptyPacketsEverywhere) {
    const std::vector<RemoteValue> unknown = {world.branch, world.central, QStringLiteral("9999999999")};
    const std::vector<RemoteValue> swapped = {world.central, world.branch, world.afNumber};
    for (const char* method : {"GetAutoForne", "GetItemAutF", "GetItemAutf_Produto", "GetImpostoAF", "GetNFBaixa",
                               "GetMensagensAF", "GetPrazoPgtAF", "GetDataEncargo", "GetEncargo", "GetMovOpAF"}) {
        SCOPED_TRACE(method);
        EXPECT_TRUE(packetOf(method, unknown).rows.empty());
        EXPECT_TRUE(packetOf(method, swapped).rows.empty());
        EXPECT_FALSE(call(method, {world.branch, world.central}).ok);
        EXPECT_FALSE(call(method, {world.branch, world.central, 1}).ok);
    }
}

TEST_P(AfLoadTest, ItemsProductsAndTaxes) {
    const host::Packet items = packetOf("GetItemAutF", seededKey());
    expectLayout(items, fields::itemAutF());
    ASSERT_EQ(items.rows.size(), 1u);
    EXPECT_EQ(text(items, 0, "CDARVPROD"), world.productTree);
    EXPECT_EQ(text(items, 0, "NMMARCA"), QStringLiteral("Marca Um"));
    EXPECT_EQ(value(items, 0, "QTPROGENTAF"), host::Value(10.0));
    EXPECT_EQ(value(items, 0, "VRPREUNIAF"), host::Value(12.5));
    EXPECT_EQ(value(items, 0, "DTPROGENTAF"), host::Value(day(2024, 3, 20)));

    const host::Packet products = packetOf("GetItemAutf_Produto", seededKey());
    expectLayout(products, fields::itemAutfProduto());
    EXPECT_EQ(column(products, "CDPRODUTO"), QStringList{world.product});
    EXPECT_EQ(text(products, 0, "SGUNIDADE"), QStringLiteral("PCT"));

    const host::Packet taxes = packetOf("GetImpostoAF", seededKey());
    expectLayout(taxes, fields::impostoAF());
    ASSERT_EQ(taxes.rows.size(), 1u);
    EXPECT_EQ(text(taxes, 0, "NMIMPOSTO"), QStringLiteral("ICMS"));
    EXPECT_EQ(value(taxes, 0, "VRIMPITMAF"), host::Value(22.5));
}

// A field of the client's dataset: name, type and, for a string, its size.
struct ClientField {
    const char* name;
    host::FieldType type;
    int size = 0;
};

void expectClientFields(const host::Packet& p, const std::vector<ClientField>& expected) {
    ASSERT_EQ(p.fields.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(p.fields[i].name, QString::fromLatin1(expected[i].name));
        EXPECT_EQ(p.fields[i].type, expected[i].type);
        if (expected[i].type == host::FieldType::String) {
            EXPECT_EQ(p.fields[i].size, expected[i].size);
        }
    }
}

// The items' and the item products' datasets of the workspace, field for
// field (TOTAL and CALCQTEFET are calculated there and never travel).
TEST_P(AfLoadTest, ItemPacketsAreTheClientsDatasets) {
    using T = host::FieldType;
    const T s = T::String, f = T::Float, d = T::DateTime;
    const std::vector<ClientField> items = {
        {"CDFILDEST", s, 4},      {"CDFILLANC", s, 4},     {"CDPRODUTO", s, 10},      {"CDARVPROD", s, 20},
        {"NMPRODUTO", s, 50},     {"SGUNIDADE", s, 10},    {"DTPROGENTAF", d},        {"CDMARCA", s, 5},
        {"NMMARCA", s, 20},       {"QTPROGENTAF", f},      {"VRPREUNIAF", f},         {"NRPARCITMAF", s, 2},
        {"VRPERDESAF", f},        {"CDSEGMARCA", s, 5},    {"NMSEGMARCA", s, 20},     {"QTEFETENTRAF", f},
        {"DTEFETENTAF", d},       {"NRAUTOFORN", s, 10},   {"IDBAIXITMAF", s, 1},     {"IDBAIXITAFS", s, 1},
        {"TXOBSITMAF", s, 2000},  {"VRDESCITMAF", f},      {"QTVOLUITEMAF", f},       {"DTBAIXITMAF", d},
        {"CDOPERBAIXA", s, 12},   {"NMOPERADOR", s, 40},   {"IDMOTPRESCAF", s, 10},   {"NRLANCTONF", s, 10},
        {"IDTPLANITEAF", s, 20},  {"NRCOTPREITAF", s, 10}, {"NRLISTAITAF", s, 10},    {"IDTIPOLANITM", s, 1},
        {"QTDISPITEMAFECC", f},   {"IDBAIXITMFUTURA", s, 1}, {"IDITAFMIGRADA", s, 1}, {"DTENTRITMSOL", d},
        {"IDITMSEPARADO", s, 1},
    };
    expectClientFields(packetOf("GetItemAutF", seededKey()), items);
    expectClientFields(packetOf("GetItemAutf_Produto", seededKey()),
                       {{"CDPRODUTO", s, 10}, {"CDARVPROD", s, 20}, {"NMPRODUTO", s, 50}, {"SGUNIDADE", s, 10},
                        {"LISTA", s, 1}});
}

// The names an item shows come from its own codes: the brands', the product's
// and the operator who settled it by hand, not the AF's buyer.
TEST_P(AfLoadTest, ItemNamesComeFromTheItemsCodes) {
    afdb::testing::insertRow(connection(), "MARCA", {{"CDMARCA", "00002"}, {"NMMARCA", "Marca Dois"}});
    afdb::exec(connection(),
               "UPDATE ITEMAUTF SET CDSEGMARCA = '00002', CDOPERBAIXA = :OP, IDBAIXITMAF = '3', "
               "DTBAIXITMAF = :D, TXOBSITMAF = :OBS",
               {{"OP", world.operatorCode},
                {"D", QDateTime(QDate(2024, 3, 25), QTime(0, 0), Qt::UTC)},
                {"OBS", QString(2000, QLatin1Char('x'))}});
    const host::Packet items = packetOf("GetItemAutF", seededKey());
    ASSERT_EQ(items.rows.size(), 1u);
    EXPECT_EQ(text(items, 0, "NMPRODUTO"), QStringLiteral("Arroz 5 kg"));
    EXPECT_EQ(text(items, 0, "SGUNIDADE"), QStringLiteral("PCT"));
    EXPECT_EQ(text(items, 0, "NMMARCA"), QStringLiteral("Marca Um"));
    EXPECT_EQ(text(items, 0, "NMSEGMARCA"), QStringLiteral("Marca Dois"));
    EXPECT_EQ(text(items, 0, "CDOPERBAIXA"), world.operatorCode);
    EXPECT_EQ(text(items, 0, "NMOPERADOR"), QStringLiteral("Operador Um"));
    EXPECT_EQ(text(items, 0, "IDBAIXITMAF"), QStringLiteral("3"));
    EXPECT_EQ(value(items, 0, "DTBAIXITMAF"), host::Value(day(2024, 3, 25)));
    EXPECT_EQ(text(items, 0, "TXOBSITMAF").size(), 2000);

    // An item nobody settled and with one brand has no second name.
    afdb::exec(connection(), "UPDATE ITEMAUTF SET CDSEGMARCA = NULL, CDOPERBAIXA = NULL");
    const host::Packet open = packetOf("GetItemAutF", seededKey());
    EXPECT_EQ(value(open, 0, "NMSEGMARCA"), host::Value());
    EXPECT_EQ(value(open, 0, "NMOPERADOR"), host::Value());
    EXPECT_EQ(value(packetOf("GetItemAutf_Produto", seededKey()), 0, "LISTA"), host::Value());
}

TEST_P(AfLoadTest, TermsChargesAndMessages) {
    const host::Packet terms = packetOf("GetPrazoPgtAF", seededKey());
    expectLayout(terms, fields::prazoPgtAF());
    EXPECT_EQ(value(terms, 0, "NRDIASPGTOAF"), host::Value(30.0));

    const host::Packet dates = packetOf("GetDataEncargo", seededKey());
    expectLayout(dates, fields::dataEncargo());
    ASSERT_EQ(dates.rows.size(), 1u);
    EXPECT_EQ(value(dates, 0, "DTPROGENTAF"), host::Value(day(2024, 3, 20)));

    const host::Packet charges = packetOf("GetEncargo", seededKey());
    expectLayout(charges, fields::encargo());
    EXPECT_EQ(text(charges, 0, "NMENCARGO"), QStringLiteral("Frete"));
    EXPECT_EQ(value(charges, 0, "VRENCARGOAF"), host::Value(7.5));

    const host::Packet messages = packetOf("GetMensagensAF", seededKey());
    expectLayout(messages, fields::mensagensAF());
    EXPECT_EQ(column(messages, "DSMENSAF"), QStringList{QStringLiteral("Entregar pela manhã")});
}

TEST_P(AfLoadTest, AlterationLogJoinsTheItemText) {
    afdb::testing::insertRow(connection(), "MOVOPAF",
                             {{"CDFILDESMOV", world.branch},
                              {"CDFILLANMOV", world.central},
                              {"NRAUTOMOV", world.afNumber},
                              {"CDPRODMOV", world.product},
                              {"CDMARCMOV", world.brand},
                              {"DTPROGENTMOV", QDateTime(QDate(2024, 3, 20), QTime(0, 0), Qt::UTC)},
                              {"DTOPERAF", QDateTime(QDate(2024, 3, 6), QTime(9, 0), Qt::UTC)},
                              {"DSALTERAF", "Quantidade alterada"},
                              {"CDOPERADOR", world.buyer},
                              {"IDOPERAMOVAF", "A"}});
    afdb::testing::insertRow(connection(), "MOVOPAF",
                             {{"CDFILDESMOV", world.branch},
                              {"CDFILLANMOV", world.central},
                              {"NRAUTOMOV", world.afNumber},
                              {"DTOPERAF", QDateTime(QDate(2024, 3, 7), QTime(9, 0), Qt::UTC)},
                              {"DSALTERAF", "Frete alterado"},
                              {"IDOPERAMOVAF", "A"}});
    const host::Packet p = packetOf("GetMovOpAF", seededKey());
    expectLayout(p, fields::movOpAF());
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(text(p, 0, "ITEM"), QStringLiteral("Arroz 5 kg - 20/03/2024 - Marca Um"));
    EXPECT_EQ(text(p, 0, "NMOPERADOR"), QStringLiteral("Comprador Um"));
    EXPECT_EQ(text(p, 1, "ITEM"), QString());
}

TEST_P(AfLoadTest, InvoicesThatReceivedTheAf) {
    afdb::testing::insertRow(connection(), "NOTAFISC",
                             {{"CDFILIAL", world.branch},
                              {"NRLANCTONF", "0000000077"},
                              {"NRNOTAFISC", "123"},
                              {"CDSERIEENTR", "1"},
                              {"DTENTRSAID", QDateTime(QDate(2024, 3, 21), QTime(0, 0), Qt::UTC)},
                              {"CDFORNECED", world.supplier}});
    afdb::testing::insertRow(connection(), "ITNOTAFISC",
                             {{"CDFILIAL", world.branch},
                              {"NRLANCTONF", "0000000077"},
                              {"CDPRODUTO", world.product},
                              {"CDMARCA", world.brand},
                              {"QTITEMPROD", 4.0},
                              {"VRUNITITEM", 12.5}});
    afdb::testing::insertRow(connection(), "BAIXAITAF",
                             {{"CDFILIAL", world.branch},
                              {"NRLANCTONF", "0000000077"},
                              {"CDPRODUTO", world.product},
                              {"CDMARCA", world.brand},
                              {"CDFILDEST", world.branch},
                              {"CDFILLANC", world.central},
                              {"NRAUTOFORN", world.afNumber},
                              {"DTPROGENTAF", QDateTime(QDate(2024, 3, 20), QTime(0, 0), Qt::UTC)},
                              {"IDENTRSAIDA", "E"},
                              {"QTNFEFETAF", 4.0}});
    const host::Packet p = packetOf("GetNFBaixa", seededKey());
    expectLayout(p, fields::nfBaixa());
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(text(p, 0, "NRNOTAFISC"), QStringLiteral("123"));
    EXPECT_EQ(value(p, 0, "QTNFEFETAF"), host::Value(4.0));
    EXPECT_EQ(value(p, 0, "VRUNITITEM"), host::Value(12.5));
}

TEST_P(AfLoadTest, StartupParameters) {
    afdb::exec(connection(),
               "UPDATE PARASUPRI SET NRDIALIMALTAF = '15', NRDIAANTENTRAF = '3', "
               "DTBASELIMALTAF = :D WHERE CDFILIAL = :F",
               {{"D", QDateTime(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC)}, {"F", world.branch}});
    afdb::exec(connection(), "UPDATE PARAMGERAL SET IDINTEGMERCAD = 'S'");
    const host::Packet general = packetOf("GetParamGeral", {world.branch});
    expectLayout(general, fields::paramGeral());
    EXPECT_EQ(column(general, "ID"), (QStringList{"PARAMGERAL", "PARASUPRI"}));
    EXPECT_EQ(column(general, "PARAM"), (QStringList{"S", "15"}));
    EXPECT_EQ(text(general, 1, "NRDIAANTENTRAF"), QStringLiteral("3"));
    EXPECT_EQ(value(general, 1, "DATA"), host::Value(day(2024, 1, 1)));
    EXPECT_EQ(column(packetOf("GetParamGeral", {world.central}), "ID"), QStringList{"PARAMGERAL"});

    afdb::exec(connection(),
               "UPDATE PARCMPSUP SET IDTPLANCITAF = '1', IDUTAPROVSOL = 'S' "
               "WHERE CDFILIAL = :F",
               {{"F", world.branch}});
    const host::Packet mud = packetOf("GetMudAutProd", {world.branch});
    EXPECT_EQ(text(mud, 0, "IDTPLANCITAF"), QStringLiteral("1"));

    const host::Packet aux = packetOf("GetAuxCmpSup", {world.branch});
    expectLayout(aux, fields::auxParCmp());
    EXPECT_EQ(text(aux, 0, "NMFILIAL"), QStringLiteral("Loja"));
    EXPECT_EQ(text(aux, 0, "CDFILCENTCMP"), world.central);
    EXPECT_EQ(text(aux, 0, "IDVALDTAF"), QStringLiteral("M"));
    EXPECT_TRUE(packetOf("GetAuxCmpSup", {QStringLiteral("9999")}).rows.empty());

    const host::Packet approval = packetOf("GetAprovSoliGer", {world.branch});
    expectLayout(approval, fields::aprovSoliGer());
    EXPECT_EQ(text(approval, 0, "IDUTAPROVSOL"), QStringLiteral("S"));
}

TEST_P(AfLoadTest, BranchGroupings) {
    EXPECT_EQ(column(packetOf("GetAgruFili", {}), "NMGRUPFILI"), QStringList{"Centrais"});
    const host::Packet p = packetOf("GetFiliAgrupFili", {QStringLiteral("G1"), world.central});
    expectLayout(p, fields::filiAgrupFili());
    EXPECT_EQ(column(p, "CDFILIAL"), QStringList{world.central});
    EXPECT_EQ(column(packetOf("GetFiliAgrupFili", {QStringLiteral("G1"), RemoteValue()}), "CDFILIAL"),
              QStringList{world.central});
    EXPECT_TRUE(packetOf("GetFiliAgrupFili", {QStringLiteral("G1"), world.branch}).rows.empty());
}

// The client's own call path: HttpTransport, CBOR over a real socket,
// by-reference write-back.
TEST_P(AfLoadTest, ListOverHttp) {
    ModuleOverHttp server(*dispatcher, token);
    host::RemoteConnection& conn = server.connection();
    QString situations = QStringLiteral("_2_5");
    const host::RemoteResult r =
        conn.call(QStringLiteral("GetServAutoForne"),
                  {world.branch, "T", "T", RemoteValue(), RemoteValue(), "T", "T", host::byRef(situations), "Z",
                   RemoteValue(), RemoteValue(), "T", "T", false});
    server.stop();
    ASSERT_TRUE(r.ok()) << r.error().toStdString();
    EXPECT_EQ(column(host::decodePacket(r.value().packetBytes()), "NRAUTOFORN"),
              (QStringList{afNumber(2), afNumber(3)}));
    EXPECT_EQ(situations, QStringLiteral("_2_5"));
}

AFDB_INSTANTIATE_ON_ENGINES(AfLoadTest);

}  // namespace
}  // namespace platform::server::modules::testing
