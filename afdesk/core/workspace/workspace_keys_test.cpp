// The message filter (Enter as Tab, decimal comma) and the workspace's keyboard shortcuts.
#include "afdesk/core/workspace/workspace_fixture.h"

#include "afdesk/core/workspace/bound_controls.h"
#include "afdesk/core/workspace/message_filter.h"
#include "host/services/session.h"
#include "platform/kit/db_edit.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_memo.h"
#include "platform/kit/test_support.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabWidget>

namespace afdesk::testing {
namespace {

class WorkspaceKeysTest : public WorkspaceTest {
protected:
    void openOnProducts() {
        open(true);
        ASSERT_NE(w, nullptr);
        gotoBranch(world.branch);
        clickTab(WorkspaceTab::AF);
        gotoAf(1);
        clickTab(WorkspaceTab::Produtos);
        ASSERT_EQ(w->state().cdsItemAutF.recordCount(), 1);
    }
    // A key as the shell hands it to the hook: aimed at the focused control.
    bool hook(Qt::Key key, Qt::KeyboardModifiers mods = {}, const QString& text = {}) {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        return host::session().dispatchMsgEvent(QApplication::focusWidget(), &e);
    }
    static std::string focusName() {
        QWidget* f = QApplication::focusWidget();
        return f ? (f->metaObject()->className() + std::string(" ") + f->objectName().toStdString()) : "none";
    }
    // A float box of the header (the header tab only displays its total): one bound to VRTOTALAF.
    kit::DBEdit* totalBox() {
        auto* box = new kit::DBEdit(&w->state().dtsAutoForne, QStringLiteral("VRTOTALAF"), w->tabPage(WorkspaceTab::DadosAF));
        box->setObjectName(QStringLiteral("tstVRTOTALAF"));
        box->show();
        return box;
    }
};

TEST_P(WorkspaceKeysTest, EnterBecomesTabWhileAnAfDatasetIsEdited) {
    openOnProducts();
    clickTab(WorkspaceTab::DadosAF);
    auto* box = dynamic_cast<kit::DBEdit*>(
        boundControl(w->state().dtsAutoForne, QStringLiteral("CDTIPCOB"), w->tabPage(WorkspaceTab::DadosAF)));
    ASSERT_NE(box, nullptr);
    kittest::focus(box);
    ASSERT_EQ(QApplication::focusWidget(), box) << focusName();

    EXPECT_FALSE(hook(Qt::Key_Return));  // nothing edited: Enter stays Enter
    EXPECT_EQ(QApplication::focusWidget(), box);

    w->state().cdsAutoForne.edit();
    EXPECT_TRUE(hook(Qt::Key_Return));
    EXPECT_NE(QApplication::focusWidget(), box);  // moved on as Tab would
    kittest::focus(box);
    EXPECT_FALSE(hook(Qt::Key_Return, Qt::ControlModifier));  // Ctrl+Enter is not Enter
    w->state().cdsAutoForne.cancel();
}

TEST_P(WorkspaceKeysTest, EnterStaysANewLineInTheObservationMemo) {
    openOnProducts();
    w->state().pgcProdutos->setCurrentIndex(int(ProdutosTab::Observacao));
    kittest::focus(w->state().dbmObservacao);
    ASSERT_EQ(QApplication::focusWidget(), w->state().dbmObservacao);
    w->state().cdsItemAutF.edit();
    EXPECT_FALSE(hook(Qt::Key_Return));
    EXPECT_EQ(QApplication::focusWidget(), w->state().dbmObservacao);
    w->state().cdsItemAutF.cancel();
}

TEST_P(WorkspaceKeysTest, PeriodTypesACommaInAFloatBoxAndAFloatGridColumn) {
    openOnProducts();
    clickTab(WorkspaceTab::DadosAF);
    w->state().cdsAutoForne.edit();
    kit::DBEdit* total = totalBox();
    ASSERT_NE(total, nullptr);
    kittest::focus(total);
    total->selectAll();
    kittest::type(QStringLiteral("12"));
    EXPECT_TRUE(hook(Qt::Key_Period, {}, QStringLiteral(".")));
    kittest::type(QStringLiteral("5"));
    EXPECT_EQ(total->text(), QStringLiteral("12,5"));
    total->selectAll();
    kittest::type(QStringLiteral("3"));
    EXPECT_TRUE(hook(Qt::Key_Period, Qt::KeypadModifier, QStringLiteral(".")));  // the keypad's decimal key
    kittest::type(QStringLiteral("75"));
    EXPECT_EQ(total->text(), QStringLiteral("3,75"));
    total->reset();

    // A text box is left alone.
    auto* name = dynamic_cast<kit::DBEdit*>(
        boundControl(w->state().dtsAutoForne, QStringLiteral("CDTIPCOB"), w->tabPage(WorkspaceTab::DadosAF)));
    ASSERT_NE(name, nullptr);
    kittest::focus(name);
    EXPECT_FALSE(hook(Qt::Key_Period, {}, QStringLiteral(".")));
    delete total;
    // The alteration dropped the way the user drops it, which frees the list again.
    services->dialogs.answer(host::kYes, QStringLiteral("Cancelar operação?"));
    ASSERT_TRUE(w->press(kit::StandardGridScreen::Tool::Cancelar));

    // The list grid on its float column, and on a text column.
    clickTab(WorkspaceTab::AF);
    kittest::focus(w->state().dbgAutoForne);
    w->state().dbgAutoForne->setCurrentColumn(w->state().dbgAutoForne->columnOf(QStringLiteral("VRTOTALAF")));
    EXPECT_TRUE(hook(Qt::Key_Period, {}, QStringLiteral(".")));
    w->state().dbgAutoForne->setCurrentColumn(w->state().dbgAutoForne->columnOf(QStringLiteral("NMRAZSOCFORN")));
    EXPECT_FALSE(hook(Qt::Key_Period, {}, QStringLiteral(".")));
}

TEST_P(WorkspaceKeysTest, TheHookIsRemovedWhileTheWorkspaceIsInactive) {
    openOnProducts();
    ASSERT_EQ(host::session().msgEventFormOwner(), w);
    QWidget other;
    kittest::showActive(&other);
    EXPECT_EQ(host::session().msgEventFormOwner(), nullptr);
    kittest::showActive(w);
    EXPECT_EQ(host::session().msgEventFormOwner(), w);
}

TEST_P(WorkspaceKeysTest, CtrlEnterConfirmsTheItemAndStartsTheNextAfterAnInsertion) {
    openOnProducts();
    kittest::focus(w->standardGrid());
    w->state().cdsItemAutF.edit();
    kittest::press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w->state().cdsItemAutF.state(), host::DatasetState::Browse);

