// The filter dialog driven through its widgets, against the real server on both engines.
#include "filtro_af_fixture.h"

#include "afdesk/core/model/af_datasets.h"

#include "platform/db/sql_exec.h"
#include "platform/kit/lookup_button.h"
#include "platform/kit/mask_edit.h"
#include "platform/kit/option_store.h"
#include "platform/kit/test_modal.h"
#include "platform/kit/test_support.h"

#include "host/testing/qt_printers.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>

namespace afdesk::testing {
namespace {

QString focusedName() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

const QStringList kListCalls = {QStringLiteral("GetParamFilial"), QStringLiteral("GetFilialDest"),
                                QStringLiteral("GetServAutoForne")};

void setButton(FiltroAF* d, const char* name, bool on) {
    auto* b = dynamic_cast<QAbstractButton*>(d->findChild<QWidget*>(QString::fromLatin1(name)));
    ASSERT_NE(b, nullptr) << name;
    b->setChecked(on);
}

class FiltroAFDialogTest : public FiltroAFTest {};

TEST_P(FiltroAFDialogTest, FirstActivationShowsCentralAndTheLoggedBuyer) {
    FiltroAF& d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Filtro Autorização de Fornecimento"));
    EXPECT_EQ(d.screenCode(), QStringLiteral("CMP03901"));
    EXPECT_EQ(d.centralCode(), world.central);
    EXPECT_EQ(child<QLineEdit>("edtNmCentral")->text(), QStringLiteral("Central"));
    EXPECT_FALSE(child<QGroupBox>("grbCentral")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>("rbtCompLista")->isChecked());
    EXPECT_EQ(filterState().stPesqComp, QStringLiteral("_COMPRADOR1_"));
    EXPECT_TRUE(child<QRadioButton>("rbtFornTodos")->isChecked());
    EXPECT_FALSE(child<QWidget>("btnPesqForn")->isEnabled());
    EXPECT_TRUE(child<QWidget>("btnPesqComp")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>("rbtFilTodas")->isChecked());
    EXPECT_FALSE(child<QWidget>("btpFilial")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>("grbFilialDest")->isEnabled());
    EXPECT_TRUE(child<QGroupBox>("grbAgrupFilial")->isEnabled());
    for (const char* box : {"chbBaixaManual", "chbBaixaTotal", "chbBaixaParcial", "chbEmAberto", "chbEncerrada",
                            "chbCancelada", "chbConsistente", "chbInconsistente", "chbForaLimite", "chbDentroLimite"})
        EXPECT_TRUE(child<QCheckBox>(box)->isChecked()) << box;
    for (const char* box : {"depEmisIni", "depEmisFim", "depEntrIni", "depEntrFim"})
        EXPECT_TRUE(child<kit::DateBox>(box)->isEmpty()) << box;
    EXPECT_FALSE(filterState().boPrimVez);
    EXPECT_TRUE(services->dialogs.errorsAre({}));
}

TEST_P(FiltroAFDialogTest, AnOperatorWhoIsNoBuyerStartsWithEveryBuyer) {
    useSession(false, world.operatorCode);
    open();
    EXPECT_TRUE(child<QRadioButton>("rbtCompTodos")->isChecked());
    EXPECT_EQ(filterState().stPesqComp, QString());
    EXPECT_EQ(dialog->arguments().buyers, QStringLiteral("T"));
}

TEST_P(FiltroAFDialogTest, ConfirmFillsBranchesAndListFromTheServer) {
    cdsControleFilial.createDataset();
    cdsControleFilial.append();
    cdsControleFilial.field(QStringLiteral("CDFILDEST")).setAsString(world.branch);
    cdsControleFilial.post();
    FiltroAF& d = open();
    server->clearCalls();

    ASSERT_TRUE(d.pressOk());
    EXPECT_TRUE(services->dialogs.errorsAre({}));
    EXPECT_EQ(server->calls(), kListCalls);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(filterState().boModalResult);
    EXPECT_FALSE(cdsParamFilial.isEmpty());
    EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), QStringList{world.branch});
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "5"}));
    EXPECT_TRUE(cdsControleFilial.active());
    EXPECT_TRUE(cdsControleFilial.isEmpty());
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(services->progress.texts(), QStringList{QStringLiteral("Recebendo AF's do servidor... ")});
    EXPECT_FALSE(services->progress.visible());
    // The record of the confirmation, and the lists among the operator's options.
    EXPECT_TRUE(filterState().filtro.compLista);
    EXPECT_EQ(filterState().filtro.compList, QStringLiteral("_COMPRADOR1_"));
    EXPECT_EQ(kit::OptionStore(QStringLiteral("CMP03901")).load(QStringLiteral("stPesqComp")).toString(),
              QStringLiteral("_COMPRADOR1_"));
}

