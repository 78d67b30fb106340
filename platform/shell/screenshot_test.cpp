// The unattended run behind `afhost --screenshot`: login without a dialog,
// a deliverable's screen open, the main window saved as a picture.
#include "platform/shell/shell_window.h"
#include "platform/shell/testing/shell_fixture.h"
#include "platform/shell/unattended.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>
#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>

namespace shell {
namespace {

using testing::ShellTest;

TEST_F(ShellTest, UnattendedRunSavesTheWindowWithTheScreenOpen) {
    ShellSession session(logInUnattended(connector(), {{}, QStringLiteral("OPERADOR1"), testing::kPassword, {}}),
                         reportDir());
    EXPECT_EQ(session.login().branch.code, QStringLiteral("0002"));  // his own
    session.install();
    ModuleLoader loader(testing::moduleFolder());
    ShellWindow window(session, ScreenCatalog::standard(), loader);
    window.resize(800, 600);
    window.show();
    window.openModule(QStringLiteral("afshell_testscreen"));
    ASSERT_TRUE(dialogs->errorsAre({}));
    ASSERT_EQ(window.mdiArea()->subWindowList().size(), 1);

    const QString path = reportDir() + QStringLiteral("/janela.png");
    saveScreenshot(&window, path);
    const QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), window.size() * window.devicePixelRatio());
    // The child window is drawn: its area differs from the empty MDI background.
    const QMdiSubWindow* child = window.mdiArea()->subWindowList().first();
    const QPoint inChild = child->mapTo(&window, child->rect().center());
    const QPoint background = window.mdiArea()->mapTo(&window, QPoint(window.mdiArea()->width() - 5,
                                                                         window.mdiArea()->height() - 5));
    EXPECT_NE(picture.pixel(inChild), picture.pixel(background));

    EXPECT_THROW(saveScreenshot(&window, reportDir() + QStringLiteral("/nao/existe/janela.png")), host::UserError);
}

TEST_F(ShellTest, UnattendedLoginRefusesAnUnknownBranch) {
    try {
        logInUnattended(connector(), {{}, QStringLiteral("OPERADOR1"), testing::kPassword, QStringLiteral("0042")});
        FAIL() << "logged in on an unknown branch";
    } catch (const host::UserError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Filial 0042 não cadastrada."));
    }
    EXPECT_EQ(backends().embeddedServer()->sessions().size(), 0);
}

TEST(ConsoleDialogs, AnswersSafelyAndCountsErrors) {
    ConsoleDialogs console;
    EXPECT_EQ(console.ask(host::MessageKind::Confirmation, QStringLiteral("Confirma exclusão?"), host::QuestionButtons::YesNo),
              host::kNo);
    EXPECT_EQ(console.askChoice(host::MessageKind::Confirmation, QStringLiteral("?"), {QStringLiteral("&Todas")}), -1);
    EXPECT_EQ(console.askPassword(QStringLiteral("Senha"), QStringLiteral("Senha:")), std::nullopt);
    EXPECT_TRUE(console.pick(host::PickList{QStringLiteral("Marcas"), {}, {{QStringLiteral("1"), {}}}, {}, false}).isEmpty());
    console.showMessage(host::MessageKind::Information, QStringLiteral("ok"));
    EXPECT_EQ(console.errorCount(), 0);
    console.showError(QStringLiteral("falhou"));
    console.showMessage(host::MessageKind::Error, QStringLiteral("falhou de novo"));
    EXPECT_EQ(console.errorCount(), 2);
}

// A dialog whose confirmation is refused until `acceptAfter` clicks: the
// answerer must save it, press its default button, and give up on it when it
// stays open instead of clicking for ever.
class StubbornDialog : public QDialog {
public:
    explicit StubbornDialog(int acceptAfter) : m_acceptAfter(acceptAfter) {
        setWindowTitle(QStringLiteral("Filtro"));
        auto* ok = new QPushButton(QStringLiteral("Confirmar"), this);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (++clicks >= m_acceptAfter) accept();
        });
    }
    int clicks = 0;

private:
    int m_acceptAfter;
};

TEST(ModalAnswerer, SavesAndConfirmsModalDialogsAndGivesUpOnARefusedOne) {
    QTemporaryDir dir;
    const QString main = dir.filePath(QStringLiteral("tela.png"));
    ModalAnswerer answerer(main);

    StubbornDialog willing(1);
    EXPECT_EQ(willing.exec(), QDialog::Accepted);
    EXPECT_EQ(willing.clicks, 1);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("tela-modal1.png"))));

    StubbornDialog refusing(1000);
    EXPECT_EQ(refusing.exec(), QDialog::Rejected);
    EXPECT_EQ(refusing.clicks, 1);  // one confirmation, then closed
    EXPECT_EQ(answerer.answered(), 3);
}

}  // namespace
}  // namespace shell
