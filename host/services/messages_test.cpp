#include "host/services/messages.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "host/testing/test_services.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

TMessages workspaceTable() {
    return TMessages(QStringLiteral("msgLancaAutoF"),
                     {
                         QStringLiteral("Prod_Est|Produto não cadastrado no estoque."),
                         QStringLiteral("Inclusao_Item|Inclusão de item"),
                         QStringLiteral("Transf_Encargo|Existem encargos no dia %s, que serão excluidos.\r\n"
                                        "Deseja transferí-los para o dia %s?"),
                         QStringLiteral("Preco_Utilizado| maior que o último preço utilizado (unidade de estoque) "),
                         QStringLiteral("Soma_Prazo|Soma do(s) percentual(is) do(s) prazo(s) de pagamento deve "
                                        "totalizar 100%."),
                         QStringLiteral(" Espacos |a|b"),
                     });
}

TEST(TMessages, KeysMatchWithoutRegardToCase) {
    const TMessages t = workspaceTable();
    EXPECT_EQ(t.Msg(QStringLiteral("Prod_est")), QStringLiteral("Produto não cadastrado no estoque."));
    EXPECT_EQ(t.Msg(QStringLiteral("INCLUSAO_ITEM")), QStringLiteral("Inclusão de item"));
    EXPECT_TRUE(t.contains(QStringLiteral("inclusao_item")));
    EXPECT_FALSE(t.contains(QStringLiteral("Inclusao")));
}

TEST(TMessages, TextsAreKeptExactly) {
    const TMessages t = workspaceTable();
    EXPECT_EQ(t.Msg(QStringLiteral("Preco_Utilizado")),
              QStringLiteral(" maior que o último preço utilizado (unidade de estoque) "));
    EXPECT_EQ(t.Msg(QStringLiteral("Espacos")), QStringLiteral("a|b"));  // key trimmed, text after the first bar
    EXPECT_EQ(t.keys(), (QStringList{QStringLiteral("Prod_Est"), QStringLiteral("Inclusao_Item"),
                                     QStringLiteral("Transf_Encargo"), QStringLiteral("Preco_Utilizado"),
                                     QStringLiteral("Soma_Prazo"), QStringLiteral("Espacos")}));
}

TEST(TMessages, MissingKeyNamesKeyAndTable) {
    const TMessages t = workspaceTable();
    try {
        t.Msg(QStringLiteral("Nao_Existe"));
        FAIL() << "expected DataError";
    } catch (const DataError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("A mensagem \"Nao_Existe\" não existe na tabela de mensagens \"msgLancaAutoF\"."));
    }
}

TEST(TMessages, RefusesMalformedTables) {
    const auto build = [](QStringList lines) { TMessages(QStringLiteral("msgT"), lines); };
    EXPECT_THROW(build({QStringLiteral("Excl|A"), QStringLiteral("EXCL|B")}), DataError);  // duplicate, any case
    EXPECT_THROW(build({QStringLiteral("Sem barra")}), DataError);
    EXPECT_THROW(build({QStringLiteral(" |texto")}), DataError);
    try {
        build({QStringLiteral("A|1"), QStringLiteral("Excl|A"), QStringLiteral("excl|B")});
        FAIL() << "expected DataError";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"excl\""))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"msgT\""))) << e.what();
    }
}

TEST(TMessages, FromTextReadsLinesAndEscapes) {
    const TMessages t = TMessages::fromText(QStringLiteral("msgArq"),
                                            QStringLiteral("Af_Duplic|Podem existir itens.\\r\\nDeseja atualizar?\r\n"
                                                           "\n"
                                                           "Dir|C:\\Temp\\\\novo\n"));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.Msg(QStringLiteral("af_duplic")), QStringLiteral("Podem existir itens.\r\nDeseja atualizar?"));
    EXPECT_EQ(t.Msg(QStringLiteral("Dir")), QStringLiteral("C:\\Temp\\novo"));  // "\T" is no escape
    try {
        TMessages::fromText(QStringLiteral("msgArq"), QStringLiteral("A|1\n\nsem barra\n"));
        FAIL() << "expected DataError";
    } catch (const DataError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("linha 3"))) << e.what();
    }
}

TEST(TMessages, FormatFillsPlaceholdersInOrder) {
    const TMessages t = workspaceTable();
    EXPECT_EQ(t.format(QStringLiteral("transf_encargo"), QStringLiteral("05/04/2024"), QStringLiteral("%s")),
              QStringLiteral("Existem encargos no dia 05/04/2024, que serão excluidos.\r\n"
                             "Deseja transferí-los para o dia %s?"));  // a value is not expanded again
    EXPECT_EQ(t.Msg(QStringLiteral("Soma_Prazo")).right(5), QStringLiteral("100%."));
    EXPECT_EQ(t.format(QStringLiteral("Soma_Prazo"), QStringList()),
              QStringLiteral("Soma do(s) percentual(is) do(s) prazo(s) de pagamento deve totalizar 100%."));
    EXPECT_THROW(t.format(QStringLiteral("Transf_Encargo"), QStringLiteral("05/04/2024")), DataError);
    EXPECT_THROW(t.format(QStringLiteral("Prod_Est"), QStringLiteral("x")), DataError);
}