struct ServerCase {
    const char* name;
    std::function<void(FiltroAFTest&)> setUp;
    QStringList branches;
    QStringList afs;
    const char* situations;
    const char* openFlag;
    const char* consistency;
};

TEST_P(FiltroAFDialogTest, CriteriaReachTheServer) {
    auto allBuyers = [](FiltroAFTest& t) { t.check("rbtCompTodos", true); };
    auto only = [](QStringList boxes) {
        return [boxes](FiltroAFTest& t) {
            t.check("rbtCompTodos", true);
            for (const char* b : {"chbBaixaManual", "chbBaixaTotal", "chbBaixaParcial", "chbEmAberto", "chbEncerrada",
                                  "chbCancelada"})
                t.check(b, boxes.contains(QString::fromLatin1(b)));
        };
    };
    const ServerCase cases[] = {
        {"defaults: the logged buyer", [](FiltroAFTest&) {}, {"0002"}, {"1", "2", "5"}, "1_2_3_4_5", "X", "T"},
        {"every buyer", allBuyers, {"0001", "0002"}, {"4"}, "1_2_3_4_5", "X", "T"},
        {"only em Aberto", only({"chbEmAberto"}), {"0001", "0002"}, {"4"}, "0", "X", "T"},
        {"Baixa Total + Cancelada", only({"chbBaixaTotal", "chbCancelada"}), {"0002"}, {"2", "3"}, "_2_5", "Z", "T"},
        {"only Consistente", [](FiltroAFTest& t) { t.check("chbInconsistente", false); }, {"0002"}, {"1", "5"},
         "1_2_3_4_5", "X", "X"},
        {"only Inconsistente", [](FiltroAFTest& t) { t.check("chbConsistente", false); }, {"0002"}, {"2"},
         "1_2_3_4_5", "X", "1"},
        {"AF dates of April and May",
         [](FiltroAFTest& t) {
             t.check("rbtCompTodos", true);
             t.child<kit::DateBox>("depEmisIni")->setDate(QDate(2024, 4, 1));
             t.child<kit::DateBox>("depEmisFim")->setDate(QDate(2024, 5, 31));
         },
         {"0002"}, {"2", "3"}, "1_2_3_4_5", "X", "T"},
        {"delivery in June",
         [](FiltroAFTest& t) {
             t.check("rbtCompTodos", true);
             t.child<kit::DateBox>("depEntrIni")->setDate(QDate(2024, 6, 1));
             t.child<kit::DateBox>("depEntrFim")->setDate(QDate(2024, 6, 30));
         },
         {"0001", "0002"}, {"4"}, "1_2_3_4_5", "X", "T"},
    };
    for (const ServerCase& k : cases) {
        SCOPED_TRACE(k.name);
        resetFilterState();
        open();
        k.setUp(*this);
        const FiltroAF::Arguments a = dialog->arguments();
        EXPECT_EQ(a.situations, QString::fromLatin1(k.situations));
        EXPECT_EQ(a.openFlag, QString::fromLatin1(k.openFlag));
        EXPECT_EQ(a.consistency, QString::fromLatin1(k.consistency));
        ASSERT_TRUE(dialog->pressOk());
        EXPECT_TRUE(services->dialogs.errorsAre({}));
        EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), k.branches);
        EXPECT_EQ(listedAfs(), k.afs);
    }
}

