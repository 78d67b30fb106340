#include "qt_progress.h"
#include "test_modal.h"
#include "test_support.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QVBoxLayout>
#include <stdexcept>

using namespace kittest;

namespace {

class ProgressTest : public KitTest {
protected:
    std::shared_ptr<kit::QtProgressService> service = std::make_shared<kit::QtProgressService>();
    QWidget screen;
    QLineEdit* edit = new QLineEdit(&screen);

    void SetUp() override {
        KitTest::SetUp();
        host::setProgressService(service);
        screen.setGeometry(100, 100, 600, 400);
        new QVBoxLayout(&screen);
        screen.layout()->addWidget(edit);
        showActive(&screen);
        focus(edit);
    }
    void TearDown() override {
        host::setProgressService(nullptr);
        KitTest::TearDown();
    }
    bool shownNow() const { return service->window() && service->window()->isVisible(); }
    QString textNow() const { return service->window() ? service->window()->label()->text() : QString(); }
};

TEST_F(ProgressTest, ShownWithTheTextOverTheScreenWithoutTakingTheFocus) {
    {
        host::ProgressGuard busy(&screen, host::kAviTransfer, QStringLiteral("Recebendo AF's do servidor... "));
        ASSERT_TRUE(shownNow());
        EXPECT_EQ(textNow(), QStringLiteral("Recebendo AF's do servidor..."));
        const QProgressBar* bar = service->window()->bar();
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 0);  // busy, no known end
        EXPECT_EQ(service->window()->frameGeometry().center(), screen.frameGeometry().center());
        EXPECT_TRUE(edit->hasFocus());
        EXPECT_TRUE(screen.isActiveWindow());
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_FALSE(shownNow());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgressTest, AnInnerStepChangesTheTextAndTheOuterOneGetsItBack) {
    {
        host::ProgressGuard outer(&screen, host::kAviTransfer, QStringLiteral("Alterando AF(s) no servidor..."));
        {
            host::ProgressGuard inner(&screen, host::kAviConnecting);
            EXPECT_EQ(textNow(), kit::progressKindText(host::kAviConnecting));
            EXPECT_TRUE(shownNow());
        }
        EXPECT_TRUE(shownNow());
        EXPECT_EQ(textNow(), QStringLiteral("Alterando AF(s) no servidor..."));
        host::progress().ActiveShowAvi(&screen, host::kAviProcessing, QStringLiteral("Gravando..."));
        EXPECT_EQ(textNow(), QStringLiteral("Gravando..."));
    }
    EXPECT_FALSE(shownNow());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // one wait cursor, however often the text changed
}

TEST_F(ProgressTest, HiddenWhenTheWorkFails) {
    EXPECT_THROW(
        {
            host::ProgressGuard busy(&screen, host::kAviTransfer, QStringLiteral("Recebendo produtos do servidor..."));
            EXPECT_TRUE(shownNow());
            throw std::runtime_error("falha de rede");
        },
        std::runtime_error);
    EXPECT_FALSE(shownNow());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    host::progress().DeactiveShowAvi();  // hiding what is not shown changes nothing
    EXPECT_FALSE(shownNow());
}

TEST_F(ProgressTest, EveryKindHasATextOfItsOwn) {
    QStringList texts;
    for (int kind : {host::kAviConnecting, host::kAviProcessing, host::kAviTransfer, 3}) {
        host::ProgressGuard busy(nullptr, kind);
        texts << textNow();
    }
    EXPECT_EQ(texts, (QStringList{"Conectando ao servidor...", "Processando...", "Transferindo dados...", "Aguarde..."}));
}

}  // namespace

