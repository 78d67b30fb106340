#include "af_datasets.h"

#include "code_domains.h"
#include "dataset_packets.h"
#include "test_packets.h"

#include "host/data/dataset.h"
#include "host/services/consiste.h"
#include "host/testing/qt_printers.h"
#include "platform/server/modules/lanca_autof/lanca_autof_fields.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

namespace server = platform::server::modules::fields;
using host::Dataset;
using testing::packetFor;
using testing::Row;
using testing::s;

host::DateTime day(int y, int m, int d) { return host::DateTime::fromDate(QDate(y, m, d), QTime(0, 0)); }

// A value of the field's type that fills it to its size.
host::Value sampleFor(const host::FieldDef& f, int row) {
    switch (f.type) {
    case host::FieldType::String: return host::Value(QString(QChar(u'A' + row)).repeated(f.size));
    case host::FieldType::Float: return host::Value(1234.5 + row);
    case host::FieldType::Integer: return host::Value(qint64(7 + row));
    case host::FieldType::Boolean: return host::Value(true);
    case host::FieldType::DateTime: return host::Value(day(2024, 3, 5 + row));
    }
    return {};
}

struct DatasetCase {
    const char* name;
    void (*define)(Dataset&);
    std::vector<host::FieldDef> (*serverFields)();
};

Dataset* g_list = nullptr;  // the list a header follows in the table below
void defineList(Dataset& ds) { defineServAutoForne(ds); }
void defineHeader(Dataset& ds) { defineAutoForne(ds, *g_list); }

const std::vector<DatasetCase>& datasetCases() {
    static const std::vector<DatasetCase> cases{
        {"cdsServAutoForne", defineList, server::servAutoForne},
        {"cdsAutoForne", defineHeader, server::autoForne},
        {"cdsFilialDest", defineFilialDest, server::filialDest},
        {"cdsAuxParCmp", defineAuxParCmp, server::auxParCmp},
        {"cdsParamFilial", defineParamFilial, server::paramFilial},
        {"cdsParamGeral", defineParamGeral, server::paramGeral},
    };
    return cases;
}

// The defined fields are those the server sends, in the same order, of the same
// types and sizes; a packet of every field at full size loads and reads back.
TEST(AfDatasets, EveryDatasetAcceptsTheServersPacket) {
    Dataset list(QStringLiteral("cdsServAutoForne"));
    g_list = &list;
    for (const DatasetCase& c : datasetCases()) {
        SCOPED_TRACE(c.name);
        Dataset ds(QString::fromLatin1(c.name));
        c.define(ds);
        const std::vector<host::FieldDef> fields = c.serverFields();
        testing::expectServerFields(ds, fields);
        if (HasFatalFailure()) return;
        std::vector<Row> rows(2);
        for (int r = 0; r < 2; ++r)
            for (const host::FieldDef& f : fields) rows[size_t(r)][f.name] = sampleFor(f, r);
        loadPacket(ds, packetFor(fields, rows));
        ASSERT_EQ(ds.recordCount(), 2);
        for (host::Field* f : ds.fields()) EXPECT_TRUE(f->definedInCode()) << f->name().toStdString();  // nothing extra
        ds.last();
        for (const host::FieldDef& f : fields) EXPECT_EQ(ds.field(f.name).value(), sampleFor(f, 1)) << f.name.toStdString();
    }
    g_list = nullptr;
}

TEST(AfDatasets, SmallerDatasetsHaveTheirFields) {
    Dataset control(QStringLiteral("cdsControleFilial"));
    defineControleFilial(control);
    ASSERT_EQ(control.fieldCount(), 1);
    EXPECT_EQ(control.field(0).name(), "CDFILDEST");
    EXPECT_EQ(control.field(0).size(), 4);
    control.createDataset();
    EXPECT_TRUE(control.isEmpty());

    Dataset dados(QStringLiteral("cdsDadosAF"));
    defineDadosAF(dados);
    QStringList names;
    for (host::Field* f : dados.fields()) names << f->name();
    EXPECT_EQ(names, QStringList({"CDERRO", "DSERRO", "CDPRODUTO", "CDARVPROD", "CDPARTFILI", "CDFORNECED", "CDMARCA",
                                  "DTPROGENTAF", "VR1", "VR2", "NMPRODPREF", "CDMARCA_PART", "CDFORNECED_PART"}));
    EXPECT_EQ(dados.field(QStringLiteral("DSERRO")).size(), 255);
    EXPECT_EQ(dados.field(QStringLiteral("VR1")).type(), host::FieldType::Float);
}

