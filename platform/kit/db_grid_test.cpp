#include "db_grid.h"
#include "grid_helpers.h"
#include "kit_fixture.h"

#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>

using namespace kittest;
using kit::DBGrid;
using kit::GridColumn;

namespace {

enum Col { Tick, Code, Qty, Price };

class GridTest : public KitTest {
protected:
    Items items;
    Form form;
    DBGrid* grid = nullptr;

    void SetUp() override {
        KitTest::SetUp();
        items.standard();
        grid = form.add(new DBGrid);
        grid->setColumns({GridColumn("IDCHECK", " ", 20), GridColumn("CDPRODUTO", "Produto"),
                          GridColumn("QTDE", "Quantidade").titleRight(), GridColumn("VRUNIT", "Preço").titleRight()});
        grid->setDataSource(&items.source);
        grid->setTickColumn("IDCHECK");
        grid->setMinimumSize(420, 200);
    }
    void show() {
        form.show();
        focus(grid);
    }
    QPoint cell(int row, int column) const { return grid->visualRect(grid->model()->index(row, column)).center(); }
    void click(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(row, column));
        settle();
    }
    void doubleClick(int row, int column) { kittest::doubleClick(grid->viewport(), cell(row, column)); }
    int currentRow() const { return grid->currentIndex().row(); }
    QString editorText() const { return grid->cellEditor() ? grid->cellEditor()->text() : QStringLiteral("<fechado>"); }
    QStringList ticks() {
        QStringList out;
        for (int r = 0; r < items.ds.recordCount(); ++r) out << items.ds.displayTextAt(r, items.f("IDCHECK").index());
        return out;
    }
};

// A width in pixels chosen for another machine's font never cuts the title.
TEST_F(GridTest, AGivenWidthIsWidenedToItsTitleNeverNarrowed) {
    grid->setColumns({GridColumn("CDPRODUTO", "Produto", 300), GridColumn("QTDE", "Quantidade muito longa", 20)});
    show();
    const QFontMetrics fm(grid->font());
    EXPECT_EQ(grid->columnWidth(0), 300);
    EXPECT_GE(grid->columnWidth(1), fm.horizontalAdvance(QStringLiteral("Quantidade muito longa")));
}

TEST_F(GridTest, CurrentRowFollowsTheCursorBothWays) {
    show();
    EXPECT_EQ(currentRow(), 0);
    items.ds.last();
    EXPECT_EQ(currentRow(), 2);
    click(0, Code);
    EXPECT_EQ(items.ds.recNo(), 1);
    EXPECT_EQ(grid->currentColumn(), int(Code));
    press(Qt::Key_Down);
    EXPECT_EQ(items.ds.recNo(), 2);
    EXPECT_EQ(currentRow(), 1);
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(items.ds.recNo(), 3);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(items.ds.recNo(), 1);
    press(Qt::Key_Right);
    EXPECT_EQ(grid->currentColumn(), int(Qty));
    EXPECT_EQ(grid->selectedField(), &items.f("QTDE"));
}

TEST_F(GridTest, ScrollHandlersRunAndARefusalKeepsTheRow) {
    int afterScrolls = 0;
    items.ds.afterScroll.add([&](host::Dataset&) { ++afterScrolls; });
    show();
    click(1, Code);
    EXPECT_EQ(afterScrolls, 1);

    items.ds.beforeScroll.add([](host::Dataset&) { throw host::Abort(); });
    click(2, Code);
    EXPECT_EQ(items.ds.recNo(), 2);
    EXPECT_EQ(currentRow(), 1);
    press(Qt::Key_Down);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(shown().errors, QStringList());

    items.ds.beforeScroll.clear();
    items.ds.beforeScroll.add([](host::Dataset&) { throw host::UserError(QStringLiteral("Grave o item antes.")); });
    press(Qt::Key_Up);
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Grave o item antes.")});
    EXPECT_EQ(afterScrolls, 1);
}

