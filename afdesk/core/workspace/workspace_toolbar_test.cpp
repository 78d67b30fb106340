// The toolbar on the live workspace: the special tools, and every tool's
// enabled state by the AF's situation and the tab, against the real server.
#include "afdesk/core/workspace/workspace_fixture.h"

#include "afdesk/core/workspace/workspace_toolbar.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_memo.h"
#include "platform/kit/db_text.h"
#include "platform/kit/record_navigator.h"
#include "platform/kit/test_support.h"

#include <QtGui/QAction>
#include <QtTest/QTest>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace afdesk::testing {
namespace {

using platform::server::modules::testing::afNumber;
using Tool = kit::StandardGridScreen::Tool;

class WorkspaceToolbarTest : public WorkspaceTest {
protected:
    // The buyer's group may also cancel and reopen AFs.
    void grantCancelAndReopen() {
        sql("INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('01', 'CAAF')");
        sql("INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('01', 'ABAF')");
    }

    void openOnAf1() { openOnAf(1); }

    // AF 1 in a situation, read again by "Verificar" on the list.
    void situation(const QString& assignments) {
        sql("UPDATE AUTOFORNE SET IDBAIXAAF = NULL, IDAFEXPIRADA = NULL, IDITMSEPARADO = NULL, CDFILDESTCON = NULL, "
            "IDTIPOLANCAF = 'M' WHERE NRAUTOFORN = '" + afNumber(1) + "'");
        if (!assignments.isEmpty())
            sql("UPDATE AUTOFORNE SET " + assignments + " WHERE NRAUTOFORN = '" + afNumber(1) + "'");
        if (w->activeTab() != WorkspaceTab::AF) clickTab(WorkspaceTab::AF);
        ASSERT_TRUE(w->press(Tool::Verificar));
        kittest::settle();
        gotoAf(1);
    }

    // The button of a tool: standard tools on the first row, operations on their own.
    QWidget* buttonOf(QAction* a) const {
        if (QWidget* b = w->toolBar()->widgetForAction(a)) return b;
        return w->state().tbrOperacoes->widgetForAction(a);
    }