class AfList : public ::testing::Test {
protected:
    void SetUp() override { defineServAutoForne(list, [this] { return produtosTab; }); }
    void load(const std::vector<Row>& rows) { loadPacket(list, packetFor(server::servAutoForne(), rows)); }
    QString text(const char* field) { return list.field(QString::fromLatin1(field)).displayText(); }

    Dataset list{QStringLiteral("cdsServAutoForne")};
    bool produtosTab = false;
};

TEST_F(AfList, FieldsShowAsTheListShowsThem) {
    struct Expect {
        const char* field;
        const char* label;
        bool visible;
    };
    const std::vector<Expect> expected{
        {"CDFILDEST", "CDFILDEST", false}, {"NRAUTOFORN", "Número", true}, {"CDFILLANC", "Lanç.", true},
        {"DTAUTOFORN", "Data", true}, {"NMRAZSOCFORN", "Fornecedor", true}, {"IDTPENVAFFOR", "IDTPENVAFFOR", false},
        {"IDAUTOFORNEX", "Extra", true}, {"IDBAIXAAF", "Sit. da Baixa", true}, {"IDBAIXAFSAI", "Baixa de Saída", true},
        {"IDSITUATUAAF", "Cons.", true}, {"IDAFFORALIM", "Lim.", true}, {"IDTIPOLANCAF", "IDTIPOLANCAF", false},
        {"IDSITUENVAFMCD", "Atualiza c/ Mercadum", true}, {"VRTOTALAF", "Total", true}, {"IDAFPRODWEB", " ", true},
        {"IDAFOPERLOG", " ", true}, {"NRAUTOFORCON", "NRAUTOFORCON", false}, {"DTPROGENTAF", "Entrega", true},
        {"NMDEVO", "NMDEVO", false}, {"IDBAIXITMFUTURA", "Baixa Futura", true}, {"IDITMSEPARADO", "IDITMSEPARADO", false}};
    for (const Expect& e : expected) {
        const host::Field& f = list.field(QString::fromLatin1(e.field));
        EXPECT_EQ(f.displayLabel(), QString::fromUtf8(e.label)) << e.field;
        EXPECT_EQ(f.visible(), e.visible) << e.field;
    }
    EXPECT_EQ(list.field(QStringLiteral("VRTOTALAF")).displayFormat(), "####,##0.00000");
    EXPECT_EQ(list.field(QStringLiteral("DTAUTOFORN")).editMask(), host::DateMask());
    EXPECT_TRUE(list.field(QStringLiteral("NMDEVO")).isCalculated());
}

TEST_F(AfList, TotalShowsFiveDecimalsInTheBrazilianFormat) {
    load({{{"VRTOTALAF", host::Value(1234567.5)}}});
    EXPECT_EQ(text("VRTOTALAF"), "1.234.567,50000");
}

TEST_F(AfList, DevolucaoIsCalculatedFromTheReturnFlag) {
    load({{{"NRAUTOFORN", s("0000000001")}, {"IDDEVOLUCAONF", s("S")}},
          {{"NRAUTOFORN", s("0000000002")}, {"IDDEVOLUCAONF", s("N")}},
          {{"NRAUTOFORN", s("0000000003")}}});
    EXPECT_EQ(text("NMDEVO"), QString::fromUtf8("Devolução"));
    list.next();
    EXPECT_TRUE(list.field(QStringLiteral("NMDEVO")).isNull());
    list.next();
    EXPECT_TRUE(list.field(QStringLiteral("NMDEVO")).isNull());
    // A packet never carries it back.
    EXPECT_NO_THROW(loadPacket(list, packetOf(list)));
}

