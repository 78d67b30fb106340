// The main window: menu of the installed screens, deliverables loaded from the
// modules folder into the MDI area, LoadBPL, and the title.
#include "platform/shell/mdi_screen_host.h"
#include "platform/shell/shell_window.h"
#include "platform/shell/testing/shell_fixture.h"

#include "host/services/screen_host.h"
#include "host/services/session.h"
#include "platform/db/database.h"
#include "platform/db/sql_exec.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QCloseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenuBar>

namespace shell {
namespace {

using testing::ShellTest;

const QString kTestScreen = QStringLiteral("TST00001");

class ShellWindowTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        session = std::make_unique<ShellSession>(logIn(QStringLiteral("0002")), reportDir());
        session->install();
        loader = std::make_unique<ModuleLoader>(testing::moduleFolder());
        ScreenCatalog catalog = ScreenCatalog::standard();
        catalog.add({kTestScreen, QStringLiteral("Tela de teste"), QStringLiteral("afshell_testscreen"),
                     QStringLiteral("&Testes")});
        catalog.add({QStringLiteral("TST00002"), QStringLiteral("Sem entrada"), QStringLiteral("afshell_noentry"),
                     QStringLiteral("&Testes")});
        catalog.add({QStringLiteral("TST00003"), QStringLiteral("Não instalada"), QStringLiteral("afshell_ausente"),
                     QStringLiteral("&Testes")});
        window = std::make_unique<ShellWindow>(*session, catalog, *loader);
        window->resize(1000, 700);
        window->show();
    }
    void TearDown() override {
        window.reset();
        loader.reset();
        session.reset();
        ShellTest::TearDown();
    }

    QList<QMdiSubWindow*> children() const { return window->mdiArea()->subWindowList(); }
    QString labelText(QWidget* screen, const char* name) const {
        auto* l = screen->findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QStringLiteral("(sem %1)").arg(QString::fromLatin1(name));
    }
    QAction* menuAction(const QString& code) const { return window->menuBar()->findChild<QAction*>(code); }

    std::unique_ptr<ShellSession> session;
    std::unique_ptr<ModuleLoader> loader;
    std::unique_ptr<ShellWindow> window;
};

TEST_F(ShellWindowTest, MenuListsTheInstalledScreensByCode) {
    QAction* workspace = menuAction(QStringLiteral("CMP03900"));
    QAction* batch = menuAction(QStringLiteral("CMP04000"));
    ASSERT_TRUE(workspace && batch);
    EXPECT_EQ(workspace->text(), QStringLiteral("CMP03900 - Lançamento de Autorização de Fornecimento"));
    EXPECT_EQ(batch->text(), QStringLiteral("CMP04000 - Alteração de AF"));
}

TEST_F(ShellWindowTest, MissingDeliverablesAreReportedFromTheMenu) {
    menuAction(QStringLiteral("TST00003"))->trigger();
    menuAction(QStringLiteral("TST00002"))->trigger();
    const QString folder = testing::moduleFolder();
    EXPECT_TRUE(dialogs->errorsAre({
        QStringLiteral("Módulo afshell_ausente não encontrado: %1/libafshell_ausente.so").arg(folder),
        QStringLiteral("O módulo afshell_noentry não exporta a função IniProc: %1/libafshell_noentry.so").arg(folder),
    }));
    EXPECT_TRUE(children().isEmpty());
}

TEST_F(ShellWindowTest, BulkAlterationOpensFromTheMenuAsAChild) {
    menuAction(QStringLiteral("CMP04000"))->trigger();
    ASSERT_TRUE(dialogs->errorsAre({}));
    ASSERT_EQ(children().size(), 1);
    EXPECT_EQ(children().first()->windowTitle(), QStringLiteral("Alteração de AF"));
}

TEST_F(ShellWindowTest, DeliverableOpensItsScreenAsAChildSeeingTheShellsSession) {
    menuAction(kTestScreen)->trigger();
    ASSERT_TRUE(dialogs->errorsAre({}));
    ASSERT_EQ(children().size(), 1);
    QWidget* screen = children().first()->widget();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), QStringLiteral("telaTeste"));
    EXPECT_EQ(children().first()->windowTitle(), QStringLiteral("Tela de teste do host"));
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), children().first());
    EXPECT_EQ(labelText(screen, "operador"), QStringLiteral("Operador: OPERADOR1 - Operador Um"));
    EXPECT_EQ(labelText(screen, "filial"), QStringLiteral("Filial: 0002 - Loja"));
    EXPECT_EQ(labelText(screen, "dataProc"), QStringLiteral("Data de processamento: 17/06/2024"));

    window->openModule(QStringLiteral("afshell_testscreen"));  // the same library, by name
    EXPECT_EQ(children().size(), 2);
    EXPECT_TRUE(dialogs->errorsAre({}));
}

// A screen larger than the main window's area opens within it, not past its edges.
TEST_F(ShellWindowTest, AScreenOpensWithinTheArea) {
    auto* wide = new QWidget;
    wide->resize(2400, 1500);
    host::screenHost().showScreen(wide);
    QApplication::processEvents();
    QMdiSubWindow* frame = children().value(0);
    ASSERT_NE(frame, nullptr);
    const QRect room(QPoint(0, 0), window->mdiArea()->viewport()->size());
    EXPECT_TRUE(room.contains(frame->geometry())) << frame->geometry().width() << "x" << frame->geometry().height();
}

