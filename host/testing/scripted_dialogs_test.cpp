#include "host/testing/scripted_dialogs.h"

#include "host/testing/qt_printers.h"
#include "host/data/errors.h"
#include "host/testing/test_services.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace host;
using host::test::ScriptedDialogs;

namespace {

PickList suppliers(bool multiple = false) {
    PickList l;
    l.title = QStringLiteral("Fornecedor");
    l.headers = {QStringLiteral("Código"), QStringLiteral("Nome")};
    l.rows = {{QStringLiteral("001"), {QStringLiteral("001"), QStringLiteral("Alfa")}},
              {QStringLiteral("002"), {QStringLiteral("002"), QStringLiteral("Beta")}}};
    l.emptyText = QStringLiteral("Não há fornecedor cadastrado.");
    l.multiple = multiple;
    return l;
}

// ScriptedDialogs calls ADD_FAILURE; EXPECT_NONFATAL_FAILURE needs statements
// that only touch static or global objects, hence these.
ScriptedDialogs* g_dialogs = nullptr;
int g_result = 0;
QStringList g_picked;

class ScriptedDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { g_dialogs = &dialogs; }
    void TearDown() override { g_dialogs = nullptr; }
    ScriptedDialogs dialogs;
};

TEST_F(ScriptedDialogsTest, RecordsEverythingInOrder) {
    dialogs.answer(kYes).choose({QStringLiteral("002")});
    dialogs.showError(QStringLiteral("Erro 1"));
    dialogs.showMessage(MessageKind::Warning, QStringLiteral("Aviso"));
    dialogs.showMessage(MessageKind::Error, QStringLiteral("Erro 2"));
    EXPECT_EQ(dialogs.ask(MessageKind::Confirmation, QStringLiteral("Confirma?"), QuestionButtons::YesNo), kYes);
    EXPECT_EQ(dialogs.pick(suppliers()), QStringList{QStringLiteral("002")});

    ASSERT_EQ(dialogs.shown().size(), 5u);
    EXPECT_EQ(dialogs.shown()[3].type, test::ShownDialog::Question);
    EXPECT_EQ(dialogs.shown()[3].answer, kYes);
    EXPECT_EQ(dialogs.shown()[4].picked, QStringList{QStringLiteral("002")});
    EXPECT_TRUE(dialogs.errorsAre({QStringLiteral("Erro 1"), QStringLiteral("Erro 2")}));
    EXPECT_TRUE(dialogs.messagesAre({QStringLiteral("Aviso")}));
    EXPECT_TRUE(dialogs.questionsAre({QStringLiteral("Confirma?")}));
    ASSERT_EQ(dialogs.pickLists().size(), 1u);
    EXPECT_EQ(dialogs.pickLists()[0].title, QStringLiteral("Fornecedor"));
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
}

TEST_F(ScriptedDialogsTest, AssertionsReportTheDifference) {
    dialogs.showError(QStringLiteral("Filial não cadastrada."));
    const ::testing::AssertionResult r = dialogs.errorsAre({QStringLiteral("Comprador não cadastrado.")});
    EXPECT_FALSE(r);
    EXPECT_NE(std::string(r.message()).find("Filial não cadastrada."), std::string::npos);
    EXPECT_NE(std::string(r.message()).find("Comprador não cadastrado."), std::string::npos);
}

TEST_F(ScriptedDialogsTest, UnexpectedQuestionFailsAndAnswersNo) {
    EXPECT_NONFATAL_FAILURE(g_result = g_dialogs->ask(MessageKind::Confirmation, QStringLiteral("Confirma exclusão?"),
                                                      QuestionButtons::YesNo),
                            "unexpected question \"Confirma exclusão?\"");
    EXPECT_EQ(g_result, kNo);
    EXPECT_TRUE(dialogs.questionsAre({QStringLiteral("Confirma exclusão?")}));
}

TEST_F(ScriptedDialogsTest, UnexpectedPickListFailsAndCancels) {
    g_picked = {QStringLiteral("x")};
    EXPECT_NONFATAL_FAILURE(g_picked = g_dialogs->pick(suppliers()), "unexpected pick list \"Fornecedor\"");
    EXPECT_TRUE(g_picked.isEmpty());
}

