#include "db_edit.h"
#include "kit_fixture.h"
#include "lookup_button.h"

using namespace kittest;
using kit::TBtnPesquisa;

namespace {

// The header being typed and the brands offered for it.
class LookupTest : public KitTest {
protected:
    Items header;
    host::Dataset brands{QStringLiteral("cdsPesqMarca")};
    kit::DataSource brandSource{&brands};
    Form form;
    kit::DBEdit* code = nullptr;
    TBtnPesquisa* button = nullptr;
    int fills = 0;

    void SetUp() override {
        KitTest::SetUp();
        header.standard();
        brands.addField(host::FieldDef::string("CDMARCA", 5, "Código"));
        brands.addField(host::FieldDef::string("NMMARCA", 40, "Nome"));
        code = form.add(new kit::DBEdit(&header.source, "CDPRODUTO"));
        button = form.add(new TBtnPesquisa);
        button->setEdit(code);
        button->setDataSource(&brandSource);
        button->setTitle(QStringLiteral("Marca|Não há marca cadastrada para o produto informado."));
        button->setColumns({{"CDMARCA", {}}, {"NMMARCA", "Marca"}});
        button->setKeyField("CDMARCA");
        button->onBeforeLookup = [this](TBtnPesquisa&) {
            ++fills;
            brands.close();
            brands.createDataset();
            for (const auto& [c, n] : {std::pair{"00010", "Acme"}, {"00020", "Bolt"}, {"00030", "Cia"}}) {
                brands.append();
                brands.field("CDMARCA").setAsString(c);
                brands.field("NMMARCA").setAsString(n);
                brands.post();
            }
        };
        button->onAfterLookup = [this](TBtnPesquisa& b) {
            header.ds.edit();
            header.f("CDPRODUTO").setAsString(b.dataSource()->dataset()->field("CDMARCA").asString());
        };
    }
};

TEST_F(LookupTest, F9FillsOffersAndCopiesThePickedRow) {
    button->setF9OnEdit(true);
    form.show();
    focus(code);
    shown().picks = {{"00020"}};
    press(Qt::Key_F9);
    EXPECT_EQ(fills, 1);
    ASSERT_EQ(shown().pickLists.size(), 1u);
    const host::PickList& list = shown().pickLists[0];
    EXPECT_EQ(list.title, QStringLiteral("Marca"));
    EXPECT_EQ(list.emptyText, QStringLiteral("Não há marca cadastrada para o produto informado."));
    EXPECT_EQ(list.headers, (QStringList{"Código", "Marca"}));
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[1].code, QStringLiteral("00020"));
    EXPECT_EQ(list.rows[1].columns, (QStringList{"00020", "Bolt"}));
    EXPECT_EQ(brands.field("NMMARCA").asString(), QStringLiteral("Bolt"));  // the picked row is current
    EXPECT_EQ(header.f("CDPRODUTO").asString(), QStringLiteral("00020"));
    EXPECT_EQ(code->text(), QStringLiteral("00020"));
    EXPECT_TRUE(code->hasFocus());
    EXPECT_EQ(button->pickedCodes(), QStringList{"00020"});
}

TEST_F(LookupTest, ScreensForwardF9AndClicksPressIt) {
    form.show();
    int afters = 0;
    button->onAfterLookup = [&](TBtnPesquisa&) { ++afters; };
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_F8, Qt::NoModifier);
    shown().picks = {{"00010"}, {}};
    EXPECT_FALSE(button->handleKey(&other));
    EXPECT_TRUE(button->handleKey(&f9));
    EXPECT_EQ(afters, 1);
    QTest::mouseClick(button, Qt::LeftButton);  // the user cancels the list
    EXPECT_EQ(fills, 2);
    EXPECT_EQ(afters, 1);
    EXPECT_TRUE(button->pickedCodes().isEmpty());
}

TEST_F(LookupTest, EmptyListShowsTheEmptyTextAndCallsNothingAfter) {
    button->onBeforeLookup = [this](TBtnPesquisa&) {
        brands.close();
        brands.createDataset();
    };
    int afters = 0;
    button->onAfterLookup = [&](TBtnPesquisa&) { ++afters; };
    form.show();
    EXPECT_FALSE(button->execute());
    EXPECT_EQ(shown().messages, QStringList{QStringLiteral("Não há marca cadastrada para o produto informado.")});
    EXPECT_EQ(afters, 0);
}

TEST_F(LookupTest, BeforeLookupMayRedirectOrStop) {
    host::Dataset all(QStringLiteral("qryPesqMarcTodas"));
    all.addField(host::FieldDef::string("CDMARCA", 5, "Código"));
    all.addField(host::FieldDef::string("NMMARCA", 40, "Nome"));
    all.createDataset();
    all.append();
    all.field("CDMARCA").setAsString("00099");
    all.field("NMMARCA").setAsString("Todas");
    all.post();
    kit::DataSource allSource(&all);
    button->onBeforeLookup = [&](TBtnPesquisa& b) {
        b.setDataSource(&allSource);
        b.setTitle(QStringLiteral("Marca|Não há marca cadastrada."));
    };
    form.show();
    shown().picks = {{"00099"}};
    EXPECT_TRUE(button->execute());
    EXPECT_EQ(header.f("CDPRODUTO").asString(), QStringLiteral("00099"));

    button->onBeforeLookup = [](TBtnPesquisa&) { throw host::Abort(); };
    EXPECT_FALSE(button->execute());
    button->onBeforeLookup = [](TBtnPesquisa&) { throw host::UserError(QStringLiteral("Produto deve ser informado.")); };
    EXPECT_FALSE(button->execute());
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Produto deve ser informado.")});
    EXPECT_EQ(shown().pickLists.size(), 1u);
}

TEST_F(LookupTest, WithoutKeyFieldRowsAreKnownByPositionAndSeveralMayBePicked) {
    button->setKeyField(QString());
    button->setMultiple(true);
    QStringList seen;
    button->onAfterLookup = [&](TBtnPesquisa& b) {
        seen = b.pickedCodes();
        seen << b.dataSource()->dataset()->field("NMMARCA").asString();
    };
    form.show();
    shown().picks = {{"3", "1"}};
    EXPECT_TRUE(button->execute());
    EXPECT_TRUE(shown().pickLists[0].multiple);
    EXPECT_EQ(seen, (QStringList{"3", "1", "Cia"}));
}

TEST_F(LookupTest, AnAfterLookupHandlerFailingWithAnyExceptionIsShown) {
    button->onAfterLookup = [](TBtnPesquisa&) { throw std::logic_error("índice inválido"); };
    form.show();
    shown().picks = {{"00010"}};
    button->execute();
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Erro inesperado: índice inválido")});
}

}  // namespace