TEST_F(GridTest, EnterWritesTheCellMovesOnAndPostsOnTheLastColumn) {
    show();
    click(0, Qty);
    type(QStringLiteral("25"));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Edit);
    EXPECT_EQ(editorText(), QStringLiteral("25"));
    press(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 25.0);
    EXPECT_EQ(grid->currentColumn(), int(Price));
    EXPECT_TRUE(grid->editorMode());  // still typing the row
    grid->cellEditor()->selectAll();
    type(QStringLiteral("3,5"));
    press(Qt::Key_Return);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    EXPECT_DOUBLE_EQ(items.f("VRUNIT").asFloat(), 3.5);
    EXPECT_EQ(grid->currentColumn(), int(Tick));
    EXPECT_FALSE(grid->editorMode());
    EXPECT_EQ(grid->model()->index(0, Price).data().toString(), QStringLiteral("3,50"));
}

TEST_F(GridTest, AClickOnTheCurrentCellOpensItsEditorF2Too) {
    show();
    click(1, Code);
    EXPECT_FALSE(grid->editorMode());
    click(1, Code);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_TRUE(grid->editorMode());
    EXPECT_EQ(editorText(), QStringLiteral("P2"));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);  // looking is not editing
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->editorMode());
    press(Qt::Key_F2);
    EXPECT_TRUE(grid->editorMode());
    grid->setEditorMode(false);
    EXPECT_FALSE(grid->editorMode());
}

TEST_F(GridTest, TabMovesBetweenCellsAndWrapsToTheNextRow) {
    show();
    click(0, Price);
    type(QStringLiteral("9"));
    press(Qt::Key_Tab);
    EXPECT_EQ(items.ds.recNo(), 2);
    EXPECT_EQ(grid->currentColumn(), int(Tick));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    items.ds.first();
    EXPECT_DOUBLE_EQ(items.f("VRUNIT").asFloat(), 9.0);
    grid->setCurrentColumn(Qty);
    press(Qt::Key_Backtab);
    EXPECT_EQ(grid->currentColumn(), int(Code));

    // Past the last cell: a new row when inserts are allowed, else out of the grid.
    items.ds.last();
    grid->setCurrentColumn(Price);
    press(Qt::Key_Tab);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Insert);
    EXPECT_EQ(grid->currentColumn(), int(Tick));
    press(Qt::Key_Escape);
    kit::GridOptions noInsert;
    noInsert.allowInsert = false;
    grid->setOptions(noInsert);
    items.ds.last();
    grid->setCurrentColumn(Price);
    press(Qt::Key_Tab);
    EXPECT_TRUE(form.other->hasFocus());
    EXPECT_EQ(items.ds.recordCount(), 3);
}

TEST_F(GridTest, EscDropsTheCellThenTheRowEdit) {
    show();
    click(0, Code);
    type(QStringLiteral("NOVO"));
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->editorMode());
    EXPECT_EQ(items.ds.state(), host::DatasetState::Edit);
    EXPECT_EQ(items.f("CDPRODUTO").asString(), QStringLiteral("P1"));
    press(Qt::Key_Escape);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    EXPECT_EQ(items.ds.changeCount(), 0);
}

TEST_F(GridTest, DownOnTheLastRowAppendsAndUpDropsTheUntouchedRow) {
    show();
    items.ds.last();
    press(Qt::Key_Down);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Insert);
    EXPECT_EQ(items.ds.recordCount(), 4);
    EXPECT_EQ(currentRow(), 3);
    press(Qt::Key_Down);  // an untouched new row stays
    EXPECT_EQ(items.ds.recordCount(), 4);
    press(Qt::Key_Up);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    EXPECT_EQ(items.ds.recordCount(), 3);
    EXPECT_EQ(items.ds.recNo(), 3);  // back on the row the user came from
    EXPECT_EQ(currentRow(), 2);

    // A typed new row is posted by moving away from it.
    press(Qt::Key_Down);
    grid->setCurrentColumn(Code);
    type(QStringLiteral("P4"));
    press(Qt::Key_Up);
    EXPECT_EQ(items.ds.recordCount(), 4);
    EXPECT_EQ(items.ds.recNo(), 3);
    items.ds.last();
    EXPECT_EQ(items.f("CDPRODUTO").asString(), QStringLiteral("P4"));

    kit::GridOptions noInsert;
    noInsert.allowInsert = false;
    grid->setOptions(noInsert);
    press(Qt::Key_Down);
    EXPECT_EQ(items.ds.recordCount(), 4);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
}