struct RefusalCase {
    const char* name;
    std::function<void(FiltroAFTest&)> setUp;
    QString message;
    const char* focus;
};

TEST_P(FiltroAFDialogTest, RefusedCriteriaKeepTheDialogOpenOnTheOffendingControl) {
    auto dates = [](const char* from, QDate f, const char* to, QDate t) {
        return [=](FiltroAFTest& x) {
            x.child<kit::DateBox>(from)->setDate(f.isValid() ? std::optional<QDate>(f) : std::nullopt);
            x.child<kit::DateBox>(to)->setDate(t.isValid() ? std::optional<QDate>(t) : std::nullopt);
        };
    };
    const QDate early(2024, 3, 1), late(2024, 3, 31), none;
    const RefusalCase cases[] = {
        {"supplier list empty", [](FiltroAFTest& t) { t.check("rbtFornLista", true); },
         QStringLiteral("Fornecedor deve ser informado."), "rbtFornLista"},
        {"buyer list emptied",
         [](FiltroAFTest& t) {
             t.check("rbtCompTodos", true);
             t.check("rbtCompLista", true);
         },
         QStringLiteral("Comprador deve ser informado."), "rbtCompLista"},
        {"branch list empty", [](FiltroAFTest& t) { t.check("rbtFilLista", true); },
         QStringLiteral("Filial Destino deve ser informada."), "rbtFilLista"},
        {"AF start missing", dates("depEmisIni", none, "depEmisFim", late),
         QStringLiteral("Data inicial da AF deve ser informada."), "depEmisIni"},
        {"AF end missing", dates("depEmisIni", early, "depEmisFim", none),
         QStringLiteral("Data final da AF deve ser informada."), "depEmisFim"},
        {"AF dates inverted", dates("depEmisIni", late, "depEmisFim", early),
         QStringLiteral("Data inicial da AF deve ser menor ou igual a data final da AF."), "depEmisIni"},
        {"delivery start missing", dates("depEntrIni", none, "depEntrFim", late),
         QStringLiteral("Data de entrega inicial deve ser informada."), "depEntrIni"},
        {"delivery end missing", dates("depEntrIni", early, "depEntrFim", none),
         QStringLiteral("Data de entrega final deve ser informada."), "depEntrFim"},
        {"delivery dates inverted", dates("depEntrIni", late, "depEntrFim", early),
         QStringLiteral("Data de entrega inicial deve ser menor ou igual a data de entrega final."), "depEntrIni"},
        {"no situation",
         [](FiltroAFTest& t) {
             for (const char* b : {"chbBaixaManual", "chbBaixaTotal", "chbBaixaParcial", "chbEmAberto",
                                   "chbEncerrada", "chbCancelada"})
                 t.check(b, false);
         },
         QStringLiteral("Situação da AF deve ser informada."), "chbBaixaParcial"},
        {"no consistency",
         [](FiltroAFTest& t) {
             t.check("chbConsistente", false);
             t.check("chbInconsistente", false);
         },
         QStringLiteral("Consistência da AF deve ser informada."), "chbInconsistente"},
        {"no limit",
         [](FiltroAFTest& t) {
             t.check("chbForaLimite", false);
             t.check("chbDentroLimite", false);
         },
         QStringLiteral("Limite do comprador deve ser informado."), "chbForaLimite"},
        {"a date box with no date",
         [](FiltroAFTest& t) {
             kittest::focus(t.child<QWidget>("depEntrFim"));
             kittest::type(QStringLiteral("31022024"));
         },
         QStringLiteral("\"31/02/2024\" não é uma data válida."), "depEntrFim"},
    };
    for (const RefusalCase& k : cases) {
        SCOPED_TRACE(k.name);
        resetFilterState();
        open();
        k.setUp(*this);
        services->dialogs.clearShown();
        server->clearCalls();
        EXPECT_FALSE(dialog->pressOk());
        EXPECT_TRUE(services->dialogs.errorsAre({k.message}));
        EXPECT_EQ(focusedName(), QString::fromLatin1(k.focus));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(server->calls(), QStringList());
        EXPECT_FALSE(filterState().boModalResult);
        EXPECT_EQ(filterState().filtro.compList, QString()) << "the record is written only when the checks pass";
    }
}

