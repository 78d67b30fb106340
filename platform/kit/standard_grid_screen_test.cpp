#include "db_edit.h"
#include "db_grid.h"
#include "db_text.h"
#include "kit_fixture.h"
#include "lookup_button.h"
#include "record_navigator.h"
#include "screen_keys.h"
#include "search_dialog.h"
#include "standard_grid_screen.h"
#include "test_modal.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>
#include <set>
#include <stdexcept>

using namespace kittest;
using kit::StandardGridScreen;
using Tool = kit::StandardGridScreen::Tool;

namespace {

const Tool kAllTools[] = {Tool::Incluir,   Tool::Alterar,   Tool::Excluir,  Tool::Procurar,
                          Tool::Verificar, Tool::Confirmar, Tool::Cancelar};
const char* const kCaptions[] = {"Incluir", "Alterar", "Excluir", "Procurar", "Verificar", "Confirmar", "Cancelar"};

// A screen on the kit's item dataset, with two edit boxes and hooks the tests set.
class ItemScreen : public StandardGridScreen {
public:
    Items header;  // a dataset beside the standard one, with its own edit box
    Items items;
    kit::DBEdit* headerCode = nullptr;
    kit::DBEdit* product = nullptr;
    kit::DBEdit* quantity = nullptr;
    std::function<void()> beforeConfirm;
    std::function<void()> verify;
    std::function<bool(QKeyEvent*)> preview;
    std::function<bool()> closing;
    std::vector<QString>* trace = nullptr;