TEST_F(AfList, ReceiptSituationTexts) {
    load({{{"IDBAIXAAF", s("5")}, {"IDAFEXPIRADA", s("S")}, {"IDBAIXAFSAI", s("5")}},
          {{"IDBAIXAAF", s("6")}, {"IDBAIXAFSAI", s("7")}},
          {{"IDBAIXAAF", s("7")}},
          {}});
    EXPECT_EQ(text("IDBAIXAAF"), "Expirada");
    EXPECT_EQ(text("IDBAIXAFSAI"), "Cancelada");  // no expiry override for the outbound receipt
    EXPECT_EQ(list.displayTextAt(1, list.field(QStringLiteral("IDBAIXAAF")).index()), "");
    EXPECT_EQ(list.displayTextAt(1, list.field(QStringLiteral("IDBAIXAFSAI")).index()), "");  // no EDI here
    EXPECT_EQ(list.displayTextAt(2, list.field(QStringLiteral("IDBAIXAAF")).index()), "EDI");
    EXPECT_EQ(list.displayTextAt(3, list.field(QStringLiteral("IDBAIXAAF")).index()), "Em Aberto");
    load({});
    EXPECT_EQ(text("IDBAIXAAF"), "");
    EXPECT_EQ(text("IDBAIXAFSAI"), "");
}

TEST_F(AfList, CodedFieldsShowTheirTexts) {
    load({{{"IDAUTOFORNEX", s("S")}, {"IDTIPOLANCAF", s("A")}, {"IDSITUENVAFMCD", s("N")}, {"IDITAFMIGRADA", s("S")}}});
    EXPECT_EQ(text("IDAUTOFORNEX"), "Sim");
    EXPECT_EQ(text("IDTIPOLANCAF"), QString::fromUtf8("Automática"));
    EXPECT_EQ(text("IDSITUENVAFMCD"), QString::fromUtf8("Ainda não Atualizado."));
    EXPECT_EQ(text("IDITAFMIGRADA"), "AF Migrada");
    produtosTab = true;
    EXPECT_EQ(text("IDITAFMIGRADA"), "Item de AF Migrado");
}

TEST_F(AfList, DeliveryDateTextGoesThroughTheDateConversion) {
    load({{{"DTPROGENTAF", host::Value(day(2024, 3, 20))}}});
    list.edit();
    host::Field& f = list.field(QStringLiteral("DTPROGENTAF"));
    f.setText(QStringLiteral("05/04/2024"));
    EXPECT_EQ(f.value(), host::Value(day(2024, 4, 5)));
    EXPECT_THROW(f.setText(QStringLiteral("31/02/2024")), host::FieldError);
    EXPECT_EQ(f.value(), host::Value(day(2024, 4, 5)));
    f.setText(QStringLiteral("  /  /    "));
    EXPECT_TRUE(f.isNull());
}

class AfHeader : public AfList {
protected:
    void SetUp() override {
        AfList::SetUp();
        defineAutoForne(header, list);
    }
    void loadHeader(const Row& row) { loadPacket(header, packetFor(server::autoForne(), {row})); }
    host::Field& hf(const char* name) { return header.field(QString::fromLatin1(name)); }
    Dataset header{QStringLiteral("cdsAutoForne")};
};