TEST_P(FiltroAFDialogTest, BranchModeFixesTheBranchCriterion) {
    afdb::exec(connection(), QStringLiteral("UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :OP"),
               {{"F", world.branch}, {"OP", world.buyer}});
    useSession(true);
    FiltroAF& d = open();
    EXPECT_TRUE(child<QRadioButton>("rbtFilLista")->isChecked());
    EXPECT_EQ(d.branchList(), QStringLiteral("_0002_"));
    EXPECT_FALSE(child<QGroupBox>("grbFilialDest")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>("grbAgrupFilial")->isEnabled());
    EXPECT_FALSE(child<QWidget>("btpFilial")->isEnabled());
    const FiltroAF::Arguments a = d.arguments();
    EXPECT_TRUE(a.branchMode);
    EXPECT_EQ(a.branchList, QStringLiteral("_0002_"));
    EXPECT_EQ(a.allBranches, QString());

    check("rbtCompTodos", true);
    ASSERT_TRUE(d.pressOk());
    EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), QStringList{world.branch});
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "3", "5"}));
}

TEST_P(FiltroAFDialogTest, ANewInstanceRestoresTheConfirmedCriteriaButTheBuyer) {
    FiltroAF& d = open();
    check("rbtFornLista", true);
    services->dialogs.choose({kSupplier2}, QStringLiteral("Fornecedor"));
    click("btnPesqForn");
    EXPECT_EQ(filterState().stPesqForn, QStringLiteral("_%1_").arg(kSupplier2));
    check("rbtCompTodos", true);
    child<kit::DateBox>("depEmisIni")->setDate(QDate(2024, 3, 1));
    child<kit::DateBox>("depEmisFim")->setDate(QDate(2024, 4, 30));
    check("chbEncerrada", false);
    check("chbConsistente", false);
    ASSERT_TRUE(d.pressOk());
    EXPECT_EQ(listedAfs(), QStringList{"2"});

    // The workspace closes (the dialog goes) and opens again.
    dialog.reset();
    open();
    EXPECT_TRUE(child<QRadioButton>("rbtFornLista")->isChecked());
    EXPECT_EQ(filterState().stPesqForn, QStringLiteral("_%1_").arg(kSupplier2));
    EXPECT_EQ(child<QLabel>("lblListaForn")->text(), QStringLiteral("Segundo Fornecedor SA"));
    EXPECT_EQ(child<kit::DateBox>("depEmisIni")->date(), QDate(2024, 3, 1));
    EXPECT_EQ(child<kit::DateBox>("depEmisFim")->date(), QDate(2024, 4, 30));
    EXPECT_TRUE(child<kit::DateBox>("depEntrIni")->isEmpty());
    EXPECT_FALSE(child<QCheckBox>("chbEncerrada")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chbConsistente")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("chbCancelada")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("rbtCompLista")->isChecked()) << "the buyer is the logged one again";
    EXPECT_EQ(filterState().stPesqComp, QStringLiteral("_COMPRADOR1_"));
}

TEST_P(FiltroAFDialogTest, SupplierAndBuyerLookups) {
    open();
    check("rbtFornLista", true);
    // F9 on "Lista" presses the search button.
    kittest::focus(child<QWidget>("rbtFornLista"));
    services->dialogs.choose({world.supplier, kSupplier2}, QStringLiteral("Fornecedor"));
    kittest::press(Qt::Key_F9);
    EXPECT_EQ(filterState().stPesqForn, QStringLiteral("_%1_%2_").arg(world.supplier, kSupplier2));
    ASSERT_EQ(services->dialogs.pickLists().size(), 1u);
    const host::PickList suppliers = services->dialogs.pickLists().front();
    EXPECT_EQ(suppliers.headers, (QStringList{"Tipo", "Inscrição", "Razão Social", "Nome Fantasia"}));
    ASSERT_EQ(suppliers.rows.size(), 2u);
    EXPECT_EQ(suppliers.rows[0].columns.value(0), QStringLiteral("Jurídica"));
    EXPECT_EQ(suppliers.rows[0].columns.value(1), QStringLiteral("12.345.678/0001-99"));
    EXPECT_EQ(child<QLabel>("lblListaForn")->text(), QStringLiteral("Fornecedor Teste Ltda, Segundo Fornecedor SA"));

    // A cancelled lookup keeps the list.
    services->dialogs.cancelPick();
    click("btnPesqForn");
    EXPECT_EQ(filterState().stPesqForn, QStringLiteral("_%1_%2_").arg(world.supplier, kSupplier2));

    services->dialogs.choose({world.buyer}, QStringLiteral("Comprador"));
    click("btnPesqComp");
    EXPECT_EQ(filterState().stPesqComp, QStringLiteral("_COMPRADOR1_"));
    const host::PickList buyers = services->dialogs.pickLists().back();
    EXPECT_EQ(buyers.headers, (QStringList{"Código", "Nome"}));
    ASSERT_EQ(buyers.rows.size(), 1u) << "every buyer, the logged one included";
    EXPECT_EQ(buyers.rows[0].columns.value(1), QStringLiteral("Comprador Um"));

    // "Todos" clears the list and the button.
    check("rbtFornTodos", true);
    EXPECT_EQ(filterState().stPesqForn, QString());
    EXPECT_FALSE(child<QWidget>("btnPesqForn")->isEnabled());
    EXPECT_TRUE(services->dialogs.errorsAre({}));
}

TEST_P(FiltroAFDialogTest, NoBuyerRegisteredIsAnError) {
    open();
    afdb::exec(connection(), QStringLiteral("DELETE FROM COMPROPER"));
    afdb::exec(connection(), QStringLiteral("DELETE FROM PRODCOMP"));
    afdb::exec(connection(), QStringLiteral("DELETE FROM COMPRADOR"));
    click("btnPesqComp");
    EXPECT_TRUE(services->dialogs.errorsAre({QStringLiteral("Não há comprador cadastrado.")}));
    EXPECT_TRUE(services->dialogs.pickLists().empty());
    EXPECT_EQ(filterState().stPesqComp, QStringLiteral("_COMPRADOR1_"));
}

TEST_P(FiltroAFDialogTest, BranchLookupWithAndWithoutGrouping) {
    FiltroAF& d = open();
    check("rbtFilLista", true);
    auto& button = *child<kit::TBtnPesquisa>("btpFilial");
    ASSERT_TRUE(button.isEnabled());
    services->dialogs.choose({world.branch}, QStringLiteral("Filial Destino"));
    EXPECT_TRUE(button.execute());
    EXPECT_EQ(d.branchList(), QStringLiteral("_0002_"));
    EXPECT_EQ(services->dialogs.pickLists().back().rows.size(), 2u) << "the central and its branch";

    // "Todas" clears the list and disables the button; F9 on "Lista" opens the lookup.
    check("rbtFilTodas", true);
    EXPECT_EQ(d.branchList(), QString());
    EXPECT_FALSE(button.isEnabled());
    check("rbtFilLista", true);
    kittest::focus(child<QWidget>("rbtFilLista"));
    services->dialogs.choose({world.central, world.branch}, QStringLiteral("Filial Destino"));
    kittest::press(Qt::Key_F9);
    EXPECT_EQ(d.branchList(), QStringLiteral("_0001_0002_"));

    // With a grouping the branches come from the server; the button takes no
    // focus, so a code still in its box is checked first.
    kittest::focus(child<QWidget>("medAgrupFilial"));
    kittest::type(QStringLiteral("G1"));
    EXPECT_EQ(d.branchList(), QString()) << "typing a grouping clears the branch list";
    server->clearCalls();
    services->dialogs.choose({world.central}, QStringLiteral("Filial Destino"));
    EXPECT_TRUE(button.execute());
    EXPECT_EQ(child<QLineEdit>("edtNmAgrupFilial")->text(), QStringLiteral("Centrais"));
    EXPECT_EQ(server->calls(), (QStringList{QStringLiteral("GetAgruFili"), QStringLiteral("GetFiliAgrupFili")}));
    const host::PickList grouped = services->dialogs.pickLists().back();
    ASSERT_EQ(grouped.rows.size(), 1u);
    EXPECT_EQ(grouped.headers, (QStringList{"Código", "Nome"}));
    EXPECT_EQ(d.branchList(), QStringLiteral("_0001_"));
    EXPECT_FALSE(services->progress.visible());

    check("rbtCompTodos", true);
    ASSERT_TRUE(d.pressOk());
    EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), QStringList{world.central});
    EXPECT_TRUE(services->dialogs.errorsAre({}));
}

