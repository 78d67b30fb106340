#include "code_domains.h"

#include "host/data/dataset.h"
#include "host/services/messages.h"
#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

namespace afdesk {
namespace {

struct TextCase {
    const char* domain;
    const CodeDomain* table;
    QString code;
    QString text;
};

std::vector<TextCase> displayCases() {
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    return {
        {"IDBAIXAAF", &baixaAFDomain(), "", "Em Aberto"},
        {"IDBAIXAAF", &baixaAFDomain(), "1", "Baixa Parcial"},
        {"IDBAIXAAF", &baixaAFDomain(), "2", "Baixa Total"},
        {"IDBAIXAAF", &baixaAFDomain(), "3", "Baixa Manual"},
        {"IDBAIXAAF", &baixaAFDomain(), "4", "Encerrada"},
        {"IDBAIXAAF", &baixaAFDomain(), "5", "Cancelada"},
        {"IDBAIXAAF", &baixaAFDomain(), "7", "EDI"},
        {"IDBAIXAAF", &baixaAFDomain(), "6", ""},
        {"IDBAIXAAF", &baixaAFDomain(), "9", ""},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "", "Em Aberto"},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "1", "Baixa Parcial"},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "2", "Baixa Total"},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "3", "Baixa Manual"},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "4", "Encerrada"},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "5", "Cancelada"},
        {"IDBAIXAFSAI", &baixaAFSaiDomain(), "7", ""},
        {"IDAUTOFORNEX", &autoFornExDomain(), "S", "Sim"},
        {"IDAUTOFORNEX", &autoFornExDomain(), "N", s("Não")},
        {"IDAUTOFORNEX", &autoFornExDomain(), "", ""},
        {"IDTIPOLANCAF", &tipoLancAFDomain(), "M", "Manual"},
        {"IDTIPOLANCAF", &tipoLancAFDomain(), "A", s("Automática")},
        {"IDTIPOLANCAF", &tipoLancAFDomain(), "", s("Automática")},
        {"IDTIPOLANCAF", &tipoLancAFDomain(), "Z", s("Automática")},
        {"IDSITUENVAFMCD", &situEnvMcdDomain(), "S", s("Já Atualizado.")},
        {"IDSITUENVAFMCD", &situEnvMcdDomain(), "N", s("Ainda não Atualizado.")},
        {"IDSITUENVAFMCD", &situEnvMcdDomain(), "", ""},
        {"IDITAFMIGRADA Produtos", &itAFMigradaDomain(true), "S", "Item de AF Migrado"},
        {"IDITAFMIGRADA Produtos", &itAFMigradaDomain(true), "N", ""},
        {"IDITAFMIGRADA", &itAFMigradaDomain(false), "S", "AF Migrada"},
        {"IDITAFMIGRADA", &itAFMigradaDomain(false), "N", ""},
        {"IDITAFMIGRADA", &itAFMigradaDomain(false), "", ""},
        {"IDTIPOEMITAF", &tipoEmitAFDomain(), "1", "Empresa da Filial"},
        {"IDTIPOEMITAF", &tipoEmitAFDomain(), "2", "Empresa Informada"},
        {"IDTIPOEMITAF", &tipoEmitAFDomain(), "3", "Cliente Principal"},
        {"IDTIPOEMITAF", &tipoEmitAFDomain(), "", "Empresa da Filial"},
        {"IDTIPOFRETAF", &tipoFretAFDomain(), "C", "CIF"},
        {"IDTIPOFRETAF", &tipoFretAFDomain(), "F", "FOB"},
        {"IDTIPOFRETAF", &tipoFretAFDomain(), "T", "FOT"},
        {"IDTIPOFRETAF", &tipoFretAFDomain(), "R", "FOR"},
        {"IDTIPOFRETAF", &tipoFretAFDomain(), "", "<nenhum>"},
        {"IDTPFORPGTAF", &tpForPgtAFDomain(), "", "X"},
        {"IDTPFORPGTAF", &tpForPgtAFDomain(), "F", "F"},
        {"IDTPFORPGTAF", &tpForPgtAFDomain(), "V", "V"},
        {"IDTPIJUR", &tpiJurDomain(), "F", s("Física")},
        {"IDTPIJUR", &tpiJurDomain(), "I", s("Insc. Jurídica")},
        {"IDTPIJUR", &tpiJurDomain(), "J", s("Jurídica")},
        {"IDTPIJUR", &tpiJurDomain(), "O", "Outros"},
        {"IDTPIJUR", &tpiJurDomain(), "", ""},
    };
}

TEST(CodeDomains, EveryCodeShowsItsText) {
    for (const TextCase& c : displayCases())
        EXPECT_EQ(c.table->textOf(c.code), c.text) << c.domain << " code '" << c.code.toStdString() << "'";
}

TEST(CodeDomains, StoredCodesWithPaddingShowTheSameText) {
    EXPECT_EQ(baixaAFDomain().textOf(QStringLiteral("2 ")), QStringLiteral("Baixa Total"));
    EXPECT_EQ(baixaAFDomain().textOf(QStringLiteral(" ")), QStringLiteral("Em Aberto"));
}

