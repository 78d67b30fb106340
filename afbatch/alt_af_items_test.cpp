// Editing the items: what may change, the checks before an item is stored, the
// brand lookup and the error panel.
#include "afbatch_test_support.h"

#include "platform/kit/db_grid.h"

#include "platform/db/sql_exec.h"

#include "host/testing/qt_printers.h"

#include <QtWidgets/QListWidget>

namespace afbatch::testing {
namespace {

using Tool = kit::StandardGridScreen::Tool;

class AltAfItemsTest : public AltAfScreenTest {
protected:
    void SetUp() override {
        AltAfScreenTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        useServer(Transport::InProcess);
        createScreen();
        filter("2", "10");
        ASSERT_EQ(screen->cdsAF.recordCount(), 4);
    }
};

TEST_P(AltAfItemsTest, TheChecksBeforeAnItemIsStored) {
    struct Case {
        const char* what;
        int af;
        QString product, brand, qty;
        QString error;       // empty: stored
        QString focusField;  // where the error puts the focus
    };
    const std::vector<Case> cases = {
        {"brand of a partly settled item", 11, world.p1, "2", {},
         "Operação bloqueada. Item da AF está com baixa parcial e por isso sua marca não pode ser alterada.", "CDMARCA"},
        {"zero quantity of a partly settled item", 11, world.p1, {}, "0",
         "Operação bloqueada. Item da AF está com baixa parcial e por isso a quantidade não pode ser zerada. ",
         "QTPROGENTAF"},
        {"negative quantity", 1, world.p1, {}, "-1",
         "Operação bloqueada. Quantidade do item da AF deve ser igual ou maior que 0.", "QTPROGENTAF"},
        {"brand that does not exist", 1, world.p1, "999", {}, "Marca não cadastrada.", "CDMARCA"},
        {"no brand", 1, world.p1, "", {}, "Marca deve ser informada.", "CDMARCA"},
        {"zero quantity of an open item", 1, world.p1, {}, "0", "", ""},
        {"only the quantity of a partly settled item", 11, world.p1, {}, "12,5", "", ""},
        {"brand of an open item, padded and named", 11, world.p2, "1", {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        services.dialogs.clearShown();
        const bool stored = changeItem(c.af, c.product, c.brand, c.qty);
        EXPECT_EQ(stored, c.error.isEmpty());
        EXPECT_TRUE(services.dialogs.errorsAre(c.error.isEmpty() ? QStringList() : QStringList{c.error}));
        if (!stored) {
            EXPECT_EQ(screen->cdsAF.state(), host::DatasetState::Edit);  // the edit stays open
            const host::Field* focused = screen->standardGrid()->selectedField();
            ASSERT_NE(focused, nullptr);
            EXPECT_EQ(focused->name(), c.focusField);
            screen->cdsAF.cancel();
        }
    }
    // What was stored, still pending.
    locate(11, world.p1);
    EXPECT_EQ(screen->cdsAF.field("QTPROGENTAF").asFloat(), 12.5);
    EXPECT_EQ(screen->cdsAF.field("CDMARCA").asString(), world.brand1);
    locate(11, world.p2);
    EXPECT_EQ(screen->cdsAF.field("CDMARCA").asString(), world.brand1);
    EXPECT_EQ(screen->cdsAF.field("NMMARCA").asString(), QStringLiteral("Marca Um"));
    EXPECT_EQ(screen->cdsAF.changeCount(), 3);
    EXPECT_EQ(callCount("SetAF") + callCount("GetVerifica"), 0);
}

TEST_P(AltAfItemsTest, OnlyBrandAndQuantityChangeAndRowsAreNeitherAddedNorRemoved) {
    const int rows = screen->cdsAF.recordCount();
    EXPECT_THROW(screen->cdsAF.append(), host::Abort);
    screen->cdsAF.first();
    EXPECT_THROW(screen->cdsAF.deleteRecord(), host::Abort);
    EXPECT_EQ(screen->cdsAF.recordCount(), rows);
    EXPECT_FALSE(screen->press(Tool::Incluir));
    EXPECT_FALSE(screen->press(Tool::Excluir));
    screen->dtsPadrao.edit();
    for (const char* name : {"DTPROGENTAF", "CDARVPROD", "NRINSJURFORN", "NRAUTOFORN"})
        EXPECT_THROW(screen->cdsAF.field(QString::fromLatin1(name)).setText("1"), host::UserError) << name;
    screen->cdsAF.cancel();
    EXPECT_EQ(screen->cdsAF.changeCount(), 0);
}

TEST_P(AltAfItemsTest, TheBrandLookupStartsTheEditAndSetsCodeAndName) {
    locate(1, world.p1);
    services.dialogs.choose({"4"}, QStringLiteral("Marca"));  // rows by position: 00001, 00002, 00003, 00045
    screen->pesquisaMarca();
    EXPECT_EQ(screen->cdsAF.state(), host::DatasetState::Edit);
    EXPECT_EQ(screen->cdsAF.field("CDMARCA").asString(), world.brand45);
    EXPECT_EQ(screen->cdsAF.field("NMMARCA").asString(), QStringLiteral("Marca 45"));
    const std::vector<host::PickList> lists = services.dialogs.pickLists();
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].rows.size(), 4u);  // every brand
    const int brandColumn = screen->standardGrid()->columnOf("CDMARCA");
    EXPECT_TRUE(screen->standardGrid()->column(brandColumn).ellipsisButton);
    screen->dtsPadrao.post();
    EXPECT_FALSE(screen->standardGrid()->column(brandColumn).ellipsisButton);
}

TEST_P(AltAfItemsTest, TheErrorPanelShowsTheCurrentItemsProblems) {
    afdb::exec(connection(), "UPDATE ITEMAUTF SET DSINCONSITAF = 'Preço acima da lista.' WHERE NRAUTOFORN = '0000000012' "
                             "AND CDPRODUTO = '0000000123'");
    afdb::exec(connection(), "UPDATE AUTOFORNE SET DSINCONSAF = 'Fornecedor bloqueado.' WHERE NRAUTOFORN = '0000000012'");
    EXPECT_TRUE(screen->press(Tool::Verificar));
    auto panel = [this] {
        QStringList lines;
        for (int i = 0; i < screen->lbxErros->count(); ++i) lines << screen->lbxErros->item(i)->text();
        return lines;
    };
    locate(12, world.p2);
    EXPECT_EQ(panel(), (QStringList{"Fornecedor bloqueado.", "Preço acima da lista."}));
    locate(1, world.p1);
    EXPECT_EQ(panel(), QStringList());
}

TEST_P(AltAfItemsTest, TheGridShowsNamesInRedForInconsistentItemsAndCodesInTheCellBeingEdited) {
    afdb::exec(connection(), "UPDATE ITEMAUTF SET DSINCONSITAF = 'Preço acima da lista.' WHERE NRAUTOFORN = '0000000012' "
                             "AND CDPRODUTO = '0000000123'");
    EXPECT_TRUE(screen->press(Tool::Verificar));
    struct Case {
        const char* what;
        int af;
        QString product;
        bool editing, focused;
        QString field, text;
        bool red;
    };
    const std::vector<Case> cases = {
        {"product name", 1, world.p1, false, false, "CDARVPROD", "Arroz 5 kg", false},
        {"trade name", 1, world.p1, false, false, "NRINSJURFORN", "Fornecedor Teste", false},
        {"brand name", 1, world.p1, false, false, "CDMARCA", "Marca Um", false},
        {"inconsistent item: every cell red", 12, world.p2, false, false, "CDMARCA", "Marca 45", true},
        {"inconsistent item: quantity red too", 12, world.p2, false, false, "QTPROGENTAF", "8,000", true},
        {"focused cell of a browsed row", 1, world.p1, false, true, "CDMARCA", "Marca Um", false},
        {"brand code while editing", 1, world.p1, true, true, "CDMARCA", "00001", false},
        {"registration through its mask while editing", 1, world.p1, true, true, "NRINSJURFORN", "12.345.678/0001-99",
         false},
        {"another cell while editing", 1, world.p1, true, false, "CDARVPROD", "Arroz 5 kg", false},
    };
    kit::DBGrid* grid = screen->standardGrid();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        locate(c.af, c.product);
        if (c.editing) screen->dtsPadrao.edit();
        kit::GridCell cell;
        cell.dataset = &screen->cdsAF;
        cell.row = screen->cdsAF.currentViewRow();
        cell.field = &screen->cdsAF.field(c.field);
        cell.column = grid->columnOf(c.field);
        cell.focused = c.focused;
        cell.text = screen->cdsAF.displayTextAt(cell.row, cell.field->index());
        cell.textColor = Qt::black;
        grid->onDrawColumnCell(cell);
        EXPECT_EQ(cell.text, c.text);
        EXPECT_EQ(cell.textColor == QColor(Qt::red), c.red);
        if (c.editing) screen->cdsAF.cancel();
    }
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfItemsTest);

}  // namespace
}  // namespace afbatch::testing