TEST_P(FiltroAFDialogTest, GroupingCodeIsAdjustedAndMustExist) {
    open();
    auto* code = child<kit::MaskEdit>("medAgrupFilial");
    kittest::focus(code);
    kittest::type(QStringLiteral("7"));
    kittest::press(Qt::Key_Tab);
    EXPECT_TRUE(services->dialogs.errorsAre({QStringLiteral("Agrupamento de filial não cadastrado.")}));
    EXPECT_EQ(code->value(), QStringLiteral("0000000007")) << "brought to the code's width";
    EXPECT_EQ(focusedName(), QStringLiteral("medAgrupFilial"));
    EXPECT_EQ(child<QLineEdit>("edtNmAgrupFilial")->text(), QString());

    // Confirming straight from the box checks it as leaving would.
    services->dialogs.clearShown();
    server->clearCalls();
    EXPECT_FALSE(dialog->pressOk());
    EXPECT_TRUE(services->dialogs.errorsAre({QStringLiteral("Agrupamento de filial não cadastrado.")}));
    EXPECT_EQ(server->calls(), QStringList{QStringLiteral("GetAgruFili")});
    EXPECT_EQ(focusedName(), QStringLiteral("medAgrupFilial"));

    // The lookup button fills code and name.
    services->dialogs.clearShown();
    services->dialogs.choose({QStringLiteral("G1")}, QStringLiteral("Agrupamento de Filial"));
    EXPECT_TRUE(child<kit::TBtnPesquisa>("btnAgrupFilial")->execute());
    EXPECT_EQ(code->value(), QStringLiteral("G1"));
    EXPECT_EQ(child<QLineEdit>("edtNmAgrupFilial")->text(), QStringLiteral("Centrais"));
    check("rbtCompTodos", true);
    ASSERT_TRUE(dialog->pressOk());
    EXPECT_EQ(dialog->arguments().grouping, QStringLiteral("G1"));
    EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), QStringList{world.central});
    EXPECT_FALSE(services->progress.visible());
}

