#pragma once
// The dialog service of tests. It records every error, notice, question and
// pick list shown, and answers questions and pick lists from a script written
// by the test beforehand. A dialog the script did not foresee fails the test
// (ADD_FAILURE) and gets the safe answer (No, or no row picked): a test never
// blocks waiting for a user.
#include "host/services/dialog_service.h"

#include <gtest/gtest.h>
#include <deque>
#include <optional>
#include <vector>

namespace host::test {

struct ShownDialog {
    enum Type { Error, Message, Question, Pick, Choice, Password };
    Type type = Error;
    MessageKind kind = MessageKind::Error;
    QString text;  // the pick list's title for Pick, the caption for Password
    QuestionButtons buttons = QuestionButtons::Ok;
    PickList list;       // Pick only
    int answer = 0;      // Question: what the script answered; Choice: the button index (-1 closed)
    QStringList picked;  // Pick only
    QStringList buttonTexts;  // Choice only
    QString label;            // Password only
};

class ScriptedDialogs : public DialogService {
public:
    // --- Script, consumed in order -----------------------------------------------
    // The next question is answered kYes or kNo; with `expectedText` its text must match.
    ScriptedDialogs& answer(int yesOrNo, std::optional<QString> expectedText = std::nullopt);
    // The next non-empty pick list returns these codes (empty: the user cancels);
    // with `expectedTitle` its title must match. Each code must be one of the list's rows.
    ScriptedDialogs& choose(QStringList codes, std::optional<QString> expectedTitle = std::nullopt);
    ScriptedDialogs& cancelPick() { return choose(QStringList()); }
    // The next question with buttons of its own is answered by pressing the
    // button with this caption ("&Todas"); an empty caption closes the dialog.
    ScriptedDialogs& press(QString button, std::optional<QString> expectedText = std::nullopt);
    // The next password prompt gets this password (nullopt: the user cancels);
    // with `expectedCaption` its caption must match.
    ScriptedDialogs& typePassword(std::optional<QString> password,
                                  std::optional<QString> expectedCaption = std::nullopt);
    int pendingAnswers() const { return int(m_script.size()); }
    QStringList pendingDescription() const;  // what is still scripted, for failure messages

    // --- What was shown ------------------------------------------------------------
    const std::vector<ShownDialog>& shown() const { return m_shown; }
    QStringList errors() const;     // showError, and showMessage with MessageKind::Error
    QStringList messages() const;   // the other notices
    QStringList questions() const;  // both kinds of question
    std::vector<PickList> pickLists() const;
    void clearShown() { m_shown.clear(); }

    ::testing::AssertionResult errorsAre(const QStringList& expected) const;
    ::testing::AssertionResult messagesAre(const QStringList& expected) const;
    ::testing::AssertionResult questionsAre(const QStringList& expected) const;

    // --- DialogService --------------------------------------------------------------
    void showError(const QString& text, QWidget* parent = nullptr) override;
    void showMessage(MessageKind kind, const QString& text, QWidget* parent = nullptr) override;
    // A question with only an Ok button needs no script: it is answered kYes.
    int ask(MessageKind kind, const QString& text, QuestionButtons buttons, QWidget* parent = nullptr) override;
    int askChoice(MessageKind kind, const QString& text, const QStringList& buttons,
                  QWidget* parent = nullptr) override;
    std::optional<QString> askPassword(const QString& caption, const QString& label,
                                       QWidget* parent = nullptr) override;
    // An empty list shows its empty text and needs no script: it returns no code.
    QStringList pick(const PickList& list, QWidget* parent = nullptr) override;

private:
    struct Scripted {
        ShownDialog::Type type = ShownDialog::Question;
        int answer = kNo;
        QStringList codes;                // Pick
        QString button;                   // Choice
        std::optional<QString> password;  // Password
        std::optional<QString> expected;  // question text, pick-list title or caption
    };
    static QString describe(const Scripted& s);
    // The next scripted step when it is of this type and expects this text;
    // otherwise a test failure naming what was shown, and nullopt.
    std::optional<Scripted> take(ShownDialog::Type type, const char* what, const QString& text);

    std::deque<Scripted> m_script;
    std::vector<ShownDialog> m_shown;
};

}  // namespace host::test