TEST_F(AfHeader, ReceiptSituationFollowsTheListRowNotTheHeader) {
    load({{{"NRAUTOFORN", s("0000000001")}, {"IDBAIXAAF", s("2")}, {"IDBAIXAFSAI", s("1")}}});
    loadHeader({{"NRAUTOFORN", s("0000000001")}, {"IDBAIXAAF", s("4")}, {"IDBAIXAFSAI", s("3")}});
    EXPECT_EQ(hf("IDBAIXAAF").displayText(), "Baixa Total");
    EXPECT_EQ(hf("IDBAIXAFSAI").displayText(), "Baixa Parcial");
    // A new AF: the header is inserted, the text still follows the list row.
    header.append();
    EXPECT_EQ(hf("IDBAIXAAF").displayText(), "Baixa Total");
    header.cancel();
    list.append();  // the new AF's list row
    EXPECT_EQ(hf("IDBAIXAAF").displayText(), "Em Aberto");
    list.cancel();
    load({});
    EXPECT_EQ(hf("IDBAIXAAF").displayText(), "");
    EXPECT_EQ(hf("IDBAIXAFSAI").displayText(), "");
}

TEST_F(AfHeader, TheTotalReadsAsInTheList) {
    load({{{"NRAUTOFORN", s("0000000001")}, {"VRTOTALAF", host::Value(8197.85)}}});
    loadHeader({{"NRAUTOFORN", s("0000000001")}, {"VRTOTALAF", host::Value(8197.85)}});
    EXPECT_EQ(list.field(QStringLiteral("VRTOTALAF")).displayText(), "8.197,85000");
    EXPECT_EQ(hf("VRTOTALAF").displayText(), list.field(QStringLiteral("VRTOTALAF")).displayText());
}

TEST_F(AfHeader, ClientePrincipalHidesTheCompany) {
    loadHeader({{"IDTIPOEMITAF", s("3")}, {"CDEMPRESA", s("01")}, {"NMEMPRESA", s("Empresa Um")}});
    EXPECT_EQ(hf("CDEMPRESA").displayText(), "");
    EXPECT_EQ(hf("NMEMPRESA").displayText(), "");
    EXPECT_EQ(hf("CDEMPRESA").asString(), "01");
    EXPECT_EQ(hf("IDTIPOEMITAF").displayText(), "Cliente Principal");
    header.edit();
    hf("IDTIPOEMITAF").setText(QStringLiteral("Empresa Informada"));
    EXPECT_EQ(hf("IDTIPOEMITAF").asString(), "2");
    EXPECT_EQ(hf("CDEMPRESA").displayText(), "01");
    EXPECT_EQ(hf("NMEMPRESA").displayText(), "Empresa Um");
}

TEST_F(AfHeader, PaymentKindEmptyReadsXAndWritingXClearsIt) {
    loadHeader({});
    EXPECT_EQ(hf("IDTPFORPGTAF").displayText(), "X");
    EXPECT_EQ(hf("IDTIPOEMITAF").displayText(), "Empresa da Filial");
    EXPECT_EQ(hf("IDTIPOFRETAF").displayText(), "<nenhum>");
    header.edit();
    hf("IDTPFORPGTAF").setText(QStringLiteral("V"));
    EXPECT_EQ(hf("IDTPFORPGTAF").asString(), "V");
    hf("IDTPFORPGTAF").setText(QStringLiteral("X"));
    EXPECT_TRUE(hf("IDTPFORPGTAF").isNull());
    hf("IDTIPOFRETAF").setText(QStringLiteral("FOB"));
    EXPECT_EQ(hf("IDTIPOFRETAF").asString(), "F");
    header.post();
    EXPECT_EQ(header.changeCount(), 1);
}

TEST_F(AfHeader, RegistrationNumbersShowThroughTheirTypesPicture) {
    loadHeader({{"IDTPIJURFORN", s("J")}, {"NRINSJURFORN", s("11222333000181")}, {"IDTPIJURTRAN", s("F")},
                {"NRINSJURTRAN", s("12345678909")}});
    EXPECT_EQ(hf("NRINSJURFORN").displayText(), host::FormataInscricao("11222333000181", "J"));
    EXPECT_EQ(hf("NRINSJURFORN").displayText(), "11.222.333/0001-81");
    EXPECT_EQ(hf("NRINSJURFORN").text(), "11222333000181");  // while typed: the raw number
    EXPECT_EQ(hf("NRINSJURTRAN").displayText(), "123.456.789-09");
    EXPECT_EQ(hf("IDTPIJURFORN").displayText(), QString::fromUtf8("Jurídica"));
    EXPECT_EQ(hf("IDTPIJURTRAN").displayText(), QString::fromUtf8("Física"));
}