TEST_F(ShellWindowTest, ScreenShownTwiceStaysOneChildAndComesToTheFront) {
    auto* first = new QWidget;
    first->setWindowTitle(QStringLiteral("Primeira"));
    auto* second = new QWidget;
    second->setWindowTitle(QStringLiteral("Segunda"));
    host::screenHost().showScreen(first);
    host::screenHost().showScreen(second);
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), second);
    host::screenHost().showScreen(first);
    EXPECT_EQ(children().size(), 2);
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), first);
    EXPECT_EQ(host::screenHost().mainWindow(), window.get());
}

TEST_F(ShellWindowTest, ClosingKeepsAScreenThatDidNotAskToBeDeleted) {
    QPointer<QWidget> kept = new QWidget;  // like a workspace created once and shown again
    QPointer<QWidget> transient = new QWidget;
    transient->setAttribute(Qt::WA_DeleteOnClose);
    host::screenHost().showScreen(kept);
    host::screenHost().showScreen(transient);
    window->screenHost().frameOf(kept)->close();
    window->screenHost().frameOf(transient)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(transient.isNull());
    ASSERT_FALSE(kept.isNull());
    EXPECT_FALSE(kept->isVisible());

    host::screenHost().showScreen(kept);
    EXPECT_TRUE(kept->isVisible());
    EXPECT_EQ(children().size(), 1);
    EXPECT_EQ(window->mdiArea()->activeSubWindow()->widget(), kept.data());
}

TEST_F(ShellWindowTest, ScreenDeletedByItsOwnerTakesItsWindowAlong) {
    auto* screen = new QWidget;
    host::screenHost().showScreen(screen);
    ASSERT_EQ(children().size(), 1);
    delete screen;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(children().isEmpty());
}

TEST_F(ShellWindowTest, LoadBplOpensAnInstalledScreenWithItsParameters) {
    host::session().LoadBPL(kTestScreen, {QStringLiteral("0002"), QStringLiteral("0001"), QStringLiteral("0000000001"),
                                          QStringLiteral("COMPRADOR1")});
    ASSERT_TRUE(dialogs->errorsAre({}));
    ASSERT_EQ(children().size(), 1);
    QWidget* screen = children().first()->widget();
    EXPECT_EQ(screen->objectName(), QStringLiteral("telaTesteParametros"));
    EXPECT_EQ(labelText(screen, "parametro0"), QStringLiteral("0002"));
    EXPECT_EQ(labelText(screen, "parametro3"), QStringLiteral("COMPRADOR1"));

    host::session().LoadBPL(kTestScreen.toLower(), {});  // no parameters: its IniProc
    EXPECT_EQ(children().size(), 2);
    EXPECT_EQ(children().last()->widget()->objectName(), QStringLiteral("telaTeste"));
}

TEST_F(ShellWindowTest, LoadBplOfAScreenNotInstalledIsAMessageAndTheCallerGoesOn) {
    EXPECT_NO_THROW(host::session().LoadBPL(QStringLiteral("CMP06000"), {QVariant(), QStringLiteral("0002")}));
    host::session().LoadBPL(QStringLiteral("TST00002"), {QStringLiteral("x")});
    EXPECT_TRUE(dialogs->errorsAre({
        QStringLiteral("Tela CMP06000 não instalada."),
        QStringLiteral("O módulo afshell_noentry não exporta a função IniProcParams: %1/libafshell_noentry.so")
            .arg(testing::moduleFolder()),
    }));
    EXPECT_TRUE(children().isEmpty());
}

TEST_F(ShellWindowTest, TitleShowsOperatorBranchAndProcessingDate) {
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("AF - Compras | Operador: OPERADOR1 - Operador Um | Filial: 0002 - Loja | Data: 17/06/2024"));
    auto* status = window->findChild<QLabel*>(QStringLiteral("sessao"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), QStringLiteral("Operador: OPERADOR1 - Operador Um | Filial: 0002 - Loja | Data: 17/06/2024"));

    // The day's close moved the date: the next refresh shows it.
    afdb::Database writer(afdb::Config::sqlite(databasePath()));
    afdb::exec(writer.connection(), QStringLiteral("UPDATE FILIAL SET DTPROCFILI = '2024-06-18 00:00:00' WHERE CDFILIAL = '0002'"));
    window->refreshTitle();
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("Data: 18/06/2024")));
}

TEST_F(ShellWindowTest, AScreenThatRefusesToCloseKeepsTheProgramOpen) {
    class Stubborn : public QWidget {
    protected:
        void closeEvent(QCloseEvent* e) override { e->setAccepted(!refuse); }

    public:
        bool refuse = true;
    };
    auto* screen = new Stubborn;
    host::screenHost().showScreen(screen);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    screen->refuse = false;
    EXPECT_TRUE(window->close());
}

TEST_F(ShellWindowTest, GoingAwayRemovesTheWindowFromTheSession) {
    window.reset();
    EXPECT_THROW(host::screenHost(), host::DataError);
    EXPECT_THROW(host::session().LoadBPL(kTestScreen, {}), host::DataError);  // no window to open it in
}

}  // namespace
}  // namespace shell