    // After an insertion "Incluir" follows "Confirmar". Saving the AF comes
    // with later work: it says so, and the AF it leaves in edit offers no
    // "Incluir" (a browse tool) until it is saved or cancelled.
    services->dialogs.clearShown();
    w->state().cdsItemAutF.append();
    w->state().cdsItemAutF.field(QStringLiteral("CDPRODUTO")).setAsString(world.product);
    kittest::focus(w->standardGrid());
    kittest::press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(w->state().cdsItemAutF.state(), host::DatasetState::Browse);  // the new item was posted
    EXPECT_EQ(w->state().cdsItemAutF.recordCount(), 2);
    const QStringList shown = services->dialogs.messages();
    ASSERT_EQ(shown.size(), 1) << shown.join("; ").toStdString();
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Gravar no servidor uma AF nova ou alterada"))) << shown[0].toStdString();
    EXPECT_TRUE(w->state().cdsServAutoForne.editing());
    EXPECT_FALSE(w->toolEnabled(kit::StandardGridScreen::Tool::Incluir));
}

TEST_P(WorkspaceKeysTest, CtrlArrowsMoveBetweenTabsOnlyWithNothingFocused) {
    openOnProducts();
    clickTab(WorkspaceTab::AF);
    if (QWidget* f = QApplication::focusWidget()) f->clearFocus();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    QTest::keyClick(w, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);
    if (QWidget* f = QApplication::focusWidget()) f->clearFocus();
    QTest::keyClick(w, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);

    kittest::focus(w->state().dbgAutoForne);
    kittest::press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);  // a focused control keeps the key
}

TEST_P(WorkspaceKeysTest, BranchGridCtrlRightGoesToTheListAndCtrlDeleteDoesNothing) {
    open(true);
    ASSERT_NE(w, nullptr);
    const int branches = w->state().cdsFilialDest.recordCount();
    kittest::focus(w->state().DBGrid1);
    kittest::press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(w->state().cdsFilialDest.recordCount(), branches);
    EXPECT_TRUE(services->dialogs.questions().isEmpty());
    kittest::press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);

    const int afs = w->state().cdsServAutoForne.recordCount();
    kittest::focus(w->state().dbgAutoForne);
    kittest::press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(w->state().cdsServAutoForne.recordCount(), afs);
    EXPECT_TRUE(services->dialogs.questions().isEmpty());
}

AFDB_INSTANTIATE_ON_ENGINES(WorkspaceKeysTest);

}  // namespace
}  // namespace afdesk::testing
