// The workspace tests' fixture (named *_test.cpp so that it builds into the test program only).
#include "afdesk/core/workspace/workspace_fixture.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/workspace/workspace_module.h"

#include "host/services/screen_host.h"
#include "host/testing/test_session.h"
#include "platform/db/sql_exec.h"
#include "platform/kit/test_support.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <memory>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>

namespace afdesk::testing {

namespace {

// Screens as top-level windows, active once shown.
class TopLevelScreenHost : public host::ScreenHost {
public:
    QWidget* mainWindow() override { return nullptr; }
    void showScreen(QWidget* screen) override { kittest::showActive(screen); }
};

}  // namespace

void WorkspaceTest::SetUp() {
    MigratedEngineTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    world = afdb::testing::seedMinimalWorld(connection());
    platform::server::modules::testing::seedLancaAutoFAfs(connection(), world);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_options.path());
    services = std::make_unique<host::test::TestServices>();
    loginAs(world.buyer, QStringLiteral("Comprador Um"));
    host::setScreenHost(std::make_shared<TopLevelScreenHost>());
    server = std::make_unique<HostServerFixture>(database());
    useServer(Transport::InProcess);
    resetFilterState();
    resetWorkspaceState();
}

void WorkspaceTest::TearDown() {
    // A dialog that never came must not be waited for by the next test.
    for (QTimer* poll : qApp->findChildren<QTimer*>(QStringLiteral("wsFilterPoll"), Qt::FindDirectChildrenOnly)) {
        ADD_FAILURE() << "o filtro de AF esperado não apareceu";
        delete poll;
    }
    resetWorkspaceState();
    resetFilterState();
    kittest::settle();
    host::setScreenHost(nullptr);
    server.reset();
    services.reset();
    MigratedEngineTest::TearDown();
}

void WorkspaceTest::useServer(Transport transport) {
    server->useServer(transport, world.buyer, QStringLiteral("Comprador Um"));
}

void WorkspaceTest::sql(const QString& statement) { afdb::exec(connection(), statement, {}); }

void WorkspaceTest::pressDialogButton(QWidget* dialog, const char* name) {
    auto* b = dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

LancaAutoF& WorkspaceTest::open(bool confirmFilter) {
    return openWith([confirmFilter](QWidget* d) { pressDialogButton(d, confirmFilter ? "sbtConfirma" : "sbtCancela"); });
}

void WorkspaceTest::whenFilterShown(const std::function<void(QWidget* dialog)>& act) {
    // The dialog opens once the workspace is active, which may happen while
    // the screen is being shown: poll for it instead of a one-off timer.
    auto* poll = new QTimer(qApp);
    poll->setObjectName(QStringLiteral("wsFilterPoll"));
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, waited, act] {
        auto* d = dynamic_cast<FiltroAF*>(QApplication::activeModalWidget());
        if (!d && waited->elapsed() < 10000) return;
        poll->stop();
        poll->deleteLater();
        if (!d) {
            ADD_FAILURE() << "o filtro de AF não apareceu";
            return;
        }
        act(d);
        if (d->isVisible()) d->reject();
    });
    poll->start(5);
}

LancaAutoF& WorkspaceTest::openWith(const std::function<void(QWidget* dialog)>& act) {
    whenFilterShown(act);
    CriaLancaAutoF();
    settleUntilFilterClosed();
    w = lancaAutoF();
    EXPECT_NE(w, nullptr);
    // The offscreen platform leaves the activation with the closed dialog; a
    // window manager gives it back to the screen.
    if (w) kittest::showActive(w);
    return *w;
}

void WorkspaceTest::settleUntilFilterClosed() {
    QElapsedTimer waited;
    waited.start();
    do kittest::settle();
    while (waited.elapsed() < 10000 && (filterState().boFilCriado || (lancaAutoF() && lancaAutoF()->state().flags.firstActivation)));
}

void WorkspaceTest::filtrar(const std::function<void(QWidget* dialog)>& act) {
    whenFilterShown(act);
    w->toolAction(WorkspaceTool::Filtrar)->trigger();
    settleUntilFilterClosed();
    kittest::showActive(w);
}

void WorkspaceTest::discardWorkspace() {
    resetWorkspaceState();
    resetFilterState();
    kittest::settle();
    w = nullptr;
}

void WorkspaceTest::gotoAf(int number) {
    const bool found = w->state().cdsServAutoForne.locate(QStringLiteral("NRAUTOFORN"),
                                                  platform::server::modules::testing::afNumber(number));
    ASSERT_TRUE(found) << "AF " << number << " is not listed";
    kittest::settle();
}

void WorkspaceTest::loginAs(const QString& operatorCode, const QString& name) {
    host::LoginInfo login = host::test::TestSession::defaultLogin();
    login.operador = operatorCode;
    login.nomeOperador = name.isEmpty() ? operatorCode : name;
    login.filiProc = world.branch;
    login.nomeFiliProc = QStringLiteral("Loja");
    host::setSession(std::make_shared<host::test::TestSession>(login));
}

void WorkspaceTest::openOnAf(int number) {
    open(true);
    ASSERT_NE(w, nullptr);
    gotoBranch(world.branch);
    clickTab(WorkspaceTab::AF);
    ASSERT_EQ(w->activeTab(), WorkspaceTab::AF);
    gotoAf(number);
}

void WorkspaceTest::gotoBranch(const QString& branch) {
    ASSERT_TRUE(w->state().cdsFilialDest.locate(QStringLiteral("CDFILIAL"), branch)) << branch.toStdString();
    kittest::settle();
}

void WorkspaceTest::clickTab(WorkspaceTab tab) {
    QTabBar* bar = w->state().pgcPadrao->tabBar();
    const QRect r = bar->tabRect(int(tab));
    QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
    kittest::settle();
}

}  // namespace afdesk::testing
