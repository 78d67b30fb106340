#include "platform/shell/app_services.h"

#include "host/data/errors.h"
#include "host/services/progress.h"
#include "platform/kit/qt_dialog_service.h"
#include "platform/kit/qt_progress.h"

#include <gtest/gtest.h>

namespace shell {
namespace {

TEST(AppServices, InstallsQtDialogsAndTheKitsProgressForTheirLife) {
    {
        const AppServices services(false);
        EXPECT_EQ(services.console(), nullptr);
        EXPECT_NE(dynamic_cast<kit::QtDialogService*>(&host::dialogs()), nullptr);
        EXPECT_NE(dynamic_cast<kit::QtProgressService*>(&host::progress()), nullptr);
    }
    EXPECT_THROW(host::progress(), host::DataError);
}

TEST(AppServices, UnattendedRunsSendMessagesToTheConsole) {
    const AppServices services(true);
    ASSERT_NE(services.console(), nullptr);
    EXPECT_EQ(&host::dialogs(), services.console());
    host::dialogs().showError(QStringLiteral("Módulo afdesk não encontrado: /x/libafdesk.so"));
    EXPECT_EQ(services.console()->errorCount(), 1);
    EXPECT_NE(dynamic_cast<kit::QtProgressService*>(&host::progress()), nullptr);
}

}  // namespace
}  // namespace shell