// Input conversion of the domains the user chooses from.
TEST(CodeDomains, TypedTextStoresItsCode) {
    struct Case {
        const CodeDomain* table;
        QString text;
        std::optional<QString> code;
    };
    const std::vector<Case> cases{
        {&tipoEmitAFDomain(), "Empresa da Filial", "1"},  // the first entry wins over the empty alias
        {&tipoEmitAFDomain(), "Empresa Informada", "2"},
        {&tipoEmitAFDomain(), "cliente principal", "3"},
        {&tipoEmitAFDomain(), "3", "3"},
        {&tipoEmitAFDomain(), "Filial", std::nullopt},
        {&tipoEmitAFDomain(), "4", std::nullopt},
        {&tipoFretAFDomain(), "CIF", "C"},
        {&tipoFretAFDomain(), "FOB", "F"},
        {&tipoFretAFDomain(), "FOT", "T"},
        {&tipoFretAFDomain(), "FOR", "R"},
        {&tipoFretAFDomain(), "<nenhum>", ""},
        {&tipoFretAFDomain(), "R", "R"},
        {&tipoFretAFDomain(), "", ""},
        {&tipoFretAFDomain(), "EXW", std::nullopt},
        {&tpForPgtAFDomain(), "X", ""},
        {&tpForPgtAFDomain(), "F", "F"},
        {&tpForPgtAFDomain(), "V", "V"},
        {&tpForPgtAFDomain(), "Q", std::nullopt},
        {&tpiJurDomain(), QString::fromUtf8("Jurídica"), "J"},
        {&tpiJurDomain(), QString::fromUtf8("Insc. Jurídica"), "I"},
        {&tpiJurDomain(), "O", "O"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.table->codeOf(c.text), c.code) << "text '" << c.text.toStdString() << "'";
}

TEST(CodeDomains, ListTextOfAnExpiredAFIsExpiradaWhateverTheCode) {
    EXPECT_EQ(listBaixaText("5", "S"), "Expirada");
    EXPECT_EQ(listBaixaText("", "S"), "Expirada");
    EXPECT_EQ(listBaixaText("5", "N"), "Cancelada");
    EXPECT_EQ(listBaixaText("6", ""), "");
    EXPECT_EQ(listBaixaText("7", ""), "EDI");
}

TEST(CodeDomains, MessageLinesFormAValidTableWithEveryKey) {
    const host::TMessages table(QStringLiteral("msgLancaAutoF"), domainMessageLines());
    const std::vector<std::pair<const char*, const char*>> expected{
        {"EmAberto", "Em Aberto"},       {"B_Parcial", "Baixa Parcial"}, {"B_Total", "Baixa Total"},
        {"B_Manual", "Baixa Manual"},    {"Encerrada", "Encerrada"},     {"Cancelada", "Cancelada"},
        {"EDI", "EDI"},                  {"AFExpirada", "Expirada"},     {"S", "Sim"},
        {"N", "Não"},                    {"msg_Manual", "Manual"},       {"msg_Auto", "Automática"},
        {"Ja_Atualizado", "Já Atualizado."}, {"N_Atualizado", "Ainda não Atualizado."},
        {"ITMigrado", "Item de AF Migrado"}, {"AfMigrada", "AF Migrada"}, {"CPF_Pesq", "Física"},
        {"JUR_Pesq", "Insc. Jurídica"},  {"CGC_Pesq", "Jurídica"},       {"OUTROS_Pesq", "Outros"},
        {"Dev", "Devolução"}};
    for (const auto& [key, text] : expected) EXPECT_EQ(table.Msg(QString::fromUtf8(key)), QString::fromUtf8(text)) << key;
    EXPECT_EQ(table.count(), int(expected.size()));
}

// The handlers on a real field: display and edit text, typed text, refusals.
class DomainField : public ::testing::Test {
protected:
    void SetUp() override {
        ds.addField(host::FieldDef::string(QStringLiteral("IDTIPOFRETAF"), 1, QStringLiteral("Frete")));
        ds.createDataset();
        ds.append();
        showDomain(field(), tipoFretAFDomain());
        acceptDomain(field(), tipoFretAFDomain());
    }
    host::Field& field() { return ds.field(QStringLiteral("IDTIPOFRETAF")); }
    host::Dataset ds{QStringLiteral("cdsTeste")};
};

TEST_F(DomainField, TypingTheTextStoresTheCodeAndShowsTheText) {
    field().setText(QStringLiteral("FOT"));
    EXPECT_EQ(field().value(), host::Value(QStringLiteral("T")));
    EXPECT_EQ(field().displayText(), "FOT");
    EXPECT_EQ(field().text(), "FOT");
}

TEST_F(DomainField, NenhumStoresNull) {
    field().setText(QStringLiteral("CIF"));
    field().setText(QStringLiteral("<nenhum>"));
    EXPECT_TRUE(field().isNull());
    EXPECT_EQ(field().displayText(), "<nenhum>");
}

TEST_F(DomainField, AnUnknownTextIsRefusedAndTheValueKept) {
    field().setText(QStringLiteral("FOB"));
    try {
        field().setText(QStringLiteral("EXW"));
        FAIL() << "accepted";
    } catch (const host::FieldError& e) {
        EXPECT_EQ(e.fieldName(), "IDTIPOFRETAF");
        EXPECT_TRUE(e.message().contains("EXW"));
        EXPECT_TRUE(e.message().contains("Frete"));
    }
    EXPECT_EQ(field().value(), host::Value(QStringLiteral("F")));
}

TEST_F(DomainField, AReadOnlyFieldRefusesTypedText) {
    field().setReadOnly(true);
    EXPECT_THROW(field().setText(QStringLiteral("CIF")), host::FieldError);
    EXPECT_TRUE(field().isNull());
}

}  // namespace
}  // namespace afdesk
