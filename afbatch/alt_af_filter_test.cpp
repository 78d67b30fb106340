// Creation and the filter panel of the bulk alteration screen.
#include "afbatch.h"
#include "afbatch_test_support.h"

#include "platform/kit/db_text.h"
#include "platform/kit/lookup_button.h"
#include "platform/kit/mask_edit.h"
#include "platform/kit/record_navigator.h"
#include "platform/kit/test_support.h"

#include "platform/db/sql_exec.h"

#include "host/testing/qt_printers.h"

#include <QtWidgets/QApplication>
#include <functional>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>

namespace afbatch::testing {
namespace {

using Tool = kit::StandardGridScreen::Tool;

class AltAfFilterTest : public AltAfScreenTest {};

TEST_P(AltAfFilterTest, CreationReadsTheSuppliesParametersOfThePurchasingBranch) {
    useServer(Transport::InProcess);
    TfrmAltAF* shown = criaAltAF();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(screenHost->shown.size(), 1u);
    EXPECT_EQ(screenHost->shown[0], shown);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->windowTitle(), QStringLiteral("Alteração de AF"));
    EXPECT_EQ(shown->screenCode(), QStringLiteral("CMP04000"));
    EXPECT_EQ(shown->cdsParaSupri.field("CDFILIAL").asString(), world.w.central);
    EXPECT_EQ(shown->cdsParaSupri.field("CDGRUPPROD").asString(), world.group);
    EXPECT_EQ(shown->cdsAF.field("CDARVPROD").editMask(), host::session().DBPict(host::kPictProduto));
    EXPECT_FALSE(shown->cdsAF.active());
    EXPECT_EQ(calls(), QStringList{"GetParaSupri"});
    // A new screen on each call.
    TfrmAltAF* second = criaAltAF();
    EXPECT_NE(second, shown);
    EXPECT_EQ(screenHost->shown.size(), 2u);
    shown->close();
    second->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(services.dialogs.errorsAre({}));
}

TEST_P(AltAfFilterTest, TheFilterIsCheckedInOrderAndTheFocusGoesToTheControlAtFault) {
    useServer(Transport::InProcess);
    afdb::testing::insertRow(connection(), "FILIAL",
                             {{"CDFILIAL", "0009"}, {"NMFILIAL", "Fechada"}, {"IDCNTRRESC", "S"}});
    createScreen();
    struct Case {
        const char* what;
        QString branch, subGroup, from, to;
        QString error;
        const char* focus;
    };
    const std::vector<Case> cases = {
        {"no branch", "", "10", "", "", "Filial deve ser informada.", "medFilial"},
        {"unknown branch", "77", "10", "", "", "Filial não cadastrada", "medFilial"},
        {"branch with its contract ended", "9", "10", "", "", "Filial com contrato rescindido.", "medFilial"},
        {"no sub-group", "2", "", "", "", "SubGrupo deve ser informado.", "medSubGrupo"},
        {"sub-group of another group", "2", "99", "", "",
         "SubGrupo não cadastrado para o grupo de produtos parametrizado para o Suprimentos.", "medSubGrupo"},
        {"only the first date", "2", "10", "01/04/2024", "", "Operação bloqueada. As duas datas devem ser preenchidas.",
         "depEntrFin"},
        {"only the last date", "2", "10", "", "30/04/2024", "Operação bloqueada. As duas datas devem ser preenchidas.",
         "depEntrIni"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        services.dialogs.clearShown();
        m_server->clearCalls();
        filter(c.branch, c.subGroup, c.from, c.to);
        EXPECT_TRUE(services.dialogs.errorsAre({c.error}));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focus));
        EXPECT_FALSE(screen->cdsAF.active());
        EXPECT_EQ(callCount("GetAF"), 0);
    }
}