TEST_F(ScriptedDialogsTest, QuestionWhereAPickIsScriptedFails) {
    dialogs.choose({QStringLiteral("001")});
    EXPECT_NONFATAL_FAILURE(
        g_result = g_dialogs->ask(MessageKind::Confirmation, QStringLiteral("Confirma?"), QuestionButtons::YesNo),
        "where the script expects choose [001]");
    EXPECT_EQ(g_result, kNo);
    EXPECT_EQ(dialogs.pendingAnswers(), 1);  // the pick stays for the list still to come
    EXPECT_EQ(dialogs.pick(suppliers()), QStringList{QStringLiteral("001")});
}

TEST_F(ScriptedDialogsTest, ExpectedTextsAreChecked) {
    dialogs.answer(kYes, QStringLiteral("Confirma exclusão?"));
    EXPECT_NONFATAL_FAILURE(
        g_result = g_dialogs->ask(MessageKind::Confirmation, QStringLiteral("Cancelar operação?"), QuestionButtons::YesNo),
        "answer Yes to \"Confirma exclusão?\"");
    EXPECT_EQ(g_result, kNo);

    dialogs.choose({QStringLiteral("001")}, QStringLiteral("Comprador"));
    EXPECT_NONFATAL_FAILURE(g_picked = g_dialogs->pick(suppliers()), "to \"Comprador\"");
    EXPECT_TRUE(g_picked.isEmpty());
}

TEST_F(ScriptedDialogsTest, PickedCodesMustBeRowsOfTheList) {
    dialogs.choose({QStringLiteral("999")});
    EXPECT_NONFATAL_FAILURE(g_picked = g_dialogs->pick(suppliers()), "has no row \"999\"");
    EXPECT_TRUE(g_picked.isEmpty());

    dialogs.choose({QStringLiteral("001"), QStringLiteral("002")});
    EXPECT_NONFATAL_FAILURE(g_picked = g_dialogs->pick(suppliers(false)), "takes one row");
    dialogs.choose({QStringLiteral("001"), QStringLiteral("002")});
    EXPECT_EQ(dialogs.pick(suppliers(true)), (QStringList{QStringLiteral("001"), QStringLiteral("002")}));
}

TEST_F(ScriptedDialogsTest, OkOnlyQuestionsAndEmptyListsNeedNoScript) {
    EXPECT_EQ(dialogs.ask(MessageKind::Information, QStringLiteral("AF gravada."), QuestionButtons::Ok), kYes);
    PickList empty = suppliers();
    empty.rows.clear();
    EXPECT_TRUE(dialogs.pick(empty).isEmpty());
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(ScriptedDialogsTest, CancelPickReturnsNothing) {
    dialogs.cancelPick();
    EXPECT_TRUE(dialogs.pick(suppliers()).isEmpty());
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
}

TEST_F(ScriptedDialogsTest, OnlyYesOrNoCanBeScripted) {
    EXPECT_NONFATAL_FAILURE(g_dialogs->answer(1), "must be kYes (6) or kNo (7)");
    EXPECT_EQ(dialogs.pendingAnswers(), 0);
}

const QStringList kReportChoice = {QStringLiteral("&Todas"), QStringLiteral("&Não informadas"),
                                   QStringLiteral("&Cancelar")};
std::optional<QString> g_password;

TEST_F(ScriptedDialogsTest, ChoiceQuestionsAnswerWithTheIndexOfThePressedButton) {
    dialogs.press(QStringLiteral("&Não informadas"), QStringLiteral("Imprimir quais AFs?")).press(QString());
    EXPECT_EQ(dialogs.askChoice(MessageKind::Confirmation, QStringLiteral("Imprimir quais AFs?"), kReportChoice), 1);
    EXPECT_EQ(dialogs.askChoice(MessageKind::Confirmation, QStringLiteral("De novo?"), kReportChoice), -1);
    EXPECT_TRUE(dialogs.questionsAre({QStringLiteral("Imprimir quais AFs?"), QStringLiteral("De novo?")}));
    EXPECT_EQ(dialogs.shown()[0].buttonTexts, kReportChoice);
    EXPECT_EQ(dialogs.shown()[0].answer, 1);

    dialogs.press(QStringLiteral("&Sim"));
    EXPECT_NONFATAL_FAILURE(
        g_result = g_dialogs->askChoice(MessageKind::Confirmation, QStringLiteral("Imprimir?"), kReportChoice),
        "has no button \"&Sim\"");
    EXPECT_EQ(g_result, -1);

    dialogs.answer(kYes);
    EXPECT_NONFATAL_FAILURE(
        g_result = g_dialogs->askChoice(MessageKind::Confirmation, QStringLiteral("Imprimir?"), kReportChoice),
        "where the script expects answer Yes");
    EXPECT_EQ(g_result, -1);
    EXPECT_EQ(dialogs.pendingAnswers(), 1);  // kept for the yes/no question still to come
    EXPECT_EQ(dialogs.ask(MessageKind::Confirmation, QStringLiteral("Sim?"), QuestionButtons::YesNo), kYes);
}

TEST_F(ScriptedDialogsTest, PasswordPromptsTakeTheScriptedPasswordOrCancel) {
    dialogs.typePassword(QStringLiteral("segredo"), QStringLiteral("Confirmação")).typePassword(std::nullopt);
    EXPECT_EQ(dialogs.askPassword(QStringLiteral("Confirmação"), QStringLiteral("Senha de MARIA:")),
              std::optional<QString>(QStringLiteral("segredo")));
    EXPECT_EQ(dialogs.askPassword(QStringLiteral("Confirmação"), QStringLiteral("Senha:")), std::nullopt);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[0].type, test::ShownDialog::Password);
    EXPECT_EQ(dialogs.shown()[0].label, QStringLiteral("Senha de MARIA:"));

    g_password = QStringLiteral("x");
    EXPECT_NONFATAL_FAILURE(g_password = g_dialogs->askPassword(QStringLiteral("Senha"), QString()),
                            "unexpected password prompt \"Senha\"");
    EXPECT_EQ(g_password, std::nullopt);
}

