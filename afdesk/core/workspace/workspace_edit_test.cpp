// The edit-state machine on the live workspace: starting, altering, cancelling
// and confirming an AF, and the tools whose work comes later, against the real server.
#include "afdesk/core/workspace/workspace_fixture.h"
#include "afdesk/core/workspace/workspace_module.h"

#include "host/data/errors.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/record_navigator.h"
#include "platform/kit/search_dialog.h"
#include "platform/kit/test_modal.h"
#include "platform/kit/test_support.h"

#include <QtGui/QAction>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>
#include <memory>

namespace afdesk::testing {
namespace {

using platform::server::modules::testing::afNumber;
using Tool = kit::StandardGridScreen::Tool;

const QString kCancelQuestion = QStringLiteral("Cancelar operação?");
const QString kSaveLater = QStringLiteral(
    "Gravar no servidor uma AF nova ou alterada ainda não está disponível nesta versão. A AF continua em edição: "
    "os campos ainda habilitados podem ser alterados; para descartá-la, cancele a operação.");

QString notAvailable(const QString& operation) {
    return QStringLiteral("A operação \"%1\" ainda não está disponível nesta versão.").arg(operation);
}

class WorkspaceEditTest : public WorkspaceTest {
protected:
    void openOnAf1() {
        openOnAf(1);
        if (HasFatalFailure()) return;
        listRows = w->state().cdsServAutoForne.recordCount();
        services->dialogs.clearShown();
    }

    // The tabs that hold the list, with their menu items.
    void expectListTabs(bool enabled, const char* when) {
        for (WorkspaceTab tab : {WorkspaceTab::AF, WorkspaceTab::FilialDest}) {
            EXPECT_EQ(w->isTabEnabled(tab), enabled) << when << " tab " << int(tab);
            EXPECT_EQ(w->tabAction(tab)->isEnabled(), enabled) << when << " menu " << int(tab);
        }
    }

    QString headerNumber() const { return w->state().cdsAutoForne.field(QStringLiteral("NRAUTOFORN")).asString(); }

    int listRows = 0;
};

TEST_P(WorkspaceEditTest, IncluirOnTheListStartsANewAfOnItsOwnTab) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Incluir));
    kittest::settle();
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
    EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Insert);
    EXPECT_TRUE(w->state().flags.boIncluiAF);
    expectListTabs(false, "inserting");
    EXPECT_TRUE(w->toolEnabled(Tool::Confirmar));
    EXPECT_TRUE(w->toolEnabled(Tool::Cancelar));
    EXPECT_FALSE(w->toolEnabled(Tool::Incluir));
    EXPECT_FALSE(w->toolEnabled(Tool::Alterar));
    EXPECT_FALSE(w->toolAction(WorkspaceTool::Filtrar)->isEnabled());
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();
}

// A new AF has nothing loaded on "Produtos", "Mensagem" and "Encargo": their
// grids still show their columns, not blank areas without titles.
TEST_P(WorkspaceEditTest, ANewAfsDetailGridsShowTheirTitles) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Incluir));
    kittest::settle();
    auto titles = [](const kit::DBGrid* grid) {
        QStringList shown;
        for (int i = 0; i < grid->model()->columnCount(); ++i)
            if (!grid->isColumnHidden(i)) shown << grid->model()->headerData(i, Qt::Horizontal).toString();
        return shown;
    };
    EXPECT_EQ(titles(w->state().dbgMensagens), QStringList({"Número", "Descrição"}));
    EXPECT_EQ(titles(w->state().dbgEncargo), QStringList({"Código", "Nome", "Valor"}));
    EXPECT_EQ(titles(w->state().dbgDataEncargo), QStringList({"Data"}));
    EXPECT_EQ(titles(w->state().dbgPrazoPgt), QStringList({"Prazo(Dias)", "Percentual"}));
    EXPECT_EQ(titles(w->state().dbgProdutos).mid(titles(w->state().dbgProdutos).size() - 2), QStringList({"Produto", "SG"}));
    const QStringList items = titles(w->standardGrid());
    EXPECT_TRUE(items.contains("Entrega") && items.contains("Quantidade") && items.contains("Preço Unitário"))
        << items.join(", ").toStdString();
    EXPECT_FALSE(items.contains("Qt. Volumes"));  // the world's branch does not count volumes
}