TEST_P(FiltroAFDialogTest, AFailingCallEndsTheConfirmationWithTheServersMessage) {
    FiltroAF& d = open();
    ASSERT_TRUE(d.pressOk());
    ASSERT_EQ(listedAfs(), (QStringList{"1", "2", "5"}));

    // A grouping the server does not know (as the options file may bring back).
    kittest::showActive(&d);
    child<kit::MaskEdit>("medAgrupFilial")->setValue(QStringLiteral("ZZ"));
    cdsParamFilial.emptyDataset();
    filterState().boModalResult = false;
    services->progress.clearHistory();
    EXPECT_FALSE(d.pressOk());
    EXPECT_TRUE(services->dialogs.errorsAre({QStringLiteral("Agrupamento de filial não cadastrado.")}));
    EXPECT_FALSE(filterState().boModalResult) << "keeps its previous value";
    EXPECT_FALSE(cdsParamFilial.isEmpty()) << "what was loaded before the failure stays";
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "5"}));
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(services->progress.visible());
    EXPECT_EQ(services->progress.texts(), QStringList{QStringLiteral("Recebendo AF's do servidor... ")});

    filterState().boModalResult = true;
    EXPECT_FALSE(d.pressOk());
    EXPECT_TRUE(filterState().boModalResult);
}