TEST_F(AfHeader, DateMaskAndHiddenBranch) {
    EXPECT_EQ(hf("DTAUTOFORN").editMask(), host::DateMask());
    EXPECT_FALSE(hf("CDFILIOPELOG").visible());
    EXPECT_TRUE(hf("NMFILDEST").visible());
}

TEST(FilialDest, RowsCannotBeEditedNorInsertedOnItsTab) {
    Dataset branches(QStringLiteral("cdsFilialDest"));
    defineFilialDest(branches);
    bool onTab = true;
    guardFilialDest(branches, [&] { return onTab; });
    loadPacket(branches, packetFor(server::filialDest(), {{{"CDFILIAL", s("0001")}, {"NMFILIAL", s("Matriz")}}}));
    EXPECT_EQ(branches.field(QStringLiteral("CDFILIAL")).displayLabel(), QString::fromUtf8("Código"));
    EXPECT_EQ(branches.field(QStringLiteral("NMFILIAL")).displayLabel(), "Nome");
    EXPECT_THROW(branches.edit(), host::Abort);
    EXPECT_EQ(branches.state(), host::DatasetState::Browse);
    EXPECT_THROW(branches.append(), host::Abort);
    EXPECT_EQ(branches.recordCount(), 1);
    onTab = false;  // a typed destination branch adds its row from another tab
    branches.append();
    branches.field(QStringLiteral("CDFILIAL")).setAsString(QStringLiteral("0002"));
    branches.post();
    EXPECT_EQ(branches.recordCount(), 2);
    EXPECT_THROW(branches.edit(), host::Abort);
}

TEST(DatasetPackets, FillingMarksTheDatasetAndRestoresItsMarker) {
    Dataset list(QStringLiteral("cdsServAutoForne"));
    defineServAutoForne(list);
    list.setTag(5);
    int tagSeen = -1;
    list.afterScroll.add([&](Dataset& ds) { tagSeen = ds.tag(); });
    loadPacket(list, packetFor(server::servAutoForne(), {{{"NRAUTOFORN", s("0000000001")}}}));
    EXPECT_EQ(tagSeen, kBulkTag);
    EXPECT_EQ(list.tag(), 5);
}

TEST(DatasetPackets, ARefusedPacketLeavesContentAndMarker) {
    Dataset list(QStringLiteral("cdsServAutoForne"));
    defineServAutoForne(list);
    loadPacket(list, packetFor(server::servAutoForne(), {{{"NRAUTOFORN", s("0000000001")}}}));
    std::vector<host::FieldDef> wrong = server::servAutoForne();
    wrong[1] = host::FieldDef::floating(QStringLiteral("NRAUTOFORN"));  // a number where a text is defined
    EXPECT_THROW(loadPacket(list, packetFor(wrong, {{{"NRAUTOFORN", host::Value(2.0)}}})), host::PacketError);
    EXPECT_EQ(list.tag(), 0);
    EXPECT_EQ(list.field(QStringLiteral("NRAUTOFORN")).asString(), "0000000001");
    EXPECT_THROW(loadPacket(list, QByteArray("garbage")), host::PacketError);
    EXPECT_EQ(list.recordCount(), 1);
}