TEST_P(WorkspaceEditTest, CancellingTheNewAfReturnsToTheListAsItWas) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Incluir));
    kittest::settle();
    ASSERT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
    services->dialogs.answer(host::kYes, kCancelQuestion);
    ASSERT_TRUE(w->press(Tool::Cancelar));
    kittest::settle();
    EXPECT_TRUE(services->dialogs.questionsAre({kCancelQuestion}));
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);
    EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Browse);
    EXPECT_EQ(w->state().cdsServAutoForne.recordCount(), listRows);
    EXPECT_EQ(w->state().cdsServAutoForne.changeCount(), 0);
    EXPECT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("NRAUTOFORN")).asString(), afNumber(1));
    // The AF of the current row is shown again.
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Browse);
    EXPECT_EQ(headerNumber(), afNumber(1));
    EXPECT_FALSE(w->state().flags.boIncluiAF);
    expectListTabs(true, "after the cancel");
    EXPECT_TRUE(w->toolEnabled(Tool::Incluir));
    EXPECT_FALSE(w->toolEnabled(Tool::Confirmar));
    EXPECT_FALSE(w->toolEnabled(Tool::Cancelar));
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();

    // Moving on works as before: the list's next AF is loaded.
    gotoAf(2);
    EXPECT_EQ(headerNumber(), afNumber(2));
}

TEST_P(WorkspaceEditTest, AnsweringNoKeepsTheNewAfBeingEntered) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Incluir));
    kittest::settle();
    services->dialogs.answer(host::kNo, kCancelQuestion);
    ASSERT_TRUE(w->press(Tool::Cancelar));
    kittest::settle();
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
    EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Insert);
    expectListTabs(false, "after No");
    EXPECT_TRUE(w->toolEnabled(Tool::Cancelar));
}

// Closing the screen (its frame, or the program) with an AF being entered or
// altered drops it only after the same question as "Cancelar".
TEST_P(WorkspaceEditTest, ClosingWithAnAfBeingEditedAsksFirstAndNoKeepsIt) {
    struct Case {
        const char* name;
        Tool start;
    };
    for (const Case& c : {Case{"new AF", Tool::Incluir}, Case{"altered AF", Tool::Alterar}}) {
        SCOPED_TRACE(c.name);
        openOnAf1();
        ASSERT_TRUE(w->press(c.start));
        kittest::settle();
        ASSERT_TRUE(w->state().cdsAutoForne.editing());
        services->dialogs.answer(host::kNo, kCancelQuestion);
        EXPECT_FALSE(w->close());
        kittest::settle();
        EXPECT_TRUE(services->dialogs.questionsAre({kCancelQuestion}));
        ASSERT_EQ(lancaAutoF(), w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->state().cdsAutoForne.editing());
        EXPECT_TRUE(w->state().cdsServAutoForne.editing());

        services->dialogs.clearShown();
        services->dialogs.answer(host::kYes, kCancelQuestion);
        EXPECT_TRUE(w->close());
        kittest::settle();
        EXPECT_TRUE(services->dialogs.questionsAre({kCancelQuestion}));
        EXPECT_EQ(lancaAutoF(), nullptr);
        w = nullptr;
        discardWorkspace();
    }
}

TEST_P(WorkspaceEditTest, ClosingWithNothingPendingAsksNothing) {
    openOnAf1();
    EXPECT_TRUE(w->close());
    kittest::settle();
    EXPECT_TRUE(services->dialogs.questionsAre({}));
    EXPECT_EQ(lancaAutoF(), nullptr);
    w = nullptr;
}

TEST_P(WorkspaceEditTest, CancellingANewAfWhoseBranchWasAddedReturnsToTheBranches) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Incluir));
    kittest::settle();
    w->state().flags.branchAddedByParametros = true;  // as the header's branch check leaves it for a branch not listed
    services->dialogs.answer(host::kYes, kCancelQuestion);
    ASSERT_TRUE(w->press(Tool::Cancelar));
    kittest::settle();
    EXPECT_EQ(w->activeTab(), WorkspaceTab::FilialDest);
    EXPECT_FALSE(w->state().flags.branchAddedByParametros);
    EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Browse);
    EXPECT_EQ(w->state().cdsServAutoForne.recordCount(), listRows);
}

TEST_P(WorkspaceEditTest, AlterarOnTheListEditsTheHeaderOnItsTab) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Alterar));
    kittest::settle();
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Edit);
    EXPECT_EQ(headerNumber(), afNumber(1));
    EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Edit);
    expectListTabs(false, "editing");
    EXPECT_TRUE(w->toolEnabled(Tool::Confirmar));
    EXPECT_FALSE(w->navigator()->allowed());  // no moving to another AF meanwhile

    // Cancelling the alteration leaves the AF as the server has it.
    services->dialogs.answer(host::kYes, kCancelQuestion);
    ASSERT_TRUE(w->press(Tool::Cancelar));
    kittest::settle();
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Browse);
    EXPECT_EQ(w->state().cdsAutoForne.changeCount(), 0);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);
    expectListTabs(true, "after the cancel");
    EXPECT_TRUE(w->navigator()->allowed());
}

