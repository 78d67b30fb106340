// Opening, first activation, activation and close of the workspace against the real server.
#include "afdesk/core/workspace/workspace_fixture.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/workspace/workspace_module.h"

#include "host/services/session.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/test_support.h"

#include <QtGui/QAction>
#include <QtWidgets/QTabWidget>

namespace afdesk::testing {
namespace {

using platform::server::modules::testing::afNumber;

class WorkspaceStartupTest : public WorkspaceTest {
protected:
    // Enabled state of every tab and of its menu item, "1"/"0" in tab order.
    QString tabStates() const {
        QString s;
        for (int i = 0; i < kWorkspaceTabCount; ++i) s += w->isTabEnabled(WorkspaceTab(i)) ? u'1' : u'0';
        return s;
    }
    // A menu item that is not visible reads as disabled: it counts as following its tab when hidden with it.
    QString menuStates() const {
        QString s;
        for (int i = 0; i < kWorkspaceTabCount; ++i) {
            const QAction* a = w->tabAction(WorkspaceTab(i));
            const bool followsHidden = !a->isVisible() && !w->isTabVisible(WorkspaceTab(i));
            s += a->isEnabled() || (followsHidden && w->isTabEnabled(WorkspaceTab(i))) ? u'1' : u'0';
        }
        return s;
    }
};

TEST_P(WorkspaceStartupTest, ConfirmedFilterLoadsTheListsThenTheParametersInOrder) {
    open(true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(calls(), (QStringList{"GetParamFilial", "GetFilialDest", "GetServAutoForne", "GetAprovSoliGer",
                                    "GetParamGeral", "GetMudAutProd"}));
    EXPECT_TRUE(w->state().cdsFilialDest.recordCount() > 0);
    EXPECT_TRUE(w->state().cdsServAutoForne.recordCount() > 0);
    EXPECT_EQ(tabStates(), QStringLiteral("11111111"));
    EXPECT_EQ(menuStates(), tabStates());
    EXPECT_TRUE(w->state().cdsParamGeral.active());
    EXPECT_TRUE(w->state().cdsMudAutProd.active());
    EXPECT_FALSE(services->progress.visible());
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();
}

// Each part of the AF is the dataset and data source its description names, its
// source over its own dataset, and its tab is a page of the workspace.
TEST_P(WorkspaceStartupTest, EachPartIsTheDatasetItsDescriptionNames) {
    open(true);
    ASSERT_NE(w, nullptr);
    for (const AfPartDef& def : kAfParts) {
        EXPECT_EQ(w->dataset(def.part).name(), QString::fromLatin1(def.dataset)) << def.dataset;
        EXPECT_EQ(w->dataSource(def.part).dataset(), &w->dataset(def.part)) << def.dataSource;
        EXPECT_NE(w->tabPage(def.tab), nullptr) << def.dataset;
    }
    // The cache keeps the parts with an entry, in the entries' order.
    const auto cached = w->afDatasets();
    for (const AfPartDef& def : kAfParts) {
        if (def.cacheEntry > 0) {
            EXPECT_EQ(cached[size_t(def.cacheEntry - 1)], &w->dataset(def.part)) << def.dataset;
        }
    }
}

TEST_P(WorkspaceStartupTest, CancelledFilterLeavesEveryTabDisabledAndNoList) {
    open(false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(calls(), (QStringList{"GetParamGeral", "GetMudAutProd"}));
    EXPECT_EQ(tabStates(), QStringLiteral("00000000"));
    EXPECT_EQ(menuStates(), tabStates());
    EXPECT_EQ(w->activeTab(), WorkspaceTab::FilialDest);
    EXPECT_FALSE(w->state().cdsServAutoForne.active());
}

TEST_P(WorkspaceStartupTest, FiltrarAfterACancelledStartEnablesTheTabs) {
    open(false);
    ASSERT_NE(w, nullptr);
    filtrar([](QWidget* d) { pressDialogButton(d, "sbtConfirma"); });
    EXPECT_EQ(tabStates(), QStringLiteral("11111111"));
    EXPECT_EQ(menuStates(), tabStates());
    EXPECT_TRUE(w->state().cdsServAutoForne.recordCount() > 0);
}

TEST_P(WorkspaceStartupTest, FilterWithoutMatchesKeepsTheListTabsOffAndShowsFilialDestino) {
    sql("UPDATE AUTOFORNE SET CDOPERADOR = 'OPERADOR1'");  // none of the buyer's any more
    open(true);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->state().cdsFilialDest.isEmpty());
    // "Encargo" also needs an AF in the list (the tool recomputation's rule).
    EXPECT_EQ(tabStates(), QStringLiteral("00111101"));
    EXPECT_EQ(menuStates(), tabStates());
    EXPECT_EQ(w->activeTab(), WorkspaceTab::FilialDest);
}

TEST_P(WorkspaceStartupTest, OpeningTwiceShowsTheSameScreenWithoutASecondFilterRun) {
    open(true);
    LancaAutoF* first = w;
    CriaLancaAutoF();
    kittest::settle();
    EXPECT_EQ(lancaAutoF(), first);
    EXPECT_EQ(server->callCount("GetFilialDest"), 1);
    EXPECT_TRUE(first->isVisible());
}

TEST_P(WorkspaceStartupTest, A480PixelDisplayOpensTheScreenMaximised) {
    struct Case {
        DisplayHeights display;
        bool maximised;
    };
    // The display's own height counts, not what a taskbar leaves of it.
    for (const Case c : {Case{{480, 480}, true}, Case{{480, 452}, true}, Case{{520, 480}, false},
                         Case{{768, 728}, false}, Case{{479, 479}, false}}) {
        workspaceState().display = [c] { return c.display; };
        open(false);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->frame()->isMaximized(), c.maximised) << c.display.whole << "/" << c.display.available;
        discardWorkspace();
    }
}

TEST_P(WorkspaceStartupTest, ActivationInstallsTheMessageHookAndCloseTearsEverythingDown) {
    open(true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(host::session().msgEventFormOwner(), w);
    EXPECT_TRUE(workspaceState().boStCriado);
    EXPECT_FALSE(workspaceState().boTstEventForm);
    ASSERT_NE(filtroAF(), nullptr);

    w->close();
    kittest::settle();
    EXPECT_EQ(lancaAutoF(), nullptr);
    EXPECT_FALSE(workspaceState().boStCriado);
    EXPECT_TRUE(workspaceState().boTstEventForm);
    EXPECT_EQ(filtroAF(), nullptr);
    EXPECT_EQ(host::session().msgEventFormOwner(), nullptr);

    // A new workspace starts again with its own first activation.
    server->clearCalls();
    open(true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(server->callCount("GetFilialDest"), 1);
    EXPECT_FALSE(workspaceState().boTstEventForm);
}

TEST_P(WorkspaceStartupTest, JustificationTabFollowsTheBranchAuditFlag) {
    struct Case {
        const char* audit;
        bool shown;
    };
    for (const Case c : {Case{"S", true}, Case{"N", false}}) {
        sql(QStringLiteral("UPDATE PARCMPSUP SET IDAUDALTAF = '%1'").arg(QLatin1String(c.audit)));
        openWith([](QWidget* d) {  // every buyer: both branches are listed
            pressDialogButton(d, "rbtCompTodos");
            pressDialogButton(d, "sbtConfirma");
        });
        ASSERT_NE(w, nullptr);
        gotoBranch(world.branch);  // the branch with purchasing parameters
        EXPECT_EQ(w->isTabVisible(WorkspaceTab::Justificativa), c.shown) << c.audit;
        EXPECT_EQ(w->tabAction(WorkspaceTab::Justificativa)->isVisible(), c.shown) << c.audit;
        gotoBranch(world.central);  // no purchasing parameters: not audited
        EXPECT_FALSE(w->isTabVisible(WorkspaceTab::Justificativa)) << c.audit;
        discardWorkspace();
    }
}

TEST_P(WorkspaceStartupTest, WithoutBranchRowsTheJustificationTabIsHidden) {
    sql(QStringLiteral("UPDATE PARCMPSUP SET IDAUDALTAF = 'S'"));
    open(false);  // the filter cancelled: no branch was read
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isTabVisible(WorkspaceTab::Justificativa));
    EXPECT_FALSE(w->tabAction(WorkspaceTab::Justificativa)->isVisible());
}

TEST_P(WorkspaceStartupTest, OutboundReceiptColumnOnlyWithALogisticOperatorBranch) {
    for (const bool logistic : {false, true}) {
        sql(QStringLiteral("UPDATE FILIAL SET IDFUNCAOFILI = %1 WHERE CDFILIAL = '0001'")
                .arg(logistic ? QStringLiteral("'O'") : QStringLiteral("NULL")));
        open(true);
        ASSERT_NE(w, nullptr);
        const int column = w->state().dbgAutoForne->columnOf(QStringLiteral("IDBAIXAFSAI"));
        ASSERT_GE(column, 0);
        EXPECT_EQ(w->state().dbgAutoForne->column(column).visible, logistic);
        EXPECT_EQ(w->state().flags.logisticBranches, logistic);
        discardWorkspace();
    }
}

TEST_P(WorkspaceStartupTest, ReadOnlyGroupIsTheBranchGroupTheOperatorBelongsTo) {
    struct Case {
        const char* group;
        bool readOnly;
    };
    afdb::testing::insertRow(connection(), "GRUPOPER", {{"CDGRUPOPER", "02"}, {"NMGRUPOPER", "Outro"}});
    afdb::testing::insertRow(connection(), "PARASUPRI", {{"CDFILIAL", world.central}});
    for (const Case c : {Case{"01", true}, Case{"02", false}}) {
        sql(QStringLiteral("UPDATE PARASUPRI SET CDGRUPOPER = '%1'").arg(QLatin1String(c.group)));
        open(true);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->state().flags.readOnlyGroup, c.readOnly) << c.group;
        discardWorkspace();
    }
}

TEST_P(WorkspaceStartupTest, AutomaticProductChangeButtonShowsTheBranchSetting) {
    for (const char* setting : {"1", "2"}) {
        sql(QStringLiteral("UPDATE PARCMPSUP SET IDTPLANCITAF = '%1'").arg(QLatin1String(setting)));
        open(true);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->toolAction(WorkspaceTool::MudAutProd)->isCheckable());
        EXPECT_EQ(w->toolAction(WorkspaceTool::MudAutProd)->isChecked(), QLatin1String(setting) == QLatin1String("1")) << setting;
        discardWorkspace();
    }
}

TEST_P(WorkspaceStartupTest, AFailingParameterCallEndsTheActivationWithTheMessageAndKeepsTheScreen) {
    sql("ALTER TABLE PARAMGERAL DROP COLUMN IDINTEGMERCAD");  // GetParamGeral fails, the lookups do not
    open(true);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(services->dialogs.errors().size(), 1);
    EXPECT_EQ(server->callCount("GetParamGeral"), 1);
    EXPECT_EQ(server->callCount("GetMudAutProd"), 0);  // the activation ended there
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->state().cdsServAutoForne.active());  // what was loaded before stays
    EXPECT_FALSE(services->progress.visible());
}

TEST_P(WorkspaceStartupTest, WorksOverHttpToo) {
    useServer(Transport::Http);
    open(true);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->state().cdsServAutoForne.recordCount() > 0);
    EXPECT_TRUE(w->state().cdsParamGeral.active());
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();
}

AFDB_INSTANTIATE_ON_ENGINES(WorkspaceStartupTest);

}  // namespace
}  // namespace afdesk::testing