    ItemScreen() : StandardGridScreen(QStringLiteral("TST00001")) {
        product = new kit::DBEdit(&items.source, "CDPRODUTO");
        product->setObjectName(QStringLiteral("dbeProduto"));
        quantity = new kit::DBEdit(&items.source, "QTDE");
        quantity->setObjectName(QStringLiteral("dbeQtde"));
        headerCode = new kit::DBEdit(&header.source, "CDPRODUTO");
        contentLayout()->addWidget(headerCode);
        contentLayout()->addWidget(product);
        contentLayout()->addWidget(quantity);
        standardGrid()->setColumns({kit::GridColumn("CDPRODUTO", "Produto"), kit::GridColumn("QTDE", "Quantidade")});
        setStandardSource(&items.source);
        resize(640, 420);
    }

protected:
    void doConfirm() override {
        if (beforeConfirm) beforeConfirm();
        StandardGridScreen::doConfirm();
    }
    void doVerify() override {
        if (verify) verify();
    }
    bool onKeyPreview(QKeyEvent* e) override {
        if (trace) trace->push_back(QStringLiteral("preview %1").arg(e->key()));
        if (preview && preview(e)) return true;
        return StandardGridScreen::onKeyPreview(e);
    }
    bool queryClose() override { return closing ? closing() : true; }
};

class GridScreenTest : public KitTest {
protected:
    std::unique_ptr<ItemScreen> screen;
    void SetUp() override {
        KitTest::SetUp();
        screen = std::make_unique<ItemScreen>();
        screen->items.standard();
    }
    void TearDown() override {
        screen.reset();
        KitTest::TearDown();
    }
    host::Dataset& ds() { return screen->items.ds; }
    void click(Tool tool) {
        QTest::mouseClick(screen->button(tool), Qt::LeftButton);
        settle();
    }
    // Which tools are enabled, checking on the way that every button and menu item agree.
    std::set<Tool> enabledTools() {
        std::set<Tool> on;
        for (Tool t : kAllTools) {
            QAction* a = screen->action(t);
            EXPECT_TRUE(screen->standardMenu()->actions().contains(a));
            EXPECT_EQ(screen->button(t)->defaultAction(), a);
            EXPECT_EQ(screen->button(t)->isEnabled(), a->isEnabled()) << a->text().toStdString();
            if (a->isEnabled()) on.insert(t);
        }
        return on;
    }
};

TEST_F(GridScreenTest, ButtonsAndMenuItemsAreOneActionEachInTheStandardOrder) {
    showActive(screen.get());
    const QList<QAction*> menu = screen->standardMenu()->actions();
    ASSERT_EQ(menu.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(menu[i], screen->action(kAllTools[i]));
        EXPECT_EQ(screen->button(kAllTools[i])->text(), QString::fromUtf8(kCaptions[i]));
        EXPECT_EQ(screen->button(kAllTools[i])->objectName(), QStringLiteral("sbt") + QLatin1String(kCaptions[i]));
        EXPECT_EQ(menu[i]->objectName(), QStringLiteral("mnu") + QLatin1String(kCaptions[i]));
    }
    // Hiding or disabling the menu item takes its button along, and back.
    QAction* alterar = screen->action(Tool::Alterar);
    alterar->setVisible(false);
    settle();
    EXPECT_FALSE(screen->button(Tool::Alterar)->isVisible());
    alterar->setVisible(true);
    settle();
    EXPECT_TRUE(screen->button(Tool::Alterar)->isVisible());
    screen->setToolEnabled(Tool::Alterar, false);
    EXPECT_FALSE(screen->button(Tool::Alterar)->isEnabled());
}

TEST_F(GridScreenTest, ToolsFollowTheStandardDatasetThroughEveryStateChange) {
    const std::set<Tool> browse{Tool::Incluir, Tool::Alterar, Tool::Excluir, Tool::Procurar};
    const std::set<Tool> editing{Tool::Confirmar, Tool::Cancelar};
    struct Step {
        const char* what;
        std::function<void()> act;
        std::set<Tool> expected;
    } steps[] = {
        {"aberto", [] {}, browse},
        {"incluir", [&] { click(Tool::Incluir); }, editing},
        {"cancelar pelo dataset", [&] { ds().cancel(); }, browse},
        {"alterar", [&] { click(Tool::Alterar); }, editing},
        {"confirmar", [&] { click(Tool::Confirmar); }, browse},
        {"edição por código", [&] { ds().edit(); }, editing},
        {"gravação por código", [&] { ds().post(); }, browse},
        {"vazio", [&] { ds().emptyDataset(); }, {Tool::Incluir}},
        {"fechado", [&] { ds().close(); }, {}},
        {"reaberto e preenchido", [&] { ds().createDataset(); screen->items.add("P9", 1, 1); }, browse},
        {"sem fonte", [&] { screen->setStandardSource(nullptr); }, {}},
        {"fonte de volta", [&] { screen->setStandardSource(&screen->items.source); }, browse},
    };
    showActive(screen.get());
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(enabledTools(), s.expected) << s.what;
    }
    EXPECT_EQ(shown().errors, QStringList());
}

TEST_F(GridScreenTest, ConfirmWritesWhatIsStillTypedInTheFocusedControl) {
    showActive(screen.get());
    struct Case {
        const char* where;
        std::function<void()> focusIt;
    } cases[] = {
        {"caixa de edição", [&] { focus(screen->quantity); screen->quantity->selectAll(); }},
        {"célula da grade",
         [&] {
             focus(screen->standardGrid());
             screen->standardGrid()->setCurrentColumn(1);
         }},
    };
    double value = 40;
    for (const Case& c : cases) {
        click(Tool::Alterar);
        c.focusIt();
        type(QString::number(++value, 'f', 0));
        click(Tool::Confirmar);
        EXPECT_EQ(ds().state(), host::DatasetState::Browse) << c.where;
        EXPECT_DOUBLE_EQ(screen->items.f("QTDE").asFloat(), value) << c.where;
        EXPECT_EQ(ds().changeCount(), 1) << c.where;
    }
    // A box of another dataset: its text reaches that dataset before the screen's confirmation goes on.
    screen->header.standard();
    QString seen;
    screen->beforeConfirm = [&] { seen = screen->header.f("CDPRODUTO").asString(); };
    click(Tool::Alterar);
    focus(screen->headerCode);
    screen->headerCode->selectAll();
    type(QStringLiteral("CAB1"));
    click(Tool::Confirmar);
    EXPECT_EQ(seen, QStringLiteral("CAB1"));
    EXPECT_EQ(ds().state(), host::DatasetState::Browse);
    EXPECT_EQ(shown().errors, QStringList());
}