TEST(DatasetPackets, ExtraFieldsAreKeptAfterTheDefinedOnesAndHandlersSurvive) {
    Dataset list(QStringLiteral("cdsServAutoForne"));
    defineServAutoForne(list);
    std::vector<host::FieldDef> fields = server::servAutoForne();
    fields.insert(fields.begin() + 2, host::FieldDef::string(QStringLiteral("DSEXTRA"), 10));
    loadPacket(list, packetFor(fields, {{{"IDBAIXAAF", s("2")}, {"DSEXTRA", s("extra")}}}));
    const int defined = int(server::servAutoForne().size()) + 1;  // plus NMDEVO
    ASSERT_EQ(list.fieldCount(), defined + 1);
    EXPECT_EQ(list.field(defined).name(), "DSEXTRA");
    EXPECT_EQ(list.field(QStringLiteral("DSEXTRA")).asString(), "extra");
    EXPECT_EQ(list.field(QStringLiteral("IDBAIXAAF")).displayText(), "Baixa Total");
    EXPECT_EQ(list.field(QStringLiteral("VRTOTALAF")).displayFormat(), "####,##0.00000");
}

TEST(DatasetPackets, ContentRoundTripsAndAnEmptyPacketCloses) {
    Dataset header(QStringLiteral("cdsAutoForne")), list(QStringLiteral("cdsServAutoForne"));
    defineServAutoForne(list);
    defineAutoForne(header, list);
    loadPacket(header, packetFor(server::autoForne(), {{{"NRAUTOFORN", s("0000000009")}}}));
    header.edit();
    header.field(QStringLiteral("NMFANTFORN")).setAsString(QStringLiteral("Novo"));
    header.post();
    const QByteArray saved = packetOf(header);

    Dataset copy(QStringLiteral("cdsAutoForne")), otherList(QStringLiteral("cdsServAutoForne"));
    defineServAutoForne(otherList);
    defineAutoForne(copy, otherList);
    loadPacket(copy, saved);
    EXPECT_EQ(copy.field(QStringLiteral("NMFANTFORN")).asString(), "Novo");
    EXPECT_EQ(copy.changeCount(), 1);  // pending changes travel with the content

    loadPacket(copy, QByteArray());
    EXPECT_FALSE(copy.active());
    EXPECT_TRUE(packetOf(copy).isEmpty());
}

TEST(DadosAF, ErrorDescriptionOfTheFirstRowWithTheCode) {
    Dataset dados(QStringLiteral("cdsDadosAF"));
    defineDadosAF(dados);
    EXPECT_EQ(descricaoErro(dados, QStringLiteral("07")), "");  // closed
    dados.createDataset();
    const std::vector<std::pair<const char*, const char*>> rows{{"00", "0000000042"}, {"07", "Primeira"}, {"07", "Segunda"}};
    for (const auto& [code, text] : rows) {
        dados.append();
        dados.field(QStringLiteral("CDERRO")).setAsString(QString::fromLatin1(code));
        dados.field(QStringLiteral("DSERRO")).setAsString(QString::fromLatin1(text));
        dados.post();
    }
    dados.first();
    EXPECT_EQ(descricaoErro(dados, QStringLiteral("07")), "Primeira");
    EXPECT_EQ(descricaoErro(dados, QStringLiteral("00")), "0000000042");
    EXPECT_EQ(descricaoErro(dados, QStringLiteral("04")), "");
    EXPECT_EQ(dados.recNo(), 1);
}

TEST(ParamGeral, MarketplaceFlagAndRowsById) {
    Dataset pg(QStringLiteral("cdsParamGeral"));
    defineParamGeral(pg);
    EXPECT_FALSE(marketplaceEnabled(pg));
    loadPacket(pg, packetFor(server::paramGeral(), {{{"ID", s("PARASUPRI")}, {"PARAM", s("30")}},
                                                    {{"ID", s("PARAMGERAL")}, {"PARAM", s("S")}}}));
    EXPECT_TRUE(marketplaceEnabled(pg));
    EXPECT_EQ(paramGeralRow(pg, QStringLiteral("PARASUPRI")), 0);
    EXPECT_EQ(paramGeralRow(pg, QStringLiteral("OUTRO")), -1);
    loadPacket(pg, packetFor(server::paramGeral(), {{{"ID", s("PARAMGERAL")}, {"PARAM", s("N")}}}));
    EXPECT_FALSE(marketplaceEnabled(pg));
}

}  // namespace
}  // namespace afdesk
