#include "db_edit.h"
#include "db_grid.h"
#include "db_memo.h"
#include "guard.h"
#include "kit_fixture.h"
#include "screen_keys.h"

#include <stdexcept>

using namespace kittest;

namespace {

class ScreenKeysTest : public KitTest {
protected:
    Items items;
    Form form;
    kit::DBEdit* code = nullptr;
    kit::DBEdit* qty = nullptr;
    kit::DBMemo* notes = nullptr;
    kit::ScreenKeys* keys = nullptr;

    void SetUp() override {
        KitTest::SetUp();
        items.standard();
        code = form.add(new kit::DBEdit(&items.source, "CDPRODUTO"));
        qty = form.add(new kit::DBEdit(&items.source, "QTDE"));
        notes = form.add(new kit::DBMemo(&items.source, "TXOBS"));
        keys = new kit::ScreenKeys(&form.window);
        keys->enterAsTab = [this] { return items.ds.editing(); };
        keys->addEnterException(notes);
        keys->decimalComma = true;
        form.show();
    }
};

TEST_F(ScreenKeysTest, EnterMovesOnOnlyWhileEditing) {
    focus(code);
    press(Qt::Key_Return);  // browsing: Enter stays
    EXPECT_TRUE(code->hasFocus());
    code->end(false);
    type(QStringLiteral("X"));
    press(Qt::Key_Return);
    EXPECT_TRUE(qty->hasFocus());
    EXPECT_EQ(items.f("CDPRODUTO").asString(), QStringLiteral("P1X"));
    focus(notes);
    type(QStringLiteral("a"));
    press(Qt::Key_Return);  // the memo keeps its Enter
    type(QStringLiteral("b"));
    EXPECT_TRUE(notes->hasFocus());
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("a\nb"));
    focus(qty);
    press(Qt::Key_Return, Qt::ControlModifier);  // Ctrl+Enter is the screen's, not a Tab
    EXPECT_TRUE(qty->hasFocus());
}

TEST_F(ScreenKeysTest, PeriodTypesACommaInFloatFieldsOnly) {
    focus(qty);
    qty->selectAll();
    type(QStringLiteral("2.5"));
    EXPECT_EQ(qty->text(), QStringLiteral("2,5"));
    press(Qt::Key_Backspace);
    press(Qt::Key_Backspace);
    QTest::keyClick(qty, Qt::Key_Period, Qt::KeypadModifier, 0);  // the keypad's decimal key
    type(QStringLiteral("75"));
    EXPECT_EQ(qty->text(), QStringLiteral("2,75"));
    focus(code);
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 2.75);
    code->selectAll();
    type(QStringLiteral("A.B"));
    EXPECT_EQ(code->text(), QStringLiteral("A.B"));

    keys->decimalComma = false;
    focus(qty);
    qty->selectAll();
    type(QStringLiteral("2.5"));
    EXPECT_EQ(qty->text(), QStringLiteral("2.5"));
}

TEST_F(ScreenKeysTest, PeriodInAGridCellOfAFloatColumn) {
    auto* grid = form.add(new kit::DBGrid);
    grid->setColumns({kit::GridColumn("CDPRODUTO"), kit::GridColumn("QTDE")});
    grid->setDataSource(&items.source);
    settle();
    focus(grid);
    grid->setCurrentColumn(1);
    type(QStringLiteral("1.5"));
    ASSERT_TRUE(grid->editorMode());
    EXPECT_EQ(grid->cellEditor()->text(), QStringLiteral("1,5"));
}

TEST_F(ScreenKeysTest, AnEnterAsTabRuleThatFailsIsShownAndTheKeyKept) {
    keys->enterAsTab = [] () -> bool { throw std::runtime_error("regra quebrada"); };
    focus(code);
    press(Qt::Key_Return);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Erro inesperado: regra quebrada")});
    EXPECT_TRUE(code->hasFocus());
}

// What the boundary shows for each kind of failure.
TEST(Guard, ShowsEachKindOfFailureAsTheUserShouldSeeIt) {
    auto recorder = std::make_shared<RecordingDialogs>();
    host::setDialogService(recorder);
    struct Case {
        std::function<void()> work;
        QStringList errors;
        bool completed;
    } cases[] = {
        {[] {}, {}, true},
        {[] { throw host::Abort(); }, {}, false},
        {[] { throw host::UserError(QStringLiteral("Fornecedor inativo.")); }, {"Fornecedor inativo."}, false},
        {[] { throw host::DataError(QStringLiteral("Campo \"X\" não encontrado em cdsAF.")); },
         {"Campo \"X\" não encontrado em cdsAF."}, false},
        {[] { throw std::runtime_error("socket fechado"); }, {"Erro inesperado: socket fechado"}, false},
        {[] { throw std::bad_alloc(); }, {"Erro inesperado: std::bad_alloc"}, false},
        {[] { throw 42; }, {"Erro inesperado."}, false},
    };
    for (const Case& c : cases) {
        recorder->errors.clear();
        EXPECT_EQ(kit::guard(nullptr, c.work), c.completed);
        EXPECT_EQ(recorder->errors, c.errors);
    }
}

}  // namespace