TEST_P(WorkspaceEditTest, TheAfBeingAlteredKeepsConfirmAndCancelOnEveryTab) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Alterar));
    kittest::settle();
    w->state().cdsAutoForne.field(QStringLiteral("CDTIPCOB")).setAsString(QStringLiteral("01"));
    // Leaving the header's tab posts the header; the AF is still being altered.
    for (WorkspaceTab tab : {WorkspaceTab::Mensagem, WorkspaceTab::Produtos, WorkspaceTab::DadosAF}) {
        clickTab(tab);
        ASSERT_EQ(w->activeTab(), tab);
        EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Edit) << int(tab);
        EXPECT_TRUE(w->toolEnabled(Tool::Confirmar)) << int(tab);
        EXPECT_TRUE(w->toolEnabled(Tool::Cancelar)) << int(tab);
        EXPECT_FALSE(w->navigator()->allowed()) << int(tab);  // the edit is never left behind
        expectListTabs(false, "altering");
    }
    EXPECT_GT(w->state().cdsAutoForne.changeCount(), 0);

    services->dialogs.answer(host::kYes, kCancelQuestion);
    ASSERT_TRUE(w->press(Tool::Cancelar));
    kittest::settle();
    EXPECT_EQ(w->state().cdsAutoForne.changeCount(), 0);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);
    EXPECT_TRUE(w->navigator()->allowed());
}

TEST_P(WorkspaceEditTest, ConfirmarWithAFailingCheckKeepsTheEditOpen) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Alterar));
    kittest::settle();
    const QString refusal = QStringLiteral("Tipo de cobrança não cadastrado.");
    w->state().cdsAutoForne.beforePost.add([refusal](host::Dataset&) { throw host::UserError(refusal); });
    EXPECT_FALSE(w->press(Tool::Confirmar));
    kittest::settle();
    EXPECT_TRUE(services->dialogs.errorsAre({refusal}));
    EXPECT_TRUE(services->dialogs.messages().isEmpty());  // nothing said about saving
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Edit);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);
    EXPECT_TRUE(w->toolEnabled(Tool::Confirmar));
    EXPECT_TRUE(w->toolEnabled(Tool::Cancelar));
    w->state().cdsAutoForne.beforePost.clear();
}

TEST_P(WorkspaceEditTest, ConfirmarPostsThenSaysSavingIsNotAvailableAndKeepsTheAf) {
    openOnAf1();
    ASSERT_TRUE(w->press(Tool::Alterar));
    kittest::settle();
    // Counted after the header's own reactions; the count outlives the test's scope.
    const auto posts = std::make_shared<int>(0);
    w->state().cdsAutoForne.afterPost.add([posts](host::Dataset&) { ++*posts; });
    EXPECT_TRUE(w->press(Tool::Confirmar));
    kittest::settle();
    EXPECT_EQ(*posts, 1);
    EXPECT_TRUE(services->dialogs.messagesAre({kSaveLater}));
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();
    // Still the same AF, still open for editing: it can be changed or dropped.
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Edit);
    EXPECT_EQ(headerNumber(), afNumber(1));
    EXPECT_EQ(w->state().cdsServAutoForne.recordCount(), listRows);
    EXPECT_TRUE(w->toolEnabled(Tool::Cancelar));
    EXPECT_TRUE(server->calls().filter(QStringLiteral("FecharAF")).isEmpty());
}

TEST_P(WorkspaceEditTest, ToolsOfLaterWorkSayTheyAreNotAvailableAndChangeNothing) {
    openOnAf1();
    struct Case {
        QAction* action;
        const char* operation;
    } cases[] = {
        {w->toolAction(WorkspaceTool::FechaAF), "Fechar AF"},
        {w->toolAction(WorkspaceTool::Consistir), "Consistir"},
        {w->toolAction(WorkspaceTool::B_Total), "Baixar Totalmente"},
        {w->toolAction(WorkspaceTool::B_TotSaida), "Baixar Totalmente (Saída)"},
        {w->toolAction(WorkspaceTool::CancelaAF), "Cancelar AF"},
        {w->toolAction(WorkspaceTool::EncerrarAF), "Encerrar AF"},
        {w->toolAction(WorkspaceTool::ReAFAberto), "Retornar Situação da AF para \"Em Aberto\""},
        {w->toolAction(WorkspaceTool::RetAFExp), "Retornar AF Expirada para \"Em Aberto\""},
        {w->toolAction(WorkspaceTool::EnviaAFEmail), "Enviar AF via e-mail"},
        {w->toolAction(WorkspaceTool::ImpSoliCompras), "Importar Solicitação de Compras"},
        {w->toolAction(WorkspaceTool::ImpProdForn), "Importar Produto por Fornecedor"},
        {w->toolAction(WorkspaceTool::AtualizaMercadum), "Atualiza c/ Mercadum"},
        {w->toolAction(WorkspaceTool::Copy), "Copiar Justificativa"},
    };
    for (const Case& c : cases) {
        services->dialogs.clearShown();
        clearCalls();
        c.action->setEnabled(true);
        c.action->trigger();
        kittest::settle();
        EXPECT_TRUE(services->dialogs.messagesAre({notAvailable(QString::fromUtf8(c.operation))})) << c.operation;
        EXPECT_TRUE(calls().isEmpty()) << c.operation;
        EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Browse) << c.operation;
        EXPECT_EQ(w->state().cdsServAutoForne.changeCount(), 0) << c.operation;
    }

    // The manual receipt on its inner tab.
    services->dialogs.clearShown();
    clickTab(WorkspaceTab::Produtos);
    w->state().btbBaixar->setEnabled(true);
    w->state().btbBaixar->click();
    EXPECT_TRUE(services->dialogs.messagesAre({notAvailable(QStringLiteral("Baixar"))}));
    EXPECT_EQ(w->state().cdsItemAutF.state(), host::DatasetState::Browse);
}