// A question asked in the middle of a step waits for the user: the animation
// must not cover its buttons, and comes back when it is answered.
namespace {

class ProgressOverDialogTest : public ProgressTest {
protected:
    // Opens a modal dialog now and runs `whileOpen` once it is on screen.
    void askWhile(const std::function<void(QDialog*)>& whileOpen) {
        QDialog question(&screen);
        question.setModal(true);
        question.resize(200, 100);
        kittest::whenModal<QDialog>([whileOpen](QDialog* d) {
            whileOpen(d);
            d->accept();
        });
        question.exec();
    }
};

TEST_F(ProgressOverDialogTest, StepsAsideWhileAQuestionWaitsAndReturnsAfterIt) {
    host::ProgressGuard busy(&screen, host::kAviTransfer, QStringLiteral("Alterando AF(s) no servidor..."));
    ASSERT_TRUE(shownNow());
    bool shownDuringQuestion = true;
    const QCursor* cursorDuringQuestion = nullptr;
    askWhile([&](QDialog*) {
        shownDuringQuestion = shownNow();
        cursorDuringQuestion = QApplication::overrideCursor();
    });
    EXPECT_FALSE(shownDuringQuestion);
    EXPECT_EQ(cursorDuringQuestion, nullptr);  // the user points at the buttons with the normal arrow
    EXPECT_TRUE(shownNow());
    EXPECT_EQ(textNow(), QStringLiteral("Alterando AF(s) no servidor..."));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProgressOverDialogTest, WorkStartedFromTheQuestionIsShownAndThenStepsAsideAgain) {
    // The inner step over the dialog itself, or over the same screen as the outer one.
    for (bool overTheDialog : {true, false}) {
        SCOPED_TRACE(overTheDialog ? "over the dialog" : "over the screen");
        host::ProgressGuard busy(&screen, host::kAviTransfer, QStringLiteral("Alterando AF(s) no servidor..."));
        bool innerShown = false;
        QString innerText;
        bool outerShownWhileWaiting = true;
        const QCursor* cursorWhileWaiting = nullptr;
        askWhile([&](QDialog* d) {
            {
                host::ProgressGuard inner(overTheDialog ? static_cast<QWidget*>(d) : &screen, host::kAviConnecting,
                                          QStringLiteral("Conferindo..."));
                innerShown = shownNow();
                innerText = textNow();
            }
            outerShownWhileWaiting = shownNow();
            cursorWhileWaiting = QApplication::overrideCursor();
        });
        EXPECT_TRUE(innerShown);
        EXPECT_EQ(innerText, QStringLiteral("Conferindo..."));
        EXPECT_FALSE(outerShownWhileWaiting);
        EXPECT_EQ(cursorWhileWaiting, nullptr);
        EXPECT_TRUE(shownNow());
        EXPECT_EQ(textNow(), QStringLiteral("Alterando AF(s) no servidor..."));
    }
}

// A question asked during work started from another question: each waiting
// dialog keeps the step it interrupted aside, and only that step.
TEST_F(ProgressOverDialogTest, AQuestionInsideWorkStartedFromAQuestion) {
    host::ProgressGuard outer(&screen, host::kAviTransfer, QStringLiteral("Passo externo"));
    bool innerBackAfterSecond = false;
    bool outerShownOverFirst = true;
    askWhile([&](QDialog*) {
        {
            host::ProgressGuard inner(&screen, host::kAviConnecting, QStringLiteral("Passo interno"));
            askWhile([&](QDialog*) {});
            innerBackAfterSecond = shownNow() && textNow() == QStringLiteral("Passo interno");
        }
        outerShownOverFirst = shownNow();
    });
    EXPECT_TRUE(innerBackAfterSecond);
    EXPECT_FALSE(outerShownOverFirst);
    EXPECT_TRUE(shownNow());
    EXPECT_EQ(textNow(), QStringLiteral("Passo externo"));
}

TEST_F(ProgressOverDialogTest, ADialogOpenedWithoutAnAnimationChangesNothing) {
    bool shownDuring = true;
    askWhile([&](QDialog*) {
        host::ProgressGuard fromTheDialog(&screen, host::kAviTransfer, QStringLiteral("Recebendo..."));
        shownDuring = shownNow();
    });
    EXPECT_TRUE(shownDuring);  // work the dialog itself started is shown over it
    EXPECT_FALSE(shownNow());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