    // The tools of the table, each "1" or "0", in this order:
    // Incluir Alterar Excluir Procurar Confirmar Cancelar | Fechar AF, Consistir, Baixar Totalmente,
    // Cancelar AF, Encerrar AF, reopen, return expired.
    QString states() {
        const QList<QAction*> tools = {w->action(Tool::Incluir), w->action(Tool::Alterar), w->action(Tool::Excluir),
                                       w->action(Tool::Procurar), w->action(Tool::Confirmar), w->action(Tool::Cancelar),
                                       w->toolAction(WorkspaceTool::FechaAF), w->toolAction(WorkspaceTool::Consistir), w->toolAction(WorkspaceTool::B_Total), w->toolAction(WorkspaceTool::CancelaAF),
                                       w->toolAction(WorkspaceTool::EncerrarAF), w->toolAction(WorkspaceTool::ReAFAberto), w->toolAction(WorkspaceTool::RetAFExp)};
        QString s;
        for (QAction* a : tools) {
            s += a->isEnabled() ? u'1' : u'0';
            QWidget* button = buttonOf(a);
            EXPECT_NE(button, nullptr) << a->objectName().toStdString();
            if (button) {
                EXPECT_EQ(button->isEnabled(), a->isEnabled()) << a->objectName().toStdString();
            }
            if (tools.indexOf(a) == 5) s += u'|';
        }
        return s;
    }
};

TEST_P(WorkspaceToolbarTest, SpecialToolsAreMenuItemsAndButtonsWithTheirCaptionsAndHints) {
    open(true);
    ASSERT_NE(w, nullptr);
    struct Case {
        QAction* action;
        const char* actionName;
        const char* buttonName;
        const char* caption;  // of the menu item
        const char* hint;     // of the button
        bool inMenu;
    } cases[] = {
        {w->toolAction(WorkspaceTool::Filtrar), "mnuFiltro", "sbtFiltro", "&Filtrar", "Filtrar", true},
        {w->toolAction(WorkspaceTool::FechaAF), "mnuFechaAF", "sbtFechaAF", "Fecha&r AF", "Fechar AF", true},
        {w->toolAction(WorkspaceTool::Consistir), "mnuConsistir", "sbtConsistir", "C&onsistir", "Consistir", true},
        {w->toolAction(WorkspaceTool::B_Total), "mnuB_Total", "sbtB_Total", "&Baixar Totalmente", "Baixar Totalmente", true},
        {w->toolAction(WorkspaceTool::B_TotSaida), "mnuB_TotSaida", "sbtB_TotalSaid", "Baixar &Totalmente (Saída)", "Baixar Totalmente (Saída)",
         true},
        {w->toolAction(WorkspaceTool::CancelaAF), "mnuCancelaAF", "sbtCancelaAF", "Cance&lar AF", "Cancelar AF", true},
        {w->toolAction(WorkspaceTool::EncerrarAF), "mnuEncerrarAF", "sbtEncerrarAF", "&Encerrar AF", "Encerrar AF", true},
        {w->toolAction(WorkspaceTool::ReAFAberto), "mnuReAFAberto", "sbtRetAFAberto", "Retornar Sit&uação da AF para \"Em Aberto\"",
         "Retornar Situação da AF para \"Em Aberto\"", true},
        {w->toolAction(WorkspaceTool::RetAFExp), "mnuRetAFExp", "sbtRetAFExp", "Retornar AF Expirada para \"Em Aberto\"",
         "Retornar AF Expirada para \"Em Aberto\"", true},
        {w->toolAction(WorkspaceTool::MudAutProd), "mnuMudAutProd", "sbtMudAutProd", "&Mudança Automática de Produto",
         "Mudança Automática de Produto", true},
        {w->toolAction(WorkspaceTool::EnviaAFEmail), "mnuEnviaAFEmail", "sbtEnviaAFEmail", "E&nviar AF via e-mail", "Enviar AF via e-mail", true},
        {w->toolAction(WorkspaceTool::ImpSoliCmp), "mnuImpSoliCmp", "sbtImpSoliCmp", "Importar &Solicitação de Compra", "Importar", true},
        {w->toolAction(WorkspaceTool::ImportaSAC), "mnuImportaSAC", "sbtImportaSAC", "I&mportação SAC", "Importação SAC", true},
        {w->toolAction(WorkspaceTool::AtualizaMercadum), "actAtualizaMercadum", "sbtAtualizaMercadum", "Atualiza c/ Mercadum",
         "Atualiza c/ Mercadum", false},
        {w->toolAction(WorkspaceTool::Copy), "actCopy", "sbtCopy", "Copiar Justificativa", "Copiar Justificativa", false},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.action, nullptr) << c.actionName;
        EXPECT_EQ(c.action->objectName(), QString::fromLatin1(c.actionName));
        EXPECT_EQ(c.action->text(), QString::fromUtf8(c.caption)) << c.actionName;
        auto* button = qobject_cast<QToolButton*>(buttonOf(c.action));
        ASSERT_NE(button, nullptr) << c.actionName;
        EXPECT_EQ(button->objectName(), QString::fromLatin1(c.buttonName));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(c.hint)) << c.buttonName;
        EXPECT_EQ(w->state().mnuOpcoes->actions().contains(c.action), c.inMenu) << c.actionName;
    }
    EXPECT_EQ(w->toolAction(WorkspaceTool::Filtrar)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QStringList imports;
    for (QAction* a : w->state().mnuImportar->actions()) imports << a->text();
    EXPECT_EQ(imports, (QStringList{"Importar &Solicitação de Compras", "Importar &Produto por Fornecedor"}));
    ASSERT_NE(w->state().btbBaixar, nullptr);
    EXPECT_EQ(w->state().btbBaixar->text(), QStringLiteral("Baixar"));
    EXPECT_TRUE(w->innerPage(ProdutosTab::EntregaBaixa)->isAncestorOf(w->state().btbBaixar));
}