TEST(FormatMessage, PlaceholderRules) {
    EXPECT_EQ(formatMessage(QStringLiteral("AF Nº %s da Filial %s"), {QStringLiteral("123"), QStringLiteral("0001")}),
              QStringLiteral("AF Nº 123 da Filial 0001"));
    EXPECT_EQ(formatMessage(QStringLiteral("%S e %%s"), {QStringLiteral("x")}), QStringLiteral("x e %s"));
    EXPECT_EQ(formatMessage(QStringLiteral("50% de %s"), {QStringLiteral("desconto")}),
              QStringLiteral("50% de desconto"));
    EXPECT_EQ(formatMessage(QStringLiteral("fim %"), {}), QStringLiteral("fim %"));
    EXPECT_THROW(formatMessage(QStringLiteral("%s %s"), {QStringLiteral("a")}), DataError);
}

TEST(TMessages, FormatAcceptsNumbers) {
    const TMessages t(QStringLiteral("msgT"), {QStringLiteral("Linha|Linha %s de %s")});
    EXPECT_EQ(t.format(QStringLiteral("Linha"), 3, qint64(10)), QStringLiteral("Linha 3 de 10"));
}

TEST(TMessages, TemporaryEntries) {
    TMessages t = workspaceTable();
    t.add(QStringLiteral("msgCopy"), QStringLiteral("Copiar a justificativa \"X\" para"));
    EXPECT_EQ(t.Msg(QStringLiteral("MSGCOPY")), QStringLiteral("Copiar a justificativa \"X\" para"));
    EXPECT_THROW(t.add(QStringLiteral("MsgCopy"), QStringLiteral("outro")), DataError);
    EXPECT_TRUE(t.remove(QStringLiteral("msgcopy")));
    EXPECT_FALSE(t.remove(QStringLiteral("msgCopy")));
    EXPECT_THROW(t.Msg(QStringLiteral("msgCopy")), DataError);
}

TEST(StandardMessages, TextsOfTheStandardTable) {
    const TMessages t = standardMessages();
    EXPECT_EQ(t.Msg(QStringLiteral("Excl")), QStringLiteral("Confirma exclusão?"));
    EXPECT_EQ(t.Msg(QStringLiteral("Canc")), QStringLiteral("Cancelar operação?"));
    EXPECT_EQ(t.Msg(QStringLiteral("Imprime_Obs")), QStringLiteral("Exibe observação do produto?"));
    EXPECT_EQ(t.Msg(QStringLiteral("Sim")), QStringLiteral("Sim"));
    EXPECT_EQ(t.Msg(QStringLiteral("Nao")), QStringLiteral("Não"));
}

class ShowMsgTest : public ::testing::Test {
protected:
    test::TestServices services;
    TMessages table = workspaceTable();
};

TEST_F(ShowMsgTest, QuestionsReturnTheScriptedButton) {
    const TMessages std = standardMessages();
    services.dialogs.answer(kYes, QStringLiteral("Confirma exclusão?")).answer(kNo);
    EXPECT_EQ(std.ShowMsg(QStringLiteral("excl"), MessageKind::Confirmation, QuestionButtons::YesNo), kYes);
    EXPECT_EQ(table.ShowMsg(QStringLiteral("Transf_Encargo"), MessageKind::Confirmation, QuestionButtons::YesNo,
                            {QStringLiteral("05/04/2024"), QStringLiteral("06/04/2024")}),
              kNo);
    EXPECT_TRUE(services.dialogs.questionsAre(
        {QStringLiteral("Confirma exclusão?"), QStringLiteral("Existem encargos no dia 05/04/2024, que serão "
                                                              "excluidos.\r\nDeseja transferí-los para o dia 06/04/2024?")}));
}

TEST_F(ShowMsgTest, NoticesNeedNoAnswer) {
    EXPECT_EQ(table.ShowMsg(QStringLiteral("Inclusao_Item"), MessageKind::Information), kYes);
    EXPECT_EQ(table.ShowMsg(QStringLiteral("Prod_Est"), MessageKind::Error), kYes);
    EXPECT_TRUE(services.dialogs.messagesAre({QStringLiteral("Inclusão de item")}));
    EXPECT_TRUE(services.dialogs.errorsAre({QStringLiteral("Produto não cadastrado no estoque.")}));
}

TEST_F(ShowMsgTest, MissingKeyShowsNothing) {
    EXPECT_THROW(table.ShowMsg(QStringLiteral("Nao_Existe"), MessageKind::Error), DataError);
    EXPECT_TRUE(services.dialogs.shown().empty());
}

}  // namespace
