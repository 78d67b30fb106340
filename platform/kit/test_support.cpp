#include "test_support.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace kittest {

namespace {
std::shared_ptr<RecordingDialogs> g_dialogs;
}

RecordingDialogs& dialogs() { return *g_dialogs; }

void RecordingDialogs::steal() {
    if (!stealFocus) return;
    // A stand-in for a modal box: a window of its own, active, with a focused control.
    QWidget* previous = QApplication::activeWindow();
    QWidget box;
    auto* edit = new QLineEdit(&box);
    box.show();
    QApplication::setActiveWindow(&box);
    edit->setFocus();
    QApplication::processEvents();
    box.hide();
    if (previous) QApplication::setActiveWindow(previous);  // closing a modal box gives its window back
    QApplication::processEvents();
}

void RecordingDialogs::showError(const QString& text, QWidget*) {
    errors << text;
    steal();
}

void RecordingDialogs::showMessage(host::MessageKind kind, const QString& text, QWidget*) {
    if (kind == host::MessageKind::Error) errors << text;
    else messages << text;
    steal();
}

int RecordingDialogs::ask(host::MessageKind, const QString& text, host::QuestionButtons, QWidget*) {
    questions << text;
    steal();
    if (answers.empty()) return host::kNo;
    const int a = answers.front();
    answers.pop_front();
    return a;
}

int RecordingDialogs::askChoice(host::MessageKind, const QString& text, const QStringList&, QWidget*) {
    questions << text;
    steal();
    if (choices.empty()) return -1;
    const int choice = choices.front();
    choices.pop_front();
    return choice;
}

std::optional<QString> RecordingDialogs::askPassword(const QString& caption, const QString&, QWidget*) {
    questions << caption;
    steal();
    if (passwords.empty()) return std::nullopt;
    const QString password = passwords.front();
    passwords.pop_front();
    if (password.isNull()) return std::nullopt;
    return password;
}

QStringList RecordingDialogs::pick(const host::PickList& list, QWidget*) {
    pickLists.push_back(list);
    if (list.rows.empty()) {
        messages << list.emptyText;
        return {};
    }
    if (picks.empty()) return {};
    QStringList p = picks.front();
    picks.pop_front();
    return p;
}

void KitTest::SetUp() {
    g_dialogs = std::make_shared<RecordingDialogs>();
    host::setDialogService(g_dialogs);
}

void KitTest::TearDown() {
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    settle();
}

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

void showActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window, 1000);
    settle();
}

void focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    settle();
}

void press(Qt::Key key, Qt::KeyboardModifiers mods) {
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        ADD_FAILURE() << "nenhum controle com o foco";
        return;
    }
    QTest::keyClick(target, key, mods);
    settle();
}

void type(const QString& text) {
    // Each key goes to whatever has the focus at that moment, as real typing does.
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        if (!target) {
            ADD_FAILURE() << "nenhum controle com o foco";
            return;
        }
        QTest::keyClicks(target, QString(c));
        settle();
    }
}

void doubleClick(QWidget* w, const QPoint& pos) {
    // Through the window, so the widget gets press, release, double click, release as from a real mouse.
    QWidget* top = w->window();
    QTest::mouseDClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, pos));
    settle();
}

}  // namespace kittest

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