// On a 1366-pixel screen every button shows: none goes behind the toolbar's overflow button.
TEST_P(WorkspaceToolbarTest, EveryToolButtonShowsOnA1366PixelScreen) {
    openOnAf(1);
    ASSERT_NE(w, nullptr);
    w->resize(1366 - 16, 600);  // the window maximised in the shell, less the frame
    kittest::settle();
    for (QToolBar* bar : {w->toolBar(), w->state().tbrOperacoes}) {
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            QWidget* button = bar->widgetForAction(a);
            ASSERT_NE(button, nullptr) << a->objectName().toStdString();
            EXPECT_TRUE(button->isVisible()) << a->objectName().toStdString() << " is behind the overflow button";
        }
    }
    // The hint keeps the whole name of the operation.
    EXPECT_EQ(buttonOf(w->toolAction(WorkspaceTool::ReAFAberto))->toolTip(), QStringLiteral("Retornar Situação da AF para \"Em Aberto\""));
}

// The shortcut works wherever the focus is in the workspace, not only inside its menu.
TEST_P(WorkspaceToolbarTest, CtrlLFiltersFromAnyControlOfTheWorkspace) {
    openOnAf(1);
    ASSERT_NE(w, nullptr);
    for (WorkspaceTab tab : {WorkspaceTab::AF, WorkspaceTab::FilialDest}) {
        SCOPED_TRACE(int(tab));
        w->selectTab(tab, true, false);
        kittest::showActive(w);
        QWidget* start = w->state().pgcPadrao->tabBar();
        kittest::focus(start);
        ASSERT_TRUE(start->hasFocus());
        ASSERT_FALSE(w->menuBar()->isAncestorOf(start));
        bool shown = false;
        whenFilterShown([&](QWidget* dialog) {
            shown = true;
            pressDialogButton(dialog, "sbtCancela");
        });
        QTest::keyClick(start, Qt::Key_L, Qt::ControlModifier);
        settleUntilFilterClosed();
        EXPECT_TRUE(shown);
    }
}

TEST_P(WorkspaceToolbarTest, ToolsFollowTheAfSituationOnEveryTab) {
    grantCancelAndReopen();
    openOnAf1();
    struct Case {
        const char* name;
        QString assignments;
        // Tools on "AF", "Dados da AF", "Produtos" (product grid focused) and "Filial Destino".
        const char* af;
        const char* dados;
        const char* produtos;
        const char* filial;
    } cases[] = {
        {"open", "", "111100|1111100", "111000|1111100", "101100|1111100", "100100|0000000"},
        // Item products of an AF not ended or cancelled can still be deleted.
        {"settled", "IDBAIXAAF = '2'", "100100|0000000", "100000|0000000", "001100|0000000", "100100|0000000"},
        {"settled by hand", "IDBAIXAAF = '3'", "100100|0000010", "100000|0000010", "001100|0000010",
         "100100|0000000"},
        {"partially received", "IDBAIXAAF = '1'", "110100|1110110", "110000|1110110", "101100|1110110",
         "100100|0000000"},
        {"EDI", "IDBAIXAAF = '7'", "111100|1111100", "111000|1111100", "101100|1111100", "100100|0000000"},
        {"expired", "IDAFEXPIRADA = 'S'", "100100|0000001", "000000|0000001", "000100|0000001", "100100|0000000"},
        // A new AF can still be started beside a separated one.
        {"separated", "IDITMSEPARADO = 'S'", "100100|0000000", "000000|0000000", "000100|0000000", "100100|0000000"},
        {"consolidated", "CDFILDESTCON = '0001'", "101100|0001100", "101000|0001100", "000100|0001100",
         "100100|0000000"},
    };
    for (const Case& c : cases) {
        situation(c.assignments);
        EXPECT_EQ(states(), QString::fromLatin1(c.af)) << c.name << " on AF";
        clickTab(WorkspaceTab::DadosAF);
        EXPECT_EQ(states(), QString::fromLatin1(c.dados)) << c.name << " on Dados da AF";
        clickTab(WorkspaceTab::Produtos);
        ASSERT_TRUE(w->state().dbgProdutos->hasFocus()) << c.name;
        EXPECT_EQ(states(), QString::fromLatin1(c.produtos)) << c.name << " on Produtos";
        clickTab(WorkspaceTab::FilialDest);
        EXPECT_EQ(states(), QString::fromLatin1(c.filial)) << c.name << " on Filial Destino";
    }
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();
}

