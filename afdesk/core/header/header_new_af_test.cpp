// A new AF on the header tab: its defaults, the list row that follows it, the
// post that reads the supplier's terms, and the way back after a cancel.
#include "afdesk/core/header/header_fixture.h"

#include "platform/db/testing/fixture_rows.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/test_support.h"

#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>

namespace afdesk::testing {
namespace {

class HeaderNewAfTest : public HeaderTest {
protected:
    // The header a buyer completes for the fixture's good supplier.
    void fillValidHeader() {
        w->state().cdsAutoForne.field(QStringLiteral("CDOPERADOR")).setAsString(world.buyer);
        w->state().cdsAutoForne.field(QStringLiteral("NRINSJURFORN")).setAsString(supplierOk);
    }
};

TEST_P(HeaderNewAfTest, DefaultsFollowTheBranchParametersOfTheEmitter) {
    afdb::testing::insertRow(connection(), "EMPRESA", {{"CDEMPRESA", "02"}, {"NMEMPRESA", "Empresa Dois"}});
    afdb::testing::insertRow(connection(), "EMPRCNTRFIL", {{"CDEMPRESA", "02"}, {"CDFILIAL", world.branch}});
    struct Case {
        const char* idTipEmitGer;  // PARCMPSUP; null when empty
        const char* parameterCompany;
        const char* emitter, *company, *companyName;
    };
    const Case cases[] = {
        {nullptr, nullptr, "1", "01", "Empresa Teste"},
        {"1", "02", "1", "01", "Empresa Teste"},  // the branch's own company, not the parameter's
        {"2", "02", "2", "02", "Empresa Dois"},   // named for the destination branch
        {"3", nullptr, "3", "01", "Empresa Teste"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.idTipEmitGer ? c.idTipEmitGer : "vazio");
        afdb::exec(connection(), QStringLiteral("UPDATE PARCMPSUP SET IDTIPEMITGER = :T, CDEMPRESA = :E"),
                   {{"T", c.idTipEmitGer ? QVariant(QString::fromLatin1(c.idTipEmitGer)) : QVariant()},
                    {"E", c.parameterCompany ? QVariant(QString::fromLatin1(c.parameterCompany)) : QVariant()}});
        openOnHeader();
        startInsert();
        EXPECT_EQ(value("CDFILDEST"), world.branch);
        EXPECT_EQ(value("NMFILDEST"), "Loja");
        EXPECT_EQ(value("CDFILLANC"), world.branch);
        EXPECT_EQ(value("NMFILIAL"), "Loja");
        EXPECT_EQ(w->state().cdsAutoForne.field(QStringLiteral("DTAUTOFORN")).asDateTime().date(), QDate(2024, 3, 15));
        EXPECT_EQ(control<QLabel>("lblDiaSemana")->text(), "Sexta-feira");
        EXPECT_EQ(value("IDTIPOLANCAF"), "M");
        EXPECT_EQ(value("IDTIPOEMITAF"), c.emitter);
        EXPECT_EQ(value("CDEMPRESA"), c.company);
        EXPECT_EQ(value("NMEMPRESA"), c.companyName);
        EXPECT_EQ(focused(), control("dbeCdFilDest"));
        // The list row follows the header; the header was not closed by the list's move.
        EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Insert);
        EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Insert);
        EXPECT_TRUE(control("dbeCDComp")->isEnabled());
        if (QLatin1String(c.emitter) == QLatin1String("2")) {
            leaveTo("dbdDtLanc");  // leaving the branch box keeps the company the parameters gave
            EXPECT_EQ(value("CDEMPRESA"), c.company);
            EXPECT_EQ(value("NMEMPRESA"), c.companyName);
        }
        EXPECT_TRUE(services->dialogs.errorsAre({}));
        discardWorkspace();
    }
}

TEST_P(HeaderNewAfTest, BranchModeFocusesTheDateAndKeepsTheBranchFixed) {
    afdb::exec(connection(), QStringLiteral("UPDATE OPERADOR SET CDFILIAL = :F WHERE CDOPERADOR = :OP"),
               {{"F", world.branch}, {"OP", world.buyer}});
    host::LoginInfo login = host::test::TestSession::defaultLogin();
    login.operador = world.buyer;
    login.filiProc = world.branch;
    login.moduFili = true;
    host::setSession(std::make_shared<host::test::TestSession>(login));
    openOnHeader();
    startInsert();
    EXPECT_EQ(focused(), control("dbdDtLanc"));
    EXPECT_FALSE(control("dbeCdFilDest")->isEnabled());
    EXPECT_FALSE(control("btnPesqFilDest")->isEnabled());
}

