// Loading the chosen AF tab by tab, through the one-AF cache, against the real server.
#include "afdesk/core/workspace/workspace_fixture.h"

#include "afdesk/core/workspace/af_loading.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/test_support.h"

#include <QtWidgets/QTabWidget>

namespace afdesk::testing {
namespace {

using platform::server::modules::testing::afNumber;

const QString kDadAF = QStringLiteral("Recebendo dados da AF do servidor...");
const QString kProds = QStringLiteral("Recebendo produtos do servidor...");
const QString kMens = QStringLiteral("Recebendo mensagem do servidor...");
const QString kFormPgto = QStringLiteral("Recebendo forma de pagamento do servidor...");
const QString kEncargo = QStringLiteral("Recebendo encargo do servidor...");
const QString kDad = QStringLiteral("Recebendo dados do servidor...");

class AfLoadingTest : public WorkspaceTest {
protected:
    // The workspace on the list of branch 0002 with the minimal world's AF current.
    void openOnAf1() {
        openOnAf(1);
        if (HasFatalFailure()) return;
        clearCalls();
    }
};

TEST_P(AfLoadingTest, EachTabLoadsItsDatasetsUnderItsProgressText) {
    struct Case {
        WorkspaceTab tab;
        QStringList calls;
        QStringList texts;
    };
    const QStringList products{"GetImpostoAF", "GetItemAutf_Produto", "GetItemAutF", "GetNFBaixa"};
    const Case cases[] = {
        {WorkspaceTab::DadosAF, products, {kProds}},
        {WorkspaceTab::Produtos, products, {kProds}},
        {WorkspaceTab::Mensagem, {"GetMensagensAF"}, {kMens}},
        {WorkspaceTab::FormaPgto, {"GetPrazoPgtAF"}, {kFormPgto}},
        {WorkspaceTab::Encargo, {"GetDataEncargo", "GetEncargo"}, {kEncargo}},
    };
    sql("UPDATE AUTOFORNE SET IDTPFORPGTAF = 'V'");
    for (const Case& c : cases) {
        openOnAf1();
        clickTab(c.tab);
        ASSERT_EQ(w->activeTab(), c.tab);
        EXPECT_EQ(calls(), c.calls) << int(c.tab);
        EXPECT_EQ(services->progress.texts(), c.texts) << int(c.tab);
        EXPECT_FALSE(services->progress.visible());
        discardWorkspace();
    }
}

// Every column the detail grids show names a field the loaded AF has, with the
// settlement situations read as words.
TEST_P(AfLoadingTest, TheDetailGridsShowFieldsOfTheLoadedAf) {
    sql("UPDATE AUTOFORNE SET IDTPFORPGTAF = 'V'");
    openOnAf1();
    const std::pair<WorkspaceTab, std::vector<kit::DBGrid*>> tabs[] = {
        {WorkspaceTab::Produtos, {w->state().dbgProdutos, w->standardGrid()}},
        {WorkspaceTab::Mensagem, {w->state().dbgMensagens}},
        {WorkspaceTab::FormaPgto, {w->state().dbgPrazoPgt}},
        {WorkspaceTab::Encargo, {w->state().dbgDataEncargo, w->state().dbgEncargo}},
    };
    for (const auto& [tab, grids] : tabs) {
        clickTab(tab);
        ASSERT_EQ(w->activeTab(), tab);
        for (kit::DBGrid* grid : grids) {
            ASSERT_TRUE(grid->dataset()->active()) << grid->objectName().toStdString();
            for (int i = 0; i < grid->columnCountConfigured(); ++i) {
                if (grid->isColumnHidden(i)) continue;
                EXPECT_NE(grid->columnField(i), nullptr)
                    << grid->objectName().toStdString() << " " << grid->column(i).fieldName.toStdString();
            }
        }
    }
    ASSERT_FALSE(w->state().cdsItemAutF.isEmpty());
    const QString situation = w->state().cdsItemAutF.field(QStringLiteral("IDBAIXITMAF")).displayText();
    EXPECT_FALSE(situation.isEmpty());
    EXPECT_NE(situation, w->state().cdsItemAutF.field(QStringLiteral("IDBAIXITMAF")).asString()) << situation.toStdString();
}

TEST_P(AfLoadingTest, TheListTabLoadsTheHeaderOfEachAfItMovesTo) {
    openOnAf1();
    EXPECT_TRUE(w->state().cdsAutoForne.active());
    gotoAf(2);
    EXPECT_EQ(calls(), QStringList{"GetAutoForne"});
    EXPECT_EQ(services->progress.texts(), QStringList{kDadAF});
    EXPECT_EQ(w->state().cdsAutoForne.field(QStringLiteral("NRAUTOFORN")).asString(), afNumber(2));
    EXPECT_FALSE(w->state().cdsItemAutF.active());  // the dependents wait for their tabs
    EXPECT_TRUE(w->state().cache.isNull());         // the list tab never fills the cache
}

TEST_P(AfLoadingTest, PaymentTermsAreReadOnlyForTermsByPaymentForm) {
    openOnAf1();  // IDTPFORPGTAF empty: no terms to read
    clickTab(WorkspaceTab::FormaPgto);
    EXPECT_EQ(calls(), QStringList{});
    EXPECT_EQ(services->progress.texts(), QStringList{kFormPgto});
    EXPECT_FALSE(w->state().cdsPrazoPgtAF.active());
}

TEST_P(AfLoadingTest, ReturningToTheCachedAfCallsNoServer) {
    openOnAf1();
    clickTab(WorkspaceTab::Produtos);
    ASSERT_EQ(w->state().cdsItemAutF.recordCount(), 1);
    EXPECT_EQ(w->state().cache.key(), world.branch + world.central + afNumber(1));

    clearCalls();
    clickTab(WorkspaceTab::AF);
    gotoAf(2);
    gotoAf(1);
    EXPECT_EQ(calls(), (QStringList{"GetAutoForne", "GetAutoForne"}));
    EXPECT_EQ(w->state().cache.key(), world.branch + world.central + afNumber(1));

    clearCalls();
    clickTab(WorkspaceTab::Produtos);
    EXPECT_EQ(calls(), QStringList{});
    EXPECT_EQ(w->state().cdsItemAutF.recordCount(), 1);
    EXPECT_EQ(w->state().cdsItemAutF.field(QStringLiteral("NRAUTOFORN")).asString(), afNumber(1));
    EXPECT_EQ(w->state().cdsImpostoAF.recordCount(), 1);
}

TEST_P(AfLoadingTest, AnotherAfOutsideTheListTabClearsTheCacheAndLoadsAgain) {
    openOnAf1();
    clickTab(WorkspaceTab::Produtos);
    clearCalls();
    gotoAf(2);
    EXPECT_EQ(calls(), (QStringList{"GetAutoForne", "GetImpostoAF", "GetItemAutf_Produto", "GetItemAutF", "GetNFBaixa"}));
    EXPECT_EQ(w->state().cache.key(), world.branch + world.central + afNumber(2));
}

TEST_P(AfLoadingTest, ForceReloadsWhatIsAlreadyLoaded) {
    openOnAf1();
    clickTab(WorkspaceTab::Mensagem);
    ASSERT_EQ(w->state().cdsMensagensAF.recordCount(), 1);
    clearCalls();
    GetData(*w, false);
    EXPECT_EQ(calls(), QStringList{});
    GetData(*w, true);
    EXPECT_EQ(calls(), QStringList{"GetMensagensAF"});
}

TEST_P(AfLoadingTest, AuditedBranchLoadsTheAlterationLogWithTheAf) {
    sql("UPDATE PARCMPSUP SET IDAUDALTAF = 'S'");
    openOnAf1();
    ASSERT_TRUE(w->isTabVisible(WorkspaceTab::Justificativa));
    gotoAf(2);
    EXPECT_EQ(calls(), (QStringList{"GetAutoForne", "GetAutoForne", "GetItemAutf_Produto", "GetItemAutF",
                                    "GetNFBaixa", "GetImpostoAF", "GetMovOpAF"}));
    EXPECT_EQ(services->progress.texts(), (QStringList{kDadAF, kDad}));
}

TEST_P(AfLoadingTest, LeavingATabPostsItsPendingEdits) {
    openOnAf1();
    clickTab(WorkspaceTab::Mensagem);
    w->state().cdsMensagensAF.edit();
    w->state().cdsMensagensAF.field(QStringLiteral("DSMENSAF")).setAsString(QStringLiteral("Entregar à tarde"));
    clickTab(WorkspaceTab::Encargo);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::Encargo);
    EXPECT_FALSE(w->state().cdsMensagensAF.editing());
    EXPECT_EQ(w->state().cdsMensagensAF.changeCount(), 1);
}

TEST_P(AfLoadingTest, ARefusedPostKeepsTheTabAndShowsTheMessage) {
    openOnAf1();
    clickTab(WorkspaceTab::Mensagem);
    w->state().cdsMensagensAF.beforePost.add([](host::Dataset&) {
        throw host::UserError(QStringLiteral("Descrição deve ser informada."));
    });
    w->state().cdsMensagensAF.edit();
    w->state().cdsMensagensAF.field(QStringLiteral("DSMENSAF")).clear();
    clickTab(WorkspaceTab::Encargo);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::Mensagem);
    EXPECT_TRUE(w->state().cdsMensagensAF.editing());
    EXPECT_TRUE(services->dialogs.errorsAre({QStringLiteral("Descrição deve ser informada.")}));
    w->state().cdsMensagensAF.beforePost.clear();
    w->state().cdsMensagensAF.cancel();
}

TEST_P(AfLoadingTest, MovingToAnotherBranchReadsItsListAtTheNextTabChange) {
    openWith([](QWidget* d) {  // every buyer: both branches have AFs
        pressDialogButton(d, "rbtCompTodos");
        pressDialogButton(d, "sbtConfirma");
    });
    ASSERT_NE(w, nullptr);
    gotoBranch(world.central);
    clickTab(WorkspaceTab::AF);
    const QString firstBranch = w->state().cdsServAutoForne.field(QStringLiteral("CDFILDEST")).asString();
    EXPECT_EQ(firstBranch, world.central);
    gotoBranch(world.branch);
    clearCalls();
    clickTab(WorkspaceTab::AF);  // already active: nothing happens
    clickTab(WorkspaceTab::FilialDest);
    clickTab(WorkspaceTab::AF);
    EXPECT_TRUE(calls().contains("GetServAutoForne"));
    EXPECT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("CDFILDEST")).asString(), world.branch);
}

AFDB_INSTANTIATE_ON_ENGINES(AfLoadingTest);

}  // namespace
}  // namespace afdesk::testing