TEST_P(WorkspaceToolbarTest, AReadOnlyOperatorHasNoEditingToolOnAnyTab) {
    sql("UPDATE PARASUPRI SET CDGRUPOPER = '01' WHERE CDFILIAL = '" + world.branch + "'");
    grantCancelAndReopen();
    openOnAf1();
    ASSERT_TRUE(w->state().flags.readOnlyGroup);
    const QList<QAction*> editing = {w->action(Tool::Incluir), w->action(Tool::Alterar), w->action(Tool::Excluir),
                                     w->toolAction(WorkspaceTool::FechaAF), w->toolAction(WorkspaceTool::Consistir), w->toolAction(WorkspaceTool::B_Total), w->toolAction(WorkspaceTool::CancelaAF),
                                     w->toolAction(WorkspaceTool::EncerrarAF), w->toolAction(WorkspaceTool::ReAFAberto)};
    for (WorkspaceTab tab : {WorkspaceTab::AF, WorkspaceTab::DadosAF, WorkspaceTab::Produtos, WorkspaceTab::Mensagem,
                             WorkspaceTab::FormaPgto, WorkspaceTab::Encargo, WorkspaceTab::FilialDest}) {
        clickTab(tab);
        ASSERT_EQ(w->activeTab(), tab);
        for (QAction* a : editing) EXPECT_FALSE(a->isEnabled()) << int(tab) << " " << a->objectName().toStdString();
        EXPECT_TRUE(w->toolAction(WorkspaceTool::EnviaAFEmail)->isEnabled() || tab == WorkspaceTab::FilialDest) << int(tab);
    }
}

TEST_P(WorkspaceToolbarTest, AnAutomaticAfNeedsAlafWhenAGroupHoldsIt) {
    struct Case {
        const char* name;
        bool reserved;  // ALAF held by a group the buyer is not in
        bool alterar;
    } cases[] = {{"nobody holds ALAF", false, true}, {"another group holds ALAF", true, false}};
    for (const Case& c : cases) {
        if (c.reserved) {
            sql("INSERT INTO GRUPOPER (CDGRUPOPER, NMGRUPOPER) VALUES ('02', 'Gerência')");
            sql("INSERT INTO AUTGRUPOP (CDGRUPOPER, IDAUTGRUPOP) VALUES ('02', 'ALAF')");
            sql("INSERT INTO OPERGRUPOP (CDGRUPOPER, CDOPERADOR) VALUES ('02', '" + world.operatorCode + "')");
        }
        openOnAf1();
        situation(QStringLiteral("IDTIPOLANCAF = 'A'"));
        EXPECT_EQ(w->toolEnabled(Tool::Alterar), c.alterar) << c.name;
        EXPECT_EQ(w->toolEnabled(Tool::Excluir), c.alterar) << c.name;
        EXPECT_TRUE(w->toolAction(WorkspaceTool::FechaAF)->isEnabled()) << c.name;  // closing does not ask for ALAF
        clickTab(WorkspaceTab::DadosAF);
        EXPECT_EQ(w->toolEnabled(Tool::Alterar), c.alterar) << c.name;
        discardWorkspace();
    }
}

TEST_P(WorkspaceToolbarTest, OnProductsTheProductGridDeletesAndTheItemGridDoesNot) {
    openOnAf1();
    clickTab(WorkspaceTab::Produtos);
    ASSERT_TRUE(w->state().dbgProdutos->hasFocus());
    ASSERT_FALSE(w->state().cdsItemAutf_Produto.isEmpty());
    EXPECT_TRUE(w->toolEnabled(Tool::Excluir));
    EXPECT_FALSE(w->toolEnabled(Tool::Alterar));  // the products are not altered from the toolbar
    kittest::focus(w->standardGrid());
    EXPECT_EQ(w->state().flags.lastFocus, Focus::ItemGrid);
    EXPECT_FALSE(w->toolEnabled(Tool::Excluir));
    EXPECT_TRUE(w->toolEnabled(Tool::Alterar));
    kittest::focus(w->state().dbgProdutos);
    EXPECT_TRUE(w->toolEnabled(Tool::Excluir));
}

