#include "platform/shell/msg_event_filter.h"

#include "host/data/errors.h"
#include "host/testing/scripted_dialogs.h"
#include "host/testing/test_session.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace shell {
namespace {

class MsgEventFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::setDialogService(dialogs);
        qApp->installEventFilter(&filter);
    }
    void TearDown() override {
        qApp->removeEventFilter(&filter);
        host::setDialogService(nullptr);
    }
    void typeKey(QWidget* target, Qt::Key key) {
        const QString text = key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(u'a' + (key - Qt::Key_A))) : QString();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }

    std::shared_ptr<host::test::ScriptedDialogs> dialogs = std::make_shared<host::test::ScriptedDialogs>();
    std::shared_ptr<host::test::TestSession> session = std::make_shared<host::test::TestSession>();
    MsgEventFilter filter{session};
};

TEST_F(MsgEventFilterTest, HookSeesKeysFirstAndMayConsumeThem) {
    QLineEdit edit;
    QObject owner;
    QList<int> seen;
    session->setMsgEventForm(&owner, [&](QObject* target, QEvent* e) {
        if (e->type() != QEvent::KeyPress || target != &edit) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        seen << key;
        return key == Qt::Key_F9;
    });
    typeKey(&edit, Qt::Key_A);
    typeKey(&edit, Qt::Key_F9);
    typeKey(&edit, Qt::Key_B);
    EXPECT_EQ(seen, (QList<int>{Qt::Key_A, Qt::Key_F9, Qt::Key_B}));
    EXPECT_EQ(edit.text(), QStringLiteral("ab"));

    session->clearMsgEventForm(&owner);
    typeKey(&edit, Qt::Key_C);
    EXPECT_EQ(seen.size(), 3);
    EXPECT_EQ(edit.text(), QStringLiteral("abc"));
}

TEST_F(MsgEventFilterTest, WindowEventsOfWindowsOnlyAreForwarded) {
    QWidget window;
    QWidget inner(&window);
    QEvent activate(QEvent::WindowActivate);
    QEvent paint(QEvent::Paint);
    QEvent show(QEvent::Show);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    EXPECT_TRUE(MsgEventFilter::forwards(&window, &activate));
    EXPECT_TRUE(MsgEventFilter::forwards(&window, &show));
    EXPECT_FALSE(MsgEventFilter::forwards(&inner, &show));
    EXPECT_FALSE(MsgEventFilter::forwards(&window, &paint));
    EXPECT_TRUE(MsgEventFilter::forwards(&inner, &key));
}

TEST_F(MsgEventFilterTest, HookThatFailsShowsItsErrorAndTheProgramGoesOn) {
    QLineEdit edit;
    session->setMsgEventForm(nullptr, [](QObject*, QEvent* e) -> bool {
        if (e->type() == QEvent::KeyPress) throw host::UserError(QStringLiteral("Tecla recusada."));
        return false;
    });
    typeKey(&edit, Qt::Key_A);
    EXPECT_TRUE(dialogs->errorsAre({QStringLiteral("Tecla recusada.")}));
    EXPECT_EQ(edit.text(), QString());  // the failing handler had the key
    session->setMsgEventForm(nullptr, nullptr);
}

TEST_F(MsgEventFilterTest, NothingIsForwardedOnceTheSessionIsGone) {
    QLineEdit edit;
    int calls = 0;
    session->setMsgEventForm(nullptr, [&](QObject*, QEvent*) {
        ++calls;
        return true;
    });
    std::weak_ptr<host::test::TestSession> watch = session;
    session.reset();
    ASSERT_TRUE(watch.expired());
    typeKey(&edit, Qt::Key_A);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
}

}  // namespace
}  // namespace shell