TEST_P(HeaderNewAfTest, PostOfANewAfReadsTheSupplierTermsInDayOrderAndMirrorsTheListRow) {
    openOnHeader();
    const int listed = w->state().cdsServAutoForne.recordCount();
    startInsert();
    fillValidHeader();
    leaveTo("dbeCDCob");
    clearCalls();
    ASSERT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
    EXPECT_TRUE(services->dialogs.errorsAre({}));
    EXPECT_EQ(calls(), (QStringList{"GetParCentCmp", "GetPrazoAF"}));
    EXPECT_TRUE(services->progress.history().contains("show 6 Recebendo prazos de pagamento do fornecedor..."))
        << services->progress.history().join("; ").toStdString();
    EXPECT_FALSE(services->progress.visible());
    EXPECT_EQ(w->state().header->headerTag(), 99);
    EXPECT_EQ(w->state().flags.fechaAFTag, 99);

    host::Dataset& terms = w->state().cdsPrazoPgtAF;
    ASSERT_EQ(terms.recordCount(), 2);
    terms.first();
    EXPECT_EQ(terms.field(QStringLiteral("NRDIASPGTOAF")).asFloat(), 30.0);
    EXPECT_EQ(terms.field(QStringLiteral("VRPERCPGTOAF")).asFloat(), 60.0);
    EXPECT_EQ(terms.field(QStringLiteral("CDFILDEST")).asString(), world.branch);
    EXPECT_EQ(terms.field(QStringLiteral("CDFILLANC")).asString(), world.branch);
    terms.next();
    EXPECT_EQ(terms.field(QStringLiteral("NRDIASPGTOAF")).asFloat(), 60.0);
    EXPECT_EQ(terms.field(QStringLiteral("VRPERCPGTOAF")).asFloat(), 40.0);
    for (host::Dataset* items : {&w->state().cdsItemAutf_Produto, &w->state().cdsItemAutF, &w->state().cdsImpostoAF, &w->state().cdsMensagensAF,
                                 &w->state().cdsDataEncargo, &w->state().cdsEncargo}) {
        EXPECT_TRUE(items->isEmpty()) << items->name().toStdString();
        EXPECT_EQ(items->changeCount(), 0) << items->name().toStdString();
    }

    const host::Dataset& list = w->state().cdsServAutoForne;
    EXPECT_EQ(list.state(), host::DatasetState::Insert);
    EXPECT_EQ(list.recordCount(), listed + 1);
    auto listed_ = [&](const char* f) { return list.field(QString::fromLatin1(f)).asString(); };
    EXPECT_EQ(listed_("CDFILDEST"), world.branch);
    EXPECT_EQ(listed_("NMRAZSOCFORN"), "Distribuidora Boa Ltda");
    EXPECT_EQ(list.field(QStringLiteral("DTAUTOFORN")).asDateTime().date(), QDate(2024, 3, 15));
    EXPECT_EQ(listed_("IDTIPOLANCAF"), "M");
    EXPECT_EQ(listed_("IDAUTOFORNEX"), "N");
    EXPECT_EQ(listed_("IDAFPILOTO"), "N");
}

TEST_P(HeaderNewAfTest, CancelledInsertOnTheHeaderTabReturnsToTheAfList) {
    openOnHeader();
    const int listed = w->state().cdsServAutoForne.recordCount();
    startInsert();
    w->state().flags.fechaAFTag = 99;  // as the insert's first post would have left it
    w->state().cdsAutoForne.cancel();
    kittest::settle();
    EXPECT_TRUE(w->state().header->insertCancelled());
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);
    EXPECT_EQ(focused(), w->state().dbgAutoForne);
    EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Browse);
    EXPECT_EQ(w->state().cdsServAutoForne.recordCount(), listed);
    EXPECT_EQ(w->state().flags.fechaAFTag, 0);
    EXPECT_TRUE(services->dialogs.errorsAre({}));
}

TEST_P(HeaderNewAfTest, CancelWithTheFocusInTheBuyerLeavesWithoutCheckingIt) {
    openOnHeader();
    startInsert();
    typeInto("dbeCDComp", QStringLiteral("NINGUEM"));
    w->state().cdsAutoForne.cancel();
    kittest::settle();
    EXPECT_TRUE(services->dialogs.errorsAre({}));  // the unknown buyer typed is never checked
    EXPECT_EQ(w->activeTab(), WorkspaceTab::AF);
}

TEST_P(HeaderNewAfTest, AlteredHeaderIsMirroredAndMarksTheAutomaticSettlement) {
    // The world's AF, automatic and of a supplier that receives AFs by EDI ("2").
    afdb::exec(connection(), QStringLiteral("UPDATE AUTOFORNE SET IDTIPOLANCAF = 'A'"), {});
    afdb::exec(connection(), QStringLiteral("UPDATE FORNECEDOR SET IDTPENVAFFOR = '2'"), {});
    struct Case {
        bool settling;  // boEmBaixa
        const char* mark;
    };
    for (const Case c : {Case{false, "7"}, Case{true, ""}}) {
        SCOPED_TRACE(c.settling);
        openOnHeader();
        ASSERT_FALSE(w->state().cdsAutoForne.isEmpty());
        w->state().header->boEmBaixa = c.settling;
        auto* extra = control<QCheckBox>("chbExtra");
        w->state().cdsAutoForne.edit();
        EXPECT_EQ(w->state().cdsServAutoForne.state(), host::DatasetState::Edit);  // the list row follows
        extra->setChecked(true);
        ASSERT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
        EXPECT_EQ(value("IDBAIXAAF"), c.mark);
        EXPECT_EQ(value("IDAUTOFORNEX"), "S");
        EXPECT_EQ(w->state().header->headerTag(), 0);
        EXPECT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("IDAUTOFORNEX")).asString(), "S");
        EXPECT_EQ(w->state().cdsServAutoForne.field(QStringLiteral("IDBAIXAAF")).asString(), c.mark);
        discardWorkspace();
    }
}