TEST_P(WorkspaceToolbarTest, TheManualReceiptButtonFollowsOneRuleOnEveryPath) {
    struct Case {
        const char* name;
        QString assignments;
        bool enabled;
    } cases[] = {
        {"open AF", "", true},
        {"consolidating AF", "IDAFOPERLOG = '1'", false},
        {"consolidated AF", "CDFILDESTCON = '0001'", false},
        {"expired AF", "IDAFEXPIRADA = 'S'", false},
    };
    openOnAf1();
    for (const Case& c : cases) {
        sql("UPDATE AUTOFORNE SET IDAFOPERLOG = NULL WHERE NRAUTOFORN = '" + afNumber(1) + "'");
        situation(c.assignments);
        clickTab(WorkspaceTab::Produtos);
        EXPECT_EQ(w->state().btbBaixar->isEnabled(), c.enabled) << c.name << " (tab change)";
        kittest::focus(w->standardGrid());  // the recomputation from the item grid
        EXPECT_EQ(w->state().btbBaixar->isEnabled(), c.enabled) << c.name << " (item grid)";
        w->state().cdsItemAutF.edit();  // the items' own state change
        EXPECT_FALSE(w->state().btbBaixar->isEnabled()) << c.name << " (items edited)";
        w->state().cdsItemAutF.cancel();
        EXPECT_EQ(w->state().btbBaixar->isEnabled(), c.enabled) << c.name << " (items browsed)";
    }
}

TEST_P(WorkspaceToolbarTest, AnItemBeingEditedIsTypedInTheGridsOwnEditor) {
    openOnAf1();
    clickTab(WorkspaceTab::Produtos);
    kittest::focus(w->standardGrid());
    ASSERT_FALSE(w->standardGrid()->editorMode());
    w->state().cdsItemAutF.edit();
    EXPECT_TRUE(w->standardGrid()->editorMode());
    w->state().cdsItemAutF.cancel();
}

TEST_P(WorkspaceToolbarTest, TheExtraAndPilotBoxesFollowTheListRow) {
    openOnAf1();
    auto* extra = w->findChild<QCheckBox*>(QStringLiteral("chbExtra"));
    auto* pilot = w->findChild<QCheckBox*>(QStringLiteral("chbAfPiloto"));
    ASSERT_NE(extra, nullptr);
    ASSERT_NE(pilot, nullptr);
    situation("IDAUTOFORNEX = 'S', IDAFPILOTO = 'S'");
    EXPECT_TRUE(extra->isChecked());
    EXPECT_TRUE(pilot->isChecked());
    gotoAf(2);
    EXPECT_FALSE(extra->isChecked());
    EXPECT_FALSE(pilot->isChecked());
    gotoAf(1);
    EXPECT_TRUE(extra->isChecked());
    EXPECT_TRUE(pilot->isChecked());
}

TEST_P(WorkspaceToolbarTest, TheMarketplaceButtonAndColumnOnlyOnTheListTab) {
    sql("UPDATE PARAMGERAL SET IDINTEGMERCAD = 'S'");
    openOnAf1();
    ASSERT_TRUE(w->toolAction(WorkspaceTool::AtualizaMercadum)->isEnabled());
    const int column = w->state().dbgAutoForne->columnOf(QStringLiteral("IDSITUENVAFMCD"));
    ASSERT_GE(column, 0);
    EXPECT_TRUE(w->state().dbgAutoForne->column(column).visible);
    clickTab(WorkspaceTab::DadosAF);
    EXPECT_FALSE(w->toolAction(WorkspaceTool::AtualizaMercadum)->isEnabled());
    clickTab(WorkspaceTab::FilialDest);
    EXPECT_FALSE(w->toolAction(WorkspaceTool::AtualizaMercadum)->isEnabled());
}