TEST_P(WorkspaceEditTest, StandardToolsOnTablesOfLaterWorkSayTheyAreNotAvailable) {
    openOnAf1();
    struct Case {
        WorkspaceTab tab;
        QWidget* focus;  // the grid the tool acts from
        Tool tool;
        const char* operation;
        host::Dataset* dataset;
    } cases[] = {
        {WorkspaceTab::Mensagem, w->state().dbgMensagens, Tool::Alterar, "Alterar mensagem", &w->state().cdsMensagensAF},
        {WorkspaceTab::Mensagem, w->state().dbgMensagens, Tool::Incluir, "Incluir mensagem", &w->state().cdsMensagensAF},
        {WorkspaceTab::Encargo, w->state().dbgEncargo, Tool::Alterar, "Alterar encargo", &w->state().cdsEncargo},
        {WorkspaceTab::Produtos, w->state().dbgProdutos, Tool::Incluir, "Incluir produto", &w->state().cdsItemAutf_Produto},
        {WorkspaceTab::Produtos, w->standardGrid(), Tool::Incluir, "Incluir item", &w->state().cdsItemAutF},
        {WorkspaceTab::Produtos, w->standardGrid(), Tool::Alterar, "Alterar item", &w->state().cdsItemAutF},
    };
    for (const Case& c : cases) {
        clickTab(c.tab);
        ASSERT_EQ(w->activeTab(), c.tab) << c.operation;
        kittest::focus(c.focus);
        const int rows = c.dataset->recordCount();
        services->dialogs.clearShown();
        ASSERT_TRUE(w->toolEnabled(c.tool)) << c.operation;
        w->press(c.tool);
        kittest::settle();
        EXPECT_TRUE(services->dialogs.messagesAre({notAvailable(QString::fromUtf8(c.operation))})) << c.operation;
        EXPECT_EQ(c.dataset->state(), host::DatasetState::Browse) << c.operation;
        EXPECT_EQ(c.dataset->recordCount(), rows) << c.operation;
    }

    // Deleting asks first; a No leaves everything as it was and says nothing more.
    clickTab(WorkspaceTab::AF);
    services->dialogs.clearShown();
    services->dialogs.answer(host::kNo, QStringLiteral("Confirma exclusão?"));
    ASSERT_TRUE(w->toolEnabled(Tool::Excluir));
    w->press(Tool::Excluir);
    EXPECT_TRUE(services->dialogs.messages().isEmpty());
    services->dialogs.answer(host::kYes, QStringLiteral("Confirma exclusão?"));
    w->press(Tool::Excluir);
    EXPECT_TRUE(services->dialogs.messagesAre({notAvailable(QStringLiteral("Excluir AF"))}));
    EXPECT_EQ(w->state().cdsServAutoForne.recordCount(), listRows);
}

TEST_P(WorkspaceEditTest, ProcurarOnTheListMovesToTheAfFound) {
    openOnAf1();
    bool shown = false;
    kittest::whenModal<kit::SearchDialog>([&shown](kit::SearchDialog* d) {
        shown = true;
        const int number = d->fieldBox()->findText(QStringLiteral("Número"));
        ASSERT_GE(number, 0);
        d->fieldBox()->setCurrentIndex(number);
        d->valueBox()->setText(afNumber(2));
        d->findButton()->click();
        d->close();
    });
    ASSERT_TRUE(w->press(Tool::Procurar));
    kittest::settle();
    EXPECT_TRUE(shown);
    EXPECT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("NRAUTOFORN")).asString(), afNumber(2));
    EXPECT_EQ(headerNumber(), afNumber(2));  // the list's row change loaded it
    EXPECT_TRUE(services->dialogs.errors().isEmpty()) << services->dialogs.errors().join("; ").toStdString();
}

AFDB_INSTANTIATE_ON_ENGINES(WorkspaceEditTest);

}  // namespace
}  // namespace afdesk::testing