TEST_F(GridScreenTest, ARefusedConfirmShowsItsMessageOnceAndKeepsTheEditAndTheText) {
    struct Case {
        const char* what;
        std::function<void()> refuse;
        QString message;
        bool focusesQuantity;
    } cases[] = {
        {"antes de gravar", [] { throw host::UserError(QStringLiteral("Quantidade deve ser maior que zero.")); },
         QStringLiteral("Quantidade deve ser maior que zero."), false},
        {"campo", [] { throw host::FieldError(QStringLiteral("QTDE"), QStringLiteral("Quantidade inválida.")); },
         QStringLiteral("Quantidade inválida."), true},
        {"silencioso", [] { throw host::Abort(); }, QString(), false},
    };
    showActive(screen.get());
    for (const Case& c : cases) {
        shown().errors.clear();
        for (bool inScreen : {true, false}) {
            // The refusal comes from the screen's own confirmation or from the dataset's before-post.
            screen->beforeConfirm = inScreen ? c.refuse : std::function<void()>();
            ds().beforePost.clear();
            if (!inScreen) ds().beforePost.add([&](host::Dataset&) { c.refuse(); });
            click(Tool::Incluir);
            focus(screen->product);
            type(QStringLiteral("NOVO"));
            EXPECT_FALSE(screen->press(Tool::Confirmar)) << c.what;
            EXPECT_EQ(ds().state(), host::DatasetState::Insert) << c.what;
            EXPECT_EQ(screen->product->text(), QStringLiteral("NOVO")) << c.what;
            EXPECT_EQ(enabledTools(), (std::set<Tool>{Tool::Confirmar, Tool::Cancelar})) << c.what;
            if (c.focusesQuantity) {
                EXPECT_TRUE(screen->quantity->hasFocus()) << c.what;
            }
            ds().cancel();
        }
        const QStringList expected = c.message.isEmpty() ? QStringList() : QStringList{c.message, c.message};
        EXPECT_EQ(shown().errors, expected) << c.what;  // once per attempt
    }
    // Once the screen accepts, the same typed record is stored.
    screen->beforeConfirm = nullptr;
    ds().beforePost.clear();
    click(Tool::Incluir);
    focus(screen->product);
    type(QStringLiteral("NOVO"));
    EXPECT_TRUE(screen->press(Tool::Confirmar));
    EXPECT_EQ(screen->items.f("CDPRODUTO").asString(), QStringLiteral("NOVO"));
    EXPECT_EQ(ds().recordCount(), 4);
}

TEST_F(GridScreenTest, DeleteAndCancelAskFirstAndActOnlyOnYes) {
    struct Case {
        Tool tool;
        bool editFirst;
        int answer;
        QString question;
        int rowsAfter;
        host::DatasetState stateAfter;
    } cases[] = {
        {Tool::Excluir, false, host::kNo, QStringLiteral("Confirma exclusão?"), 3, host::DatasetState::Browse},
        {Tool::Excluir, false, host::kYes, QStringLiteral("Confirma exclusão?"), 2, host::DatasetState::Browse},
        {Tool::Cancelar, true, host::kNo, QStringLiteral("Cancelar operação?"), 3, host::DatasetState::Edit},
        {Tool::Cancelar, true, host::kYes, QStringLiteral("Cancelar operação?"), 3, host::DatasetState::Browse},
    };
    showActive(screen.get());
    for (const Case& c : cases) {
        ds().cancel();
        screen->items.ds.close();
        screen->items.ds.createDataset();
        screen->items.standard();
        ds().setRecNo(2);
        if (c.editFirst) {
            click(Tool::Alterar);
            screen->items.f("QTDE").setAsFloat(99);
        }
        shown().questions.clear();
        shown().answers = {c.answer};
        click(c.tool);
        EXPECT_EQ(shown().questions, QStringList{c.question});
        EXPECT_EQ(ds().recordCount(), c.rowsAfter);
        EXPECT_EQ(ds().state(), c.stateAfter);
        if (c.tool == Tool::Cancelar) {
            EXPECT_DOUBLE_EQ(screen->items.f("QTDE").asFloat(), c.answer == host::kYes ? 5.0 : 99.0);
        } else if (c.answer == host::kYes) {
            EXPECT_EQ(screen->items.f("CDPRODUTO").asString(), QStringLiteral("P3"));  // P2 is gone
        }
    }
}