TEST_P(WorkspaceToolbarTest, TheNavigatorAndTheMigratedLabelFollowTheTab) {
    openOnAf1();
    EXPECT_TRUE(w->state().sepNavegador->isVisibleTo(w));  // the list holds AFs
    EXPECT_EQ(w->navigator()->dataSource(), &w->state().dtsServAutoForne);
    EXPECT_TRUE(w->state().dbtItemMigrada->isVisible());
    clickTab(WorkspaceTab::Produtos);
    EXPECT_EQ(w->navigator()->dataSource(), &w->state().dtsPadrao);
    EXPECT_EQ(w->state().dbtItemMigrada->dataSource(), &w->state().dtsPadrao);
    clickTab(WorkspaceTab::FilialDest);
    EXPECT_EQ(w->navigator()->dataSource(), &w->state().dtsFilialDest);
    EXPECT_FALSE(w->state().dbtItemMigrada->isVisible());
    EXPECT_TRUE(w->toolEnabled(Tool::Procurar));
    EXPECT_TRUE(w->toolEnabled(Tool::Verificar));
}

TEST_P(WorkspaceToolbarTest, TheListTabReadsTheListOfANewBranchWhenClickedNotFromTheMenu) {
    struct Case {
        const char* name;
        bool byClick;
        bool reloaded;
    } cases[] = {{"click", true, true}, {"menu", false, false}};
    for (const Case& c : cases) {
        openWith([](QWidget* d) {  // every buyer: both branches have AFs
            pressDialogButton(d, "rbtCompTodos");
            pressDialogButton(d, "sbtConfirma");
        });
        ASSERT_NE(w, nullptr);
        gotoBranch(world.branch);
        clickTab(WorkspaceTab::AF);
        ASSERT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("CDFILDEST")).asString(), world.branch);
        clickTab(WorkspaceTab::FilialDest);
        gotoBranch(world.central);
        clearCalls();
        if (c.byClick) clickTab(WorkspaceTab::AF);
        else w->tabAction(WorkspaceTab::AF)->trigger();
        kittest::settle();
        ASSERT_EQ(w->activeTab(), WorkspaceTab::AF) << c.name;
        EXPECT_EQ(calls().contains("GetServAutoForne"), c.reloaded) << c.name;
        EXPECT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("CDFILDEST")).asString(),
                  c.reloaded ? world.central : world.branch)
            << c.name;
        discardWorkspace();
    }
}

TEST_P(WorkspaceToolbarTest, InnerTabMenuItemsOpenProductsOnTheirTabWithoutReloading) {
    openOnAf1();
    clickTab(WorkspaceTab::Produtos);  // the AF's items are there
    clickTab(WorkspaceTab::AF);
    struct Case {
        ProdutosTab inner;
        QWidget* focus;
    } cases[] = {
        {ProdutosTab::Observacao, w->state().dbmObservacao},
        {ProdutosTab::Imposto, w->state().dbgImposto},
        {ProdutosTab::EntregaBaixa, w->state().dbgNFBaixa},
    };
    for (const Case& c : cases) {
        clickTab(WorkspaceTab::AF);
        QAction* item = w->state().innerTabActions[size_t(c.inner)];
        ASSERT_TRUE(item->isEnabled()) << int(c.inner);
        item->trigger();
        kittest::settle();
        EXPECT_EQ(w->activeTab(), WorkspaceTab::Produtos) << int(c.inner);
        EXPECT_EQ(w->activeInnerTab(), c.inner);
        EXPECT_TRUE(c.focus->hasFocus()) << int(c.inner);
        EXPECT_TRUE(item->isChecked()) << int(c.inner);
        EXPECT_TRUE(w->tabAction(WorkspaceTab::Produtos)->isChecked()) << int(c.inner);
    }
    // Leaving "Produtos" unchecks them.
    clickTab(WorkspaceTab::AF);
    for (QAction* item : w->state().innerTabActions) EXPECT_FALSE(item->isChecked());
}

AFDB_INSTANTIATE_ON_ENGINES(WorkspaceToolbarTest);

}  // namespace
}  // namespace afdesk::testing