TEST_P(AltAfFilterTest, CodesArePaddedNamedAndTheListLoadedForThePeriod) {
    useServer(Transport::InProcess);
    createScreen();
    struct Case {
        const char* what;
        QString from, to;
        int rows;
    };
    for (const Case& c : {Case{"no dates: every date", "", "", 4}, Case{"April", "01/04/2024", "30/04/2024", 2},
                          Case{"order of the dates not checked", "30/04/2024", "01/04/2024", 0}}) {
        SCOPED_TRACE(c.what);
        filter(" 2", "10", c.from, c.to);
        EXPECT_TRUE(services.dialogs.errorsAre({}));
        EXPECT_EQ(screen->medFilial->value(), QStringLiteral("0002"));
        EXPECT_EQ(screen->edtNmFilial->text(), QStringLiteral("Loja"));
        EXPECT_EQ(screen->medSubGrupo->value(), world.subGroup);
        EXPECT_EQ(screen->edtNmSubGrupo->text(), QStringLiteral("Limpeza"));
        ASSERT_TRUE(screen->cdsAF.active());
        EXPECT_EQ(screen->cdsAF.recordCount(), c.rows);
    }
    EXPECT_EQ(screen->navigator()->label()->text(), QString());  // empty list above: nothing to name
    filter("2", "10");
    EXPECT_EQ(screen->navigator()->label()->text(), QStringLiteral("Arroz 5 kg"));
}

TEST_P(AltAfFilterTest, LeavingThePanelLoadsTheListAndEnteringItDiscardsIt) {
    useServer(Transport::InProcess);
    createScreen();
    kittest::focus(screen->medFilial);
    kittest::type("2");
    EXPECT_EQ(screen->edtNmFilial->text(), QString());
    kittest::focus(screen->medSubGrupo);  // leaving the branch box names it
    EXPECT_EQ(screen->edtNmFilial->text(), QStringLiteral("Loja"));
    for (int tool = 0; tool < kit::StandardGridScreen::kToolCount; ++tool)
        EXPECT_FALSE(screen->toolEnabled(Tool(tool))) << tool;  // the filter boxes have the focus
    kittest::type("10");
    kittest::focus(screen->standardGrid());
    kittest::settle();
    EXPECT_TRUE(services.dialogs.errorsAre({}));
    ASSERT_TRUE(screen->cdsAF.active());
    EXPECT_EQ(screen->cdsAF.recordCount(), 4);
    EXPECT_TRUE(screen->toolEnabled(Tool::Verificar));
    EXPECT_TRUE(screen->toolEnabled(Tool::Alterar));

    ASSERT_TRUE(changeItem(1, world.p1, {}, "7"));
    services.dialogs.answer(host::kYes, QStringLiteral("Cancelar operação?"));  // the change goes with the list
    kittest::focus(screen->depEntrIni);
    EXPECT_TRUE(services.dialogs.questionsAre({QStringLiteral("Cancelar operação?")}));
    EXPECT_FALSE(screen->cdsAF.active());
    EXPECT_TRUE(screen->lbxErros->count() == 0);
}

// The panel by keyboard alone: Enter moves from box to box as Tab does, and
// leaving the last date (by Tab or by Enter) loads the list.
TEST_P(AltAfFilterTest, TheKeyboardAloneFillsThePanelAndLoadsTheList) {
    useServer(Transport::InProcess);
    for (Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return}) {
        SCOPED_TRACE(leave == Qt::Key_Tab ? "Tab" : "Enter");
        createScreen();
        kittest::showActive(screen.get());
        EXPECT_EQ(QApplication::focusWidget(), screen->medFilial);  // it opens ready for the first box
        kittest::type("2");
        kittest::press(Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), screen->medSubGrupo);
        EXPECT_EQ(screen->edtNmFilial->text(), QStringLiteral("Loja"));
        kittest::type("10");
        kittest::press(Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), screen->depEntrIni);
        screen->depEntrIni->home(false);
        kittest::type("01032024");
        kittest::press(Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), screen->depEntrFin);
        screen->depEntrFin->home(false);
        kittest::type("31032024");
        kittest::press(leave);
        kittest::settle();
        EXPECT_TRUE(services.dialogs.errorsAre({}));
        ASSERT_TRUE(screen->cdsAF.active());
        EXPECT_EQ(screen->cdsAF.recordCount(), 1);
        EXPECT_EQ(QApplication::focusWidget(), screen->standardGrid());
    }
}

TEST_P(AltAfFilterTest, AFilterThatFindsNothingSaysSo) {
    useServer(Transport::InProcess);
    createScreen();
    filter("2", "10", "01/01/2020", "31/01/2020");
    ASSERT_TRUE(screen->cdsAF.active());
    EXPECT_TRUE(screen->cdsAF.isEmpty());
    EXPECT_TRUE(services.dialogs.errorsAre({}));
    EXPECT_TRUE(services.dialogs.messagesAre(
        {QStringLiteral("Nenhum item de AF em aberto foi encontrado para a filial, o subgrupo e o período informados.")}));
    services.dialogs.clearShown();
    filter("2", "10");
    EXPECT_EQ(screen->cdsAF.recordCount(), 4);
    EXPECT_TRUE(services.dialogs.messagesAre({}));  // a list with items needs no word
}

