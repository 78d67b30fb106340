#include "data_source.h"
#include "host/data/field.h"
#include "list_lookups.h"
#include "test_support.h"

using namespace kittest;

namespace {

// Suppliers as the filter lists them: the key is a hidden column.
class ListLookupTest : public KitTest {
protected:
    host::Dataset suppliers{QStringLiteral("qryPesqForn")};
    kit::DataSource source{&suppliers};

    void SetUp() override {
        KitTest::SetUp();
        suppliers.addField(host::FieldDef::string("NRINSJURFORN", 14, "Inscrição"));
        suppliers.addField(host::FieldDef::string("NMRAZSOCFORN", 60, "Razão Social"));
        suppliers.addField(host::FieldDef::string("CDFORNECED", 8, "Código").hidden());
        suppliers.createDataset();
        add("11222333000181", "João Parafusos Ltda", "001");
        add("22333444000172", "Bolt Comércio", "002");
        add("33444555000163", "Ferragens São Jorge", "003");
        suppliers.first();
    }
    void add(const char* doc, const char* name, const char* code) {
        suppliers.append();
        suppliers.field("NRINSJURFORN").setAsString(QString::fromUtf8(doc));
        suppliers.field("NMRAZSOCFORN").setAsString(QString::fromUtf8(name));
        suppliers.field("CDFORNECED").setAsString(QString::fromUtf8(code));
        suppliers.post();
    }
};

TEST_F(ListLookupTest, ListTextPutsEveryCodeBetweenUnderscores) {
    struct Case {
        QStringList codes;
        QString text;
    } cases[] = {
        {{}, QString()},
        {{"001"}, "_001_"},
        {{"001", "003"}, "_001_003_"},
        {{"0001", "0002", "0010"}, "_0001_0002_0010_"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kit::listText(c.codes), c.text);
        EXPECT_EQ(kit::listCodes(c.text), c.codes) << c.text.toStdString();  // and back, unambiguously
    }
    EXPECT_EQ(kit::listCodes(QStringLiteral("_001__001_ 002 _")), (QStringList{"001", "002"}));
    EXPECT_THROW(kit::listText({"A_B"}), host::UserError);
    EXPECT_THROW(kit::listText({"001", " "}), host::UserError);
}

TEST_F(ListLookupTest, PesquisaListaOffersEveryRowAndWritesTheChosenCodes) {
    QString list = QStringLiteral("_009_");
    shown().picks = {{"002"}};
    EXPECT_TRUE(kit::PesquisaLista(source, "CDFORNECED", QStringLiteral("Fornecedor"), list));
    EXPECT_EQ(list, QStringLiteral("_002_"));
    ASSERT_EQ(shown().pickLists.size(), 1u);
    const host::PickList& offered = shown().pickLists[0];
    EXPECT_TRUE(offered.multiple);
    EXPECT_EQ(offered.title, QStringLiteral("Fornecedor"));
    EXPECT_EQ(offered.headers, (QStringList{"Inscrição", "Razão Social"}));  // hidden key column not shown
    ASSERT_EQ(offered.rows.size(), 3u);
    EXPECT_EQ(offered.rows[2].code, QStringLiteral("003"));
    EXPECT_EQ(offered.rows[2].columns, (QStringList{"33444555000163", "Ferragens São Jorge"}));

    shown().picks = {{"001", "003"}};
    EXPECT_TRUE(kit::PesquisaLista(source, "CDFORNECED", QStringLiteral("Fornecedor"), list));
    EXPECT_EQ(list, QStringLiteral("_001_003_"));
}

TEST_F(ListLookupTest, PesquisaListaAddsWhenAskedAndKeepsTheListWhenCancelled) {
    QString list = QStringLiteral("_003_");
    shown().picks = {{"001", "003"}};
    EXPECT_TRUE(kit::PesquisaLista(source, "CDFORNECED", QStringLiteral("Fornecedor"), list, true));
    EXPECT_EQ(list, QStringLiteral("_003_001_"));

    shown().picks = {};  // the user closes the list
    EXPECT_FALSE(kit::PesquisaLista(source, "CDFORNECED", QStringLiteral("Fornecedor"), list));
    EXPECT_EQ(list, QStringLiteral("_003_001_"));

    // A code the list text cannot carry is refused and nothing changes.
    add("44555666000154", "Under Score", "0_4");
    shown().picks = {{"0_4"}};
    EXPECT_THROW(kit::PesquisaLista(source, "CDFORNECED", QStringLiteral("Fornecedor"), list), host::UserError);
    EXPECT_EQ(list, QStringLiteral("_003_001_"));
}

TEST_F(ListLookupTest, PesquisaListaOnNothingShowsTheEmptyText) {
    suppliers.emptyDataset();
    QString list;
    EXPECT_FALSE(kit::PesquisaLista(source, "CDFORNECED", QStringLiteral("Comprador|Não há comprador cadastrado."), list));
    EXPECT_EQ(shown().pickLists[0].title, QStringLiteral("Comprador"));
    EXPECT_EQ(shown().messages, QStringList{QStringLiteral("Não há comprador cadastrado.")});
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(ListLookupTest, PesquisarPositionsTheDatasetOnThePickedRow) {
    shown().picks = {{"3"}};
    EXPECT_TRUE(kit::Pesquisar(source, QStringLiteral("Marca|Não há marca cadastrada.")));
    EXPECT_EQ(suppliers.field("CDFORNECED").asString(), QStringLiteral("003"));
    const host::PickList& offered = shown().pickLists[0];
    EXPECT_FALSE(offered.multiple);
    EXPECT_EQ(offered.title, QStringLiteral("Marca"));
    EXPECT_EQ(offered.emptyText, QStringLiteral("Não há marca cadastrada."));
    EXPECT_EQ(offered.headers.size(), 2);

    shown().picks = {};
    EXPECT_FALSE(kit::Pesquisar(source, QStringLiteral("Marca|Não há marca cadastrada.")));
    EXPECT_EQ(suppliers.recNo(), 3);  // cancelled: stays where it was

    shown().picks = {{"1"}};
    EXPECT_TRUE(kit::Pesquisar(source, QStringLiteral("Marca"), false, true));
    EXPECT_EQ(shown().pickLists.back().headers, (QStringList{"Inscrição", "Razão Social", "Código"}));
    EXPECT_EQ(suppliers.recNo(), 1);
}

TEST_F(ListLookupTest, PesquisarOnNothingSaysSoAsANoticeOrAsAnError) {
    suppliers.emptyDataset();
    EXPECT_FALSE(kit::Pesquisar(source, QStringLiteral("Marca|Não há marca cadastrada.")));
    EXPECT_EQ(shown().messages, QStringList{QStringLiteral("Não há marca cadastrada.")});
    EXPECT_FALSE(kit::Pesquisar(source, QStringLiteral("Marca|Não há marca cadastrada."), true));
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Não há marca cadastrada.")});
    EXPECT_EQ(shown().pickLists.size(), 1u);  // the error replaces the list
    suppliers.close();
    EXPECT_FALSE(kit::Pesquisar(source, QStringLiteral("Marca|Não há marca cadastrada.")));
}

}  // namespace
