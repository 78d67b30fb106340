#pragma once
// The workspace against the real server: the minimal world with its AFs, the
// host services of tests, a session of the buyer in branch 0002, a screen host
// that shows screens as top-level windows, and the operator's saved options in
// a temporary directory. Each test opens the workspace itself.
#include "afdesk/core/workspace/workspace_state.h"

#include "platform/server/modules/testing/host_server_fixture.h"
#include "platform/server/modules/testing/lanca_autof_test_support.h"

#include "host/testing/test_services.h"

#include <QtCore/QTemporaryDir>
#include <functional>
#include <memory>

class QAbstractButton;

namespace afdesk::testing {

using platform::server::modules::testing::HostServerFixture;
using platform::server::modules::testing::Transport;

class WorkspaceTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void useServer(Transport transport);
    // Runs SQL on the test database (fixture changes before opening).
    void sql(const QString& statement);

    // CriaLancaAutoF with the filter dialog confirmed (or cancelled) at the first activation.
    LancaAutoF& open(bool confirmFilter = true);
    // The same with the dialog driven by `act` (which must close it).
    LancaAutoF& openWith(const std::function<void(QWidget* dialog)>& act);
    // "Filtrar" on the open workspace, the dialog driven by `act`.
    void filtrar(const std::function<void(QWidget* dialog)>& act);
    // Drives the filter dialog once it is on screen.
    static void whenFilterShown(const std::function<void(QWidget* dialog)>& act);
    // Runs events until the first activation and its filter dialog are over.
    static void settleUntilFilterClosed();
    // Presses the dialog's button by object name ("sbtConfirma", "sbtCancela").
    static void pressDialogButton(QWidget* dialog, const char* name);

    // Deletes the workspace and its filter, as a library loaded afresh would have none.
    void discardWorkspace();
    // Moves the AF list to the AF of that number (1 to 5) in the branch shown.
    void gotoAf(int number);
    // The host session of an operator (named `name`, else by the code) in the world's branch.
    void loginAs(const QString& operatorCode, const QString& name = {});
    // The workspace open (filter confirmed) on the list of the world's branch, AF `number` current.
    void openOnAf(int number);
    // Makes a branch current in the branch list.
    void gotoBranch(const QString& branch);
    // Clicks a tab the way the user does (with a sender).
    void clickTab(WorkspaceTab tab);

    QStringList calls() const { return server->calls(); }
    void clearCalls() {
        server->clearCalls();
        services->progress.clearHistory();
    }

    afdb::testing::MinimalWorld world;
    std::unique_ptr<host::test::TestServices> services;
    std::unique_ptr<HostServerFixture> server;
    LancaAutoF* w = nullptr;

private:
    QTemporaryDir m_options;
};

}  // namespace afdesk::testing