TEST_F(GridTest, ClickingAnotherRowWhileOnAnUntouchedNewRowLandsOnTheClickedRow) {
    show();
    items.ds.first();
    items.ds.insert();  // a new row above P1, nothing typed
    ASSERT_EQ(items.ds.recordCount(), 4);
    click(3, Code);  // P3 while the new row is still there
    EXPECT_EQ(items.ds.recordCount(), 3);
    EXPECT_EQ(items.f("CDPRODUTO").asString(), QStringLiteral("P3"));
}

TEST_F(GridTest, ARefusedCellKeepsTheEditorTheTextAndTheRow) {
    shown().stealFocus = true;
    items.f("QTDE").onValidate = [](host::Field& f) {
        if (f.asFloat() <= 0) throw host::FieldError(f.name(), QStringLiteral("Quantidade deve ser maior que zero."));
    };
    show();
    click(0, Qty);
    type(QStringLiteral("0"));
    press(Qt::Key_Return);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Quantidade deve ser maior que zero.")});
    EXPECT_EQ(editorText(), QStringLiteral("0"));
    EXPECT_EQ(grid->currentColumn(), int(Qty));

    click(2, Code);  // refused again: the grid does not leave the typed cell
    EXPECT_EQ(shown().errors.size(), 2);
    EXPECT_EQ(items.ds.recNo(), 1);
    EXPECT_EQ(editorText(), QStringLiteral("0"));
    ASSERT_NE(grid->cellEditor(), nullptr);
    EXPECT_TRUE(grid->cellEditor()->hasFocus());

    focus(form.other);  // nor lets the focus go
    for (int i = 0; i < 5; ++i) settle();
    EXPECT_EQ(shown().errors.size(), 3);
    EXPECT_TRUE(grid->cellEditor() && grid->cellEditor()->hasFocus());

    grid->cellEditor()->selectAll();
    type(QStringLiteral("4"));
    press(Qt::Key_Down);
    EXPECT_EQ(items.ds.recNo(), 2);
    items.ds.first();
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 4.0);
}

TEST_F(GridTest, PostingWithTheCellStillOpenKeepsTheTypedValue) {
    show();
    click(1, Qty);
    type(QStringLiteral("77"));
    items.source.post();
    EXPECT_DOUBLE_EQ(items.f("QTDE").asFloat(), 77.0);
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);

    click(1, Price);
    type(QStringLiteral("8"));
    kit::flushFocusedEditor();
    items.ds.post();
    EXPECT_DOUBLE_EQ(items.f("VRUNIT").asFloat(), 8.0);
}

TEST_F(GridTest, LeavingTheGridWritesTheCellAndRunsTheExitHandler) {
    int entered = 0, left = 0;
    grid->onEnter = [&] { ++entered; };
    grid->onExit = [&] { ++left; };
    form.show();  // the grid is the first control: the window's first focus enters it
    EXPECT_EQ(entered, 1);
    click(2, Code);
    type(QStringLiteral("X9"));  // the cell editor takes the focus: still inside the grid
    EXPECT_EQ(left, 0);
    focus(form.other);
    EXPECT_EQ(items.f("CDPRODUTO").asString(), QStringLiteral("X9"));
    EXPECT_EQ(left, 1);
    EXPECT_FALSE(grid->editorMode());
    focus(grid);
    EXPECT_EQ(entered, 2);

    // Another window taking the activation for a while is not leaving.
    QWidget elsewhere;
    showActive(&elsewhere);
    elsewhere.hide();
    showActive(&form.window);
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(entered, 2);
    EXPECT_EQ(left, 1);
}