TEST_F(GridScreenTest, DisabledToolsDoNothingAndAnyFailureIsShownNotThrown) {
    int verifies = 0;
    screen->verify = [&] {
        ++verifies;
        throw std::runtime_error("conexão perdida");
    };
    showActive(screen.get());
    EXPECT_FALSE(screen->toolEnabled(Tool::Verificar));  // no standard behaviour: off until the screen says
    EXPECT_FALSE(screen->press(Tool::Verificar));
    screen->action(Tool::Verificar)->trigger();
    EXPECT_EQ(verifies, 0);

    screen->setToolEnabled(Tool::Verificar, true);
    click(Tool::Verificar);
    EXPECT_EQ(verifies, 1);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Erro inesperado: conexão perdida")});
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(GridScreenTest, InsertStartsANewRowInTheGridAndSearchOpensOnTheGridColumn) {
    showActive(screen.get());
    screen->standardGrid()->setFocus();
    screen->standardGrid()->setCurrentColumn(1);
    ds().setRecNo(2);
    click(Tool::Incluir);
    EXPECT_EQ(ds().state(), host::DatasetState::Insert);
    EXPECT_TRUE(screen->standardGrid()->hasFocus());
    ds().cancel();

    QString column;
    whenModal<kit::SearchDialog>([&](kit::SearchDialog* d) {
        column = d->fieldBox()->currentText();
        d->valueBox()->setText(QStringLiteral("7"));
        QTest::mouseClick(d->findButton(), Qt::LeftButton);
        d->reject();
    });
    click(Tool::Procurar);
    EXPECT_EQ(column, QStringLiteral("Qtde"));
    EXPECT_EQ(screen->items.f("CDPRODUTO").asString(), QStringLiteral("P3"));  // 7,000
}

TEST_F(GridScreenTest, TheScreenSeesKeysBeforeTheFocusedControl) {
    std::vector<QString> trace;
    screen->trace = &trace;
    screen->product->onKeyDown = [&](QKeyEvent* e) {
        trace.push_back(QStringLiteral("edit %1").arg(e->key()));
        return false;
    };
    screen->preview = [](QKeyEvent* e) { return e->key() == Qt::Key_F5; };
    showActive(screen.get());
    focus(screen->product);
    press(Qt::Key_F6);
    press(Qt::Key_F5);
    EXPECT_EQ(trace, (std::vector<QString>{QStringLiteral("preview %1").arg(Qt::Key_F6),
                                           QStringLiteral("edit %1").arg(Qt::Key_F6),
                                           QStringLiteral("preview %1").arg(Qt::Key_F5)}));

    // A preview that fails shows why, once, and keeps the key from the control.
    trace.clear();
    screen->preview = [](QKeyEvent*) -> bool { throw host::UserError(QStringLiteral("Operação bloqueada.")); };
    press(Qt::Key_F6);
    EXPECT_EQ(trace, std::vector<QString>{QStringLiteral("preview %1").arg(Qt::Key_F6)});
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Operação bloqueada.")});
}

TEST_F(GridScreenTest, EnterMovesToTheNextControlOnlyWhileEditing) {
    showActive(screen.get());
    focus(screen->product);
    press(Qt::Key_Return);
    EXPECT_TRUE(screen->product->hasFocus());  // browsing: Enter stays
    click(Tool::Alterar);
    focus(screen->product);
    press(Qt::Key_Return);
    EXPECT_TRUE(screen->quantity->hasFocus());
}

TEST_F(GridScreenTest, F9InAnEditBoxPressesItsLookupButton) {
    auto* button = new kit::TBtnPesquisa(screen.get());
    screen->contentLayout()->addWidget(button);
    button->setEdit(screen->product);
    button->setDataSource(&screen->items.source);
    button->setTitle(QStringLiteral("Produto|Não há produto cadastrado."));
    showActive(screen.get());
    focus(screen->quantity);
    press(Qt::Key_F9);
    EXPECT_TRUE(shown().pickLists.empty());  // not the box of the button
    focus(screen->product);
    press(Qt::Key_F9);
    ASSERT_EQ(shown().pickLists.size(), 1u);
    EXPECT_EQ(shown().pickLists[0].title, QStringLiteral("Produto"));
}

TEST_F(GridScreenTest, NavigatorMovesAndFollowsThePosition) {
    kit::RecordNavigator* nav = screen->navigator();
    nav->setDisplayField("CDPRODUTO");
    showActive(screen.get());
    auto state = [&] {
        QString s;
        for (auto b : {kit::RecordNavigator::First, kit::RecordNavigator::Prior, kit::RecordNavigator::Next,
                       kit::RecordNavigator::Last})
            s += nav->action(b)->isEnabled() ? u'1' : u'0';
        return s;
    };
    EXPECT_EQ(state(), QStringLiteral("0011"));
    EXPECT_TRUE(nav->press(kit::RecordNavigator::Next));
    EXPECT_EQ(ds().recNo(), 2);
    EXPECT_EQ(state(), QStringLiteral("1111"));
    EXPECT_EQ(nav->label()->text(), QStringLiteral("P2"));
    nav->press(kit::RecordNavigator::Last);
    EXPECT_EQ(state(), QStringLiteral("1100"));
    EXPECT_FALSE(nav->press(kit::RecordNavigator::Next));

    // A refused move stays and says why.
    ds().beforeScroll.add([](host::Dataset&) { throw host::UserError(QStringLiteral("Item com erro.")); });
    EXPECT_FALSE(nav->press(kit::RecordNavigator::First));
    EXPECT_EQ(ds().recNo(), 3);
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Item com erro.")});
    ds().beforeScroll.clear();

    nav->setAllowed(false);
    EXPECT_EQ(state(), QStringLiteral("0000"));
    nav->setAllowed(true);

    // Pointed at another source it follows that one.
    Items other;
    other.standard();
    other.add("Q4", 1, 1);
    other.ds.first();
    nav->bind(&other.source);
    EXPECT_EQ(state(), QStringLiteral("0011"));
    EXPECT_EQ(nav->label()->text(), QStringLiteral("P1"));
    ds().first();
    other.ds.last();
    EXPECT_EQ(state(), QStringLiteral("1100"));
    EXPECT_EQ(nav->label()->text(), QStringLiteral("Q4"));
    nav->bind(nullptr);
    EXPECT_EQ(state(), QStringLiteral("0000"));
}

TEST_F(GridScreenTest, CloseAsksTheScreenAndAFailureKeepsItOpen) {
    showActive(screen.get());
    screen->closing = [] { return false; };
    EXPECT_FALSE(screen->close());
    screen->closing = []() -> bool { throw host::UserError(QStringLiteral("Há alterações pendentes.")); };
    EXPECT_FALSE(screen->close());
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Há alterações pendentes.")});
    screen->closing = nullptr;
    EXPECT_TRUE(screen->close());
}

TEST_F(GridScreenTest, ASourceOutlivingTheScreenNoLongerReachesIt) {
    Items outside;
    outside.standard();
    {
        ItemScreen other;
        other.setStandardSource(&outside.source);
        other.navigator()->setDisplayField("CDPRODUTO");
        EXPECT_TRUE(other.toolEnabled(Tool::Alterar));
    }
    outside.ds.edit();
    outside.ds.post();
    outside.ds.last();
    EXPECT_EQ(outside.ds.recNo(), 3);
}

}  // namespace