TEST_P(HeaderNewAfTest, ChangingThePayableTypeOfAnAfMakesTheNextConfirmCloseIt) {
    openOnHeader();
    w->state().flags.fechaAFTag = 0;
    w->state().cdsAutoForne.edit();
    ASSERT_TRUE(post());
    EXPECT_EQ(w->state().flags.fechaAFTag, 0);  // nothing changed

    w->state().cdsAutoForne.edit();
    w->state().cdsAutoForne.field(QStringLiteral("CDTPCTPAGAR")).setAsString(QStringLiteral("1"));
    leaveTo("dbeCDCob");
    ASSERT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
    EXPECT_EQ(value("CDTPCTPAGAR"), "000001");
    EXPECT_EQ(value("DSTPCTPAGAR"), "Fornecedores");
    EXPECT_EQ(w->state().flags.fechaAFTag, 99);
}

TEST_P(HeaderNewAfTest, TermsOfAnAfNoLongerPaidByFormAreRemovedAsChangesOnPost) {
    afdb::exec(connection(), QStringLiteral("UPDATE AUTOFORNE SET IDTPFORPGTAF = 'V'"), {});
    openOnHeader();
    w->selectTab(WorkspaceTab::FormaPgto);  // loads the AF's terms
    kittest::settle();
    ASSERT_TRUE(w->state().cdsPrazoPgtAF.active());
    ASSERT_EQ(w->state().cdsPrazoPgtAF.recordCount(), 1);
    w->selectTab(WorkspaceTab::DadosAF);
    kittest::settle();
    w->state().cdsAutoForne.edit();
    ASSERT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
    EXPECT_EQ(w->state().cdsPrazoPgtAF.recordCount(), 1);  // still paid by form: the terms stay

    w->state().cdsAutoForne.edit();
    w->state().cdsAutoForne.field(QStringLiteral("IDTPFORPGTAF")).setAsString(QStringLiteral("F"));
    ASSERT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
    EXPECT_TRUE(w->state().cdsPrazoPgtAF.isEmpty());
    EXPECT_EQ(w->state().cdsPrazoPgtAF.changeCount(), 1);  // the removal travels with the save
}

TEST_P(HeaderNewAfTest, CheckBoxesFollowTheListRowAndTickingOneStartsAnAlteration) {
    afdb::exec(connection(), QStringLiteral("UPDATE AUTOFORNE SET IDAUTOFORNEX = 'S', IDAFPILOTO = 'N', IDAFOPERLOG = '2'"), {});
    openOnHeader();
    auto* extra = control<QCheckBox>("chbExtra");
    auto* pilot = control<QCheckBox>("chbAfPiloto");
    EXPECT_TRUE(control<QCheckBox>("chbOL")->isChecked());  // IDAFOPERLOG "2"

    // Ticking "AF Piloto" alters the header only where altering is allowed.
    w->setToolEnabled(kit::StandardGridScreen::Tool::Alterar, false);
    QTest::mouseClick(pilot, Qt::LeftButton);
    kittest::settle();
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Browse);
    EXPECT_FALSE(pilot->isChecked());
    w->setToolEnabled(kit::StandardGridScreen::Tool::Alterar, true);
    QTest::mouseClick(pilot, Qt::LeftButton);
    kittest::settle();
    EXPECT_EQ(w->state().cdsAutoForne.state(), host::DatasetState::Edit);
    EXPECT_TRUE(pilot->isChecked());

    // A cancel puts both boxes back as the list row has them.
    extra->setChecked(false);
    w->state().cdsAutoForne.cancel();
    kittest::settle();
    EXPECT_TRUE(extra->isChecked());
    EXPECT_FALSE(pilot->isChecked());
    EXPECT_EQ(w->activeTab(), WorkspaceTab::DadosAF);  // only a new AF goes back to the list
}

TEST_P(HeaderNewAfTest, NewAfPostWorksOverHttpToo) {
    useServer(Transport::Http);
    openOnHeader();
    startInsert();
    fillValidHeader();
    leaveTo("dbeCDCob");
    ASSERT_TRUE(post()) << services->dialogs.errors().join("; ").toStdString();
    EXPECT_EQ(w->state().cdsPrazoPgtAF.recordCount(), 2);
    EXPECT_FALSE(control("chbOL")->isEnabled());  // the server's branch check: no logistic operator
}

AFDB_INSTANTIATE_ON_ENGINES(HeaderNewAfTest);

}  // namespace
}  // namespace afdesk::testing