TEST_F(GridTest, TickColumnTogglesByClickDoubleClickAndSpace) {
    int scrolls = 0;
    show();
    items.ds.afterScroll.add([&](host::Dataset&) { ++scrolls; });
    click(0, Tick);
    EXPECT_EQ(ticks(), (QStringList{"C", "U", "U"}));
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    doubleClick(0, Tick);  // two clicks in the box: two toggles
    EXPECT_EQ(ticks(), (QStringList{"C", "U", "U"}));
    doubleClick(1, Code);  // elsewhere on the row: one toggle
    EXPECT_EQ(ticks(), (QStringList{"C", "C", "U"}));
    doubleClick(1, Code);  // on the current cell: a toggle, and no cell editor
    EXPECT_EQ(ticks(), (QStringList{"C", "U", "U"}));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_FALSE(grid->editorMode());
    press(Qt::Key_Space);
    EXPECT_EQ(ticks(), (QStringList{"C", "C", "U"}));
    press(Qt::Key_Space);
    EXPECT_EQ(ticks(), (QStringList{"C", "U", "U"}));

    scrolls = 0;
    press(Qt::Key_Space, Qt::ControlModifier);  // current row "U": every row "C"
    EXPECT_EQ(ticks(), (QStringList{"C", "C", "C"}));
    EXPECT_EQ(items.ds.recNo(), 2);
    EXPECT_EQ(scrolls, 0);  // ticking every row is not the user scrolling
    press(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(ticks(), (QStringList{"U", "U", "U"}));

    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid->horizontalHeader()->sectionViewportPosition(Tick) + 5, 5));
    settle();
    EXPECT_EQ(ticks(), (QStringList{"C", "C", "C"}));
    EXPECT_EQ(items.ds.recNo(), 2);
}

TEST_F(GridTest, TickingEveryRowStopsAtARefusedRowAndKeepsTheOthers) {
    items.ds.beforePost.add([](host::Dataset& ds) {
        if (ds.field("CDPRODUTO").asString() == "P3" && ds.field("IDCHECK").asString() == "C")
            throw host::UserError(QStringLiteral("Quantidade pedida deve ser informada."));
    });
    show();
    press(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(ticks(), (QStringList{"C", "C", "U"}));
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Quantidade pedida deve ser informada.")});
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    EXPECT_EQ(items.ds.recNo(), 1);
}

TEST_F(GridTest, KeyDownHandlerCanSwallowKeysEvenInTheCellEditor) {
    grid->onKeyDown = [](QKeyEvent* e) { return e->text() == "-" || e->text() == "e"; };
    show();
    click(0, Qty);
    type(QStringLiteral("-"));
    EXPECT_FALSE(grid->editorMode());
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
    type(QStringLiteral("1e2"));
    EXPECT_EQ(editorText(), QStringLiteral("12"));
}

TEST_F(GridTest, DrawHandlerSeesTheDrawnRowAndCanPaintItRed) {
    std::vector<std::pair<int, QString>> seen;
    grid->onDrawColumnCell = [&](kit::GridCell& c) {
        seen.emplace_back(c.row, c.asString("CDPRODUTO"));
        if (c.asString("CDPRODUTO") == "P2") c.textColor = Qt::red;
    };
    show();
    const QImage image = grid->viewport()->grab().toImage();
    auto redIn = [&](int row) {
        const QRect r = grid->visualRect(grid->model()->index(row, Code));
        int red = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
            }
        return red;
    };
    EXPECT_GT(redIn(1), 0);
    EXPECT_EQ(redIn(2), 0);
    ASSERT_FALSE(seen.empty());
    for (const auto& [row, code] : seen) EXPECT_EQ(code, QStringLiteral("P%1").arg(row + 1));
}