// TestServices: end-of-test checks.
std::optional<test::TestServices> g_services;

TEST(TestServices, InstallsAndRemovesTheServices) {
    {
        test::TestServices services;
        dialogs().showError(QStringLiteral("Erro"));
        EXPECT_EQ(services.dialogs.errors(), QStringList{QStringLiteral("Erro")});
        EXPECT_EQ(session().FiliProc(), QStringLiteral("0001"));
        EXPECT_EQ(session().DataProc(QStringLiteral("0001")), test::TestSession::defaultDataProc());
        progress().ActiveShowAvi(nullptr, kAviTransfer);
        progress().DeactiveShowAvi();
    }
    EXPECT_THROW(dialogs().showError(QStringLiteral("Erro")), DataError);
    EXPECT_THROW(session(), DataError);
    EXPECT_THROW(progress(), DataError);
}

TEST(TestServices, UnusedAnswersFailTheTest) {
    g_services.emplace();
    g_services->dialogs.answer(kYes, QStringLiteral("Confirma exclusão?"));
    EXPECT_NONFATAL_FAILURE(g_services.reset(), "scripted answers never asked for: answer Yes to \"Confirma exclusão?\"");
}

TEST(TestServices, AnimationLeftVisibleFailsTheTest) {
    g_services.emplace();
    progress().ActiveShowAvi(nullptr, kAviTransfer, QStringLiteral("Carregando..."));
    EXPECT_NONFATAL_FAILURE(g_services.reset(), "the progress animation was left visible (\"Carregando...\")");
}

TEST(TestServices, ChecksCanBeWaived) {
    test::TestServices services;
    services.dialogs.answer(kNo);
    progress().ActiveShowAvi(nullptr, kAviTransfer);
    services.allowUnusedAnswers();
    services.allowProgressLeftVisible();
}

TEST(TestSession, RecordsShellCallsAndDatesPerBranch) {
    test::TestSession s;
    s.setDataProc(QStringLiteral("0002"), QDate(2024, 1, 31));
    EXPECT_EQ(s.DataProc(QStringLiteral("2")), QDate(2024, 1, 31));
    s.setDataProc(QStringLiteral("0002"), QDate());
    EXPECT_THROW(s.DataProc(QStringLiteral("0002")), UserError);
    s.LoadBPL(QStringLiteral("CMP06000"), {1, 2});
    s.AtualizaLocalCache({QStringLiteral("INCIDENCIA")}, {}, 0, QStringLiteral("0001"));
    ASSERT_EQ(s.loadBplCalls().size(), 1u);
    EXPECT_EQ(s.loadBplCalls()[0].screenCode, QStringLiteral("CMP06000"));
    ASSERT_EQ(s.cacheCalls().size(), 1u);
    EXPECT_EQ(s.cacheCalls()[0].tables, QStringList{QStringLiteral("INCIDENCIA")});
    EXPECT_EQ(s.cacheCalls()[0].branch, QStringLiteral("0001"));
}

}  // namespace