TEST_P(FiltroAFDialogTest, ReloadReadsOnlyTheListOfTheCurrentBranch) {
    FiltroAF& d = open();
    check("rbtCompTodos", true);
    ASSERT_TRUE(d.pressOk());
    ASSERT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), (QStringList{world.central, world.branch}));
    ASSERT_EQ(listedAfs(), QStringList{"4"});

    ASSERT_TRUE(cdsFilialDest.locate(QStringLiteral("CDFILIAL"), world.branch));
    server->clearCalls();
    filterState().boModalResult = false;
    d.sbtConfirmaClick(ConfirmOrigin::Reload);
    EXPECT_EQ(server->calls(), QStringList{QStringLiteral("GetServAutoForne")});
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "3", "5"}));
    EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), (QStringList{world.central, world.branch}));
    EXPECT_TRUE(filterState().boModalResult);
    EXPECT_FALSE(services->progress.visible());
}

TEST_P(FiltroAFDialogTest, TheHeadersBranchBecomesCurrent) {
    FiltroAF& d = open();
    check("rbtCompTodos", true);
    headerBranch = world.branch;
    d.sbtConfirmaClick(ConfirmOrigin::HeaderBranch);
    EXPECT_EQ(server->calls(), kListCalls);
    EXPECT_EQ(cdsFilialDest.field(QStringLiteral("CDFILIAL")).asString(), world.branch);
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "3", "5"}));

    // From the confirm button the first branch stays current.
    kittest::showActive(&d);
    ASSERT_TRUE(d.pressOk());
    EXPECT_EQ(cdsFilialDest.field(QStringLiteral("CDFILIAL")).asString(), world.central);
    EXPECT_EQ(listedAfs(), QStringList{"4"});
}

TEST_P(FiltroAFDialogTest, CriaFiltroAFShowsOneInstanceModally) {
    bool shownFlag = false;
    bool nested = true;
    kittest::whenModal<FiltroAF>([&](FiltroAF* d) {
        shownFlag = filterState().boFilCriado;
        nested = CriaFiltroAF(targets(), nullptr);  // already shown: returns at once
        if (!d->pressOk()) d->pressCancel();
    });
    EXPECT_TRUE(CriaFiltroAF(targets(), nullptr));
    EXPECT_TRUE(shownFlag);
    EXPECT_FALSE(nested) << "the flag of a dialog not yet confirmed";
    EXPECT_FALSE(filterState().boFilCriado);
    FiltroAF* first = filtroAF();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "5"}));

    // Changes cancelled are not kept: a reload uses the confirmed criteria.
    kittest::whenModal<FiltroAF>([&](FiltroAF* d) {
        EXPECT_EQ(d, first);
        setButton(d, "rbtCompTodos", true);
        setButton(d, "chbBaixaTotal", false);
        d->pressCancel();
    });
    EXPECT_FALSE(CriaFiltroAF(targets(), nullptr));
    EXPECT_FALSE(filterState().boModalResult);
    EXPECT_EQ(filtroAF(), first);
    EXPECT_EQ(first->arguments().buyers, QStringLiteral("_COMPRADOR1_"));
    EXPECT_EQ(first->arguments().situations, QStringLiteral("1_2_3_4_5"));
    first->sbtConfirmaClick(ConfirmOrigin::Reload);
    EXPECT_EQ(listedAfs(), (QStringList{"1", "2", "5"}));

    destroyFiltroAF();
    EXPECT_EQ(filtroAF(), nullptr);
}

TEST_P(FiltroAFDialogTest, ConfirmOverHttp) {
    server->useServer(Transport::Http, world.buyer, QStringLiteral("Comprador Um"));
    FiltroAF& d = open();
    check("chbConsistente", false);
    ASSERT_TRUE(d.pressOk());
    EXPECT_TRUE(services->dialogs.errorsAre({}));
    EXPECT_EQ(column(cdsFilialDest, QStringLiteral("CDFILIAL")), QStringList{world.branch});
    EXPECT_EQ(listedAfs(), QStringList{"2"});
}

AFDB_INSTANTIATE_ON_ENGINES(FiltroAFDialogTest);

}  // namespace
}  // namespace afdesk::testing
