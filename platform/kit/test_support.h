#pragma once
// What the kit's tests share: a dialog service that records what was shown and
// answers from a queue, widgets shown in an active window, key helpers.
#include "host/data/dataset.h"
#include "host/services/dialog_service.h"
#include "host/testing/qt_printers.h"

#include <QtTest/QTest>
#include <QtWidgets/QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kittest {

class RecordingDialogs : public host::DialogService {
public:
    QStringList errors;
    QStringList messages;
    QStringList questions;
    std::vector<host::PickList> pickLists;
    std::deque<int> answers;           // ask() pops; empty answers kNo
    std::deque<QStringList> picks;     // pick() pops; empty answers nothing picked
    std::deque<int> choices;           // askChoice() pops; empty answers -1 (closed)
    std::deque<QString> passwords;     // askPassword() pops; a null string or none cancels
    // Behave like a real modal box: another window takes the activation and
    // the focus while the message is "on screen".
    bool stealFocus = false;

    void showError(const QString& text, QWidget* parent = nullptr) override;
    void showMessage(host::MessageKind kind, const QString& text, QWidget* parent = nullptr) override;
    int ask(host::MessageKind kind, const QString& text, host::QuestionButtons buttons, QWidget* parent = nullptr) override;
    int askChoice(host::MessageKind kind, const QString& text, const QStringList& buttons,
                  QWidget* parent = nullptr) override;
    std::optional<QString> askPassword(const QString& caption, const QString& label,
                                       QWidget* parent = nullptr) override;
    QStringList pick(const host::PickList& list, QWidget* parent = nullptr) override;

private:
    void steal();
};

// The service installed for the running test (fresh for each test).
RecordingDialogs& dialogs();

// Every kit test starts with a fresh recording service and no window left over.
class KitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    RecordingDialogs& shown() { return dialogs(); }
};

// Shows a top-level widget, makes it the active window and waits until it is.
void showActive(QWidget* window);
// Gives the focus to w the way a user would (Tab reason) and processes events.
void focus(QWidget* w);
// Presses a key on whatever has the focus.
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);
void type(const QString& text);  // typed into the focus widget
void settle();                   // runs pending events
void doubleClick(QWidget* w, const QPoint& pos);

}  // namespace kittest
