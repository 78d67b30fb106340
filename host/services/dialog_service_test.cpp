#include "host/services/dialog_service.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "host/testing/scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

TEST(DialogServiceAccessor, WithoutServiceEveryDialogFailsNamingItsText) {
    setDialogService(nullptr);
    const auto messageOf = [](auto call) {
        try {
            call();
        } catch (const DataError& e) {
            return e.message();
        }
        return QStringLiteral("<no error>");
    };
    EXPECT_TRUE(messageOf([] { dialogs().showError(QStringLiteral("Filial não cadastrada.")); })
                    .contains(QStringLiteral("\"Filial não cadastrada.\"")));
    EXPECT_TRUE(messageOf([] { dialogs().showMessage(MessageKind::Information, QStringLiteral("AF gravada.")); })
                    .contains(QStringLiteral("AF gravada.")));
    EXPECT_TRUE(messageOf([] {
                    dialogs().ask(MessageKind::Confirmation, QStringLiteral("Confirma exclusão?"), QuestionButtons::YesNo);
                }).contains(QStringLiteral("Confirma exclusão?")));
    EXPECT_TRUE(messageOf([] {
                    PickList list;
                    list.title = QStringLiteral("Fornecedor");
                    dialogs().pick(list);
                }).contains(QStringLiteral("Fornecedor")));
}

TEST(DialogServiceAccessor, InstalledServiceIsUsedUntilRemoved) {
    auto scripted = std::make_shared<test::ScriptedDialogs>();
    setDialogService(scripted);
    dialogs().showError(QStringLiteral("Erro"));
    EXPECT_EQ(scripted->errors(), QStringList{QStringLiteral("Erro")});
    setDialogService(nullptr);
    EXPECT_THROW(dialogs().showError(QStringLiteral("Erro")), DataError);
    EXPECT_EQ(scripted->errors().size(), 1);
}

}  // namespace