// Changes not yet confirmed are never dropped without a word: entering the
// filter panel or "Verificar" asks first, and No keeps the list as it is.
TEST_P(AltAfFilterTest, EnteringTheFilterOrVerifyingWithPendingChangesAsksFirst) {
    useServer(Transport::InProcess);
    const QString question = QStringLiteral("Cancelar operação?");
    struct Case {
        const char* what;
        std::function<void(TfrmAltAF&)> act;
    };
    const Case cases[] = {
        {"entering the filter", [](TfrmAltAF& s) { kittest::focus(s.medFilial); }},
        {"Verificar", [](TfrmAltAF& s) { s.press(Tool::Verificar); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        createScreen();
        filter("2", "10");
        ASSERT_TRUE(changeItem(1, world.p1, {}, "7"));
        kittest::focus(screen->standardGrid());
        ASSERT_GT(screen->cdsAF.changeCount(), 0);
        m_server->clearCalls();

        services.dialogs.answer(host::kNo, question);
        c.act(*screen);
        kittest::settle();
        EXPECT_TRUE(services.dialogs.questionsAre({question}));
        EXPECT_TRUE(screen->cdsAF.active());
        EXPECT_GT(screen->cdsAF.changeCount(), 0);
        EXPECT_EQ(calls(), QStringList());
        EXPECT_EQ(QApplication::focusWidget(), screen->standardGrid());  // back on the list it kept

        services.dialogs.clearShown();
        services.dialogs.answer(host::kYes, question);
        c.act(*screen);
        kittest::settle();
        EXPECT_TRUE(services.dialogs.questionsAre({question}));
        EXPECT_EQ(screen->cdsAF.active() ? screen->cdsAF.changeCount() : 0, 0);
        services.dialogs.clearShown();
        screen.reset();
    }
}

TEST_P(AltAfFilterTest, VerifyReloadsWithTheCurrentPeriodWithoutCheckingTheCodesAgain) {
    useServer(Transport::InProcess);
    createScreen();
    filter("2", "10");
    ASSERT_EQ(screen->cdsAF.recordCount(), 4);
    afdb::exec(connection(), "UPDATE ITEMAUTF SET QTPROGENTAF = 33 WHERE NRAUTOFORN = '0000000001'");
    screen->depEntrIni->setValue("01/03/2024");
    screen->depEntrFin->setValue("31/03/2024");
    m_server->clearCalls();
    EXPECT_TRUE(screen->press(Tool::Verificar));
    EXPECT_EQ(calls(), QStringList{"GetAF"});
    ASSERT_EQ(screen->cdsAF.recordCount(), 1);
    EXPECT_EQ(screen->cdsAF.field("QTPROGENTAF").asFloat(), 33.0);

    // The period is checked again; the focus goes to the missing date, into the panel, which closes the list.
    screen->depEntrFin->setValue("");
    EXPECT_FALSE(screen->press(Tool::Verificar));
    EXPECT_TRUE(services.dialogs.errorsAre({"Operação bloqueada. As duas datas devem ser preenchidas."}));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("depEntrFin"));
    EXPECT_FALSE(screen->cdsAF.active());
}

TEST_P(AltAfFilterTest, LookupButtonsOfferBranchesAndTheSubGroupsOfTheSuppliesGroup) {
    useServer(Transport::InProcess);
    createScreen();
    services.dialogs.choose({"0002"}, QStringLiteral("Filial")).choose({world.otherSubGroup}, QStringLiteral("SubGrupo"));
    screen->btnFilial->execute();
    screen->btnSubGrupo->execute();
    EXPECT_EQ(screen->medFilial->value(), QStringLiteral("0002"));
    EXPECT_EQ(screen->edtNmFilial->text(), QStringLiteral("Loja"));
    EXPECT_EQ(screen->medSubGrupo->value(), world.otherSubGroup);
    EXPECT_EQ(screen->edtNmSubGrupo->text(), QStringLiteral("Escritório"));
    const std::vector<host::PickList> lists = services.dialogs.pickLists();
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].headers, (QStringList{"Código ", "Nome"}));
    EXPECT_EQ(lists[1].rows.size(), 2u);  // the two sub-groups of the supplies group
}

AFDB_INSTANTIATE_ON_ENGINES(AltAfFilterTest);

}  // namespace
}  // namespace afbatch::testing