TEST_F(GridTest, ColumnsByFieldNameSurviveResets) {
    show();
    EXPECT_EQ(kit::IndiceCol(*grid, "vrunit"), int(Price));
    EXPECT_EQ(kit::IndiceCol(*grid, "NAOEXISTE"), -1);
    grid->setColumnVisible("VRUNIT", false);
    grid->setColumnWidth(Code, 133);
    items.ds.edit();
    items.f("QTDE").setAsFloat(1);
    items.ds.post();  // a post resets the model
    EXPECT_TRUE(grid->isColumnHidden(Price));
    EXPECT_EQ(grid->columnWidth(Code), 133);
    grid->setCurrentColumn(Qty);
    press(Qt::Key_Right);  // the hidden column is skipped
    EXPECT_EQ(grid->currentColumn(), int(Qty));
}

TEST_F(GridTest, EllipsisButtonCallsTheScreen) {
    std::vector<int> pressed;
    grid->setColumnButton(Code, true);
    grid->onEditButtonClick = [&](int column) { pressed.push_back(column); };
    show();
    click(1, Code);
    const QRect r = grid->visualRect(grid->model()->index(1, Code));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 3, r.center().y()));
    settle();
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(pressed, (std::vector<int>{Code, Code}));
    EXPECT_EQ(items.ds.recNo(), 2);
}

TEST_F(GridTest, CtrlDeleteAsksBeforeDeleting) {
    show();
    click(1, Code);
    shown().answers = {host::kNo, host::kYes};
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(items.ds.recordCount(), 3);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(items.ds.recordCount(), 2);
    EXPECT_EQ(shown().questions, (QStringList{"Confirma exclusão?", "Confirma exclusão?"}));
}

TEST_F(GridTest, ReadOnlyColumnsAndFieldsAreNotEdited) {
    grid->setColumnReadOnly(Price, true);
    items.f("CDPRODUTO").setReadOnly(true);
    show();
    click(0, Price);
    type(QStringLiteral("5"));
    EXPECT_FALSE(grid->editorMode());
    click(0, Code);
    type(QStringLiteral("5"));
    EXPECT_FALSE(grid->editorMode());
    EXPECT_EQ(items.ds.state(), host::DatasetState::Browse);
}

TEST_F(GridTest, AHundredThousandRowsArePaintedOnlyWhereVisible) {
    host::Dataset big(QStringLiteral("cdsGrande"));
    big.addField(host::FieldDef::integer("NRSEQ", "Seq."));
    big.addField(host::FieldDef::string("DSITEM", 20, "Item"));
    big.createDataset();
    big.disableControls();
    for (int i = 0; i < 100000; ++i) {
        big.append();
        big.field("NRSEQ").setAsInteger(i + 1);
        big.field("DSITEM").setAsString(QStringLiteral("Item %1").arg(i + 1));
        big.post();
    }
    big.enableControls();
    int texts = 0;
    big.field("DSITEM").onGetText = [&](const host::Field& f, bool) {
        ++texts;
        return f.asString();
    };
    kit::DataSource source(&big);
    DBGrid bigGrid;
    bigGrid.resize(400, 300);
    bigGrid.setDataSource(&source);
    showActive(&bigGrid);
    const int visibleRows = bigGrid.viewport()->height() / bigGrid.rowHeight() + 2;
    EXPECT_EQ(bigGrid.model()->rowCount(), 100000);
    EXPECT_LE(texts, visibleRows * 4);  // nothing per row at reset, only what is painted

    texts = 0;
    bigGrid.setFocus();
    QTest::keyClick(&bigGrid, Qt::Key_End, Qt::ControlModifier);
    settle();
    EXPECT_EQ(big.recNo(), 100000);
    EXPECT_EQ(bigGrid.currentIndex().row(), 99999);
    EXPECT_LE(texts, visibleRows * 4);

    texts = 0;
    big.edit();  // one row changes: the grid repaints that row, not the set
    big.field("NRSEQ").setAsInteger(-1);
    settle();
    EXPECT_LE(texts, 4);
    big.cancel();
}

}  // namespace
