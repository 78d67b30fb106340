#include "host/testing/scripted_dialogs.h"

#include <algorithm>

namespace host::test {
namespace {

std::string quoted(const QString& s) { return '"' + s.toStdString() + '"'; }

std::string listText(const QStringList& l) {
    std::string out = "[";
    for (qsizetype i = 0; i < l.size(); ++i) out += (i ? ", " : "") + quoted(l[i]);
    return out + "]";
}

::testing::AssertionResult sameTexts(const char* what, const QStringList& actual, const QStringList& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " shown: " << listText(actual) << "\n"
                                         << what << " expected: " << listText(expected);
}

bool hasRow(const PickList& list, const QString& code) {
    return std::any_of(list.rows.begin(), list.rows.end(), [&](const PickRow& r) { return r.code == code; });
}

}  // namespace

ScriptedDialogs& ScriptedDialogs::answer(int yesOrNo, std::optional<QString> expectedText) {
    if (yesOrNo != kYes && yesOrNo != kNo) {
        ADD_FAILURE() << "a scripted answer must be kYes (6) or kNo (7), not " << yesOrNo;
        return *this;
    }
    Scripted step;
    step.type = ShownDialog::Question;
    step.answer = yesOrNo;
    step.expected = std::move(expectedText);
    m_script.push_back(std::move(step));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::choose(QStringList codes, std::optional<QString> expectedTitle) {
    Scripted step;
    step.type = ShownDialog::Pick;
    step.codes = std::move(codes);
    step.expected = std::move(expectedTitle);
    m_script.push_back(std::move(step));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::press(QString button, std::optional<QString> expectedText) {
    Scripted step;
    step.type = ShownDialog::Choice;
    step.button = std::move(button);
    step.expected = std::move(expectedText);
    m_script.push_back(std::move(step));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::typePassword(std::optional<QString> password,
                                               std::optional<QString> expectedCaption) {
    Scripted step;
    step.type = ShownDialog::Password;
    step.password = std::move(password);
    step.expected = std::move(expectedCaption);
    m_script.push_back(std::move(step));
    return *this;
}

QString ScriptedDialogs::describe(const Scripted& s) {
    QString d;
    switch (s.type) {
    case ShownDialog::Pick: d = QStringLiteral("choose [%1]").arg(s.codes.join(QStringLiteral(", "))); break;
    case ShownDialog::Choice: d = QStringLiteral("press \"%1\"").arg(s.button); break;
    case ShownDialog::Password:
        d = s.password ? QStringLiteral("type a password") : QStringLiteral("cancel the password");
        break;
    default: d = QStringLiteral("answer %1").arg(s.answer == kYes ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
    if (s.expected) d += QStringLiteral(" to \"%1\"").arg(*s.expected);
    return d;
}

std::optional<ScriptedDialogs::Scripted> ScriptedDialogs::take(ShownDialog::Type type, const char* what,
                                                               const QString& text) {
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected " << what << ' ' << quoted(text) << ": nothing left in the script";
        return std::nullopt;
    }
    const Scripted next = m_script.front();
    if (next.type != type || (next.expected && *next.expected != text)) {
        ADD_FAILURE() << what << ' ' << quoted(text) << " shown where the script expects "
                      << describe(next).toStdString();
        if (next.type == type) m_script.pop_front();  // same kind, other text: the step was meant for it
        return std::nullopt;
    }
    m_script.pop_front();
    return next;
}

QStringList ScriptedDialogs::pendingDescription() const {
    QStringList out;
    for (const Scripted& s : m_script) out << describe(s);
    return out;
}

QStringList ScriptedDialogs::errors() const {
    QStringList out;
    for (const ShownDialog& d : m_shown)
        if (d.type == ShownDialog::Error) out << d.text;
    return out;
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const ShownDialog& d : m_shown)
        if (d.type == ShownDialog::Message) out << d.text;
    return out;
}

QStringList ScriptedDialogs::questions() const {
    QStringList out;
    for (const ShownDialog& d : m_shown)
        if (d.type == ShownDialog::Question || d.type == ShownDialog::Choice) out << d.text;
    return out;
}

std::vector<PickList> ScriptedDialogs::pickLists() const {
    std::vector<PickList> out;
    for (const ShownDialog& d : m_shown)
        if (d.type == ShownDialog::Pick) out.push_back(d.list);
    return out;
}

::testing::AssertionResult ScriptedDialogs::errorsAre(const QStringList& expected) const {
    return sameTexts("errors", errors(), expected);
}

::testing::AssertionResult ScriptedDialogs::messagesAre(const QStringList& expected) const {
    return sameTexts("messages", messages(), expected);
}

::testing::AssertionResult ScriptedDialogs::questionsAre(const QStringList& expected) const {
    return sameTexts("questions", questions(), expected);
}

void ScriptedDialogs::showError(const QString& text, QWidget*) {
    m_shown.push_back({ShownDialog::Error, MessageKind::Error, text, QuestionButtons::Ok, {}, 0, {}, {}, {}});
}

void ScriptedDialogs::showMessage(MessageKind kind, const QString& text, QWidget*) {
    const auto type = kind == MessageKind::Error ? ShownDialog::Error : ShownDialog::Message;
    m_shown.push_back({type, kind, text, QuestionButtons::Ok, {}, 0, {}, {}, {}});
}

int ScriptedDialogs::ask(MessageKind kind, const QString& text, QuestionButtons buttons, QWidget*) {
    m_shown.push_back({ShownDialog::Question, kind, text, buttons, {}, kNo, {}, {}, {}});
    if (buttons == QuestionButtons::Ok) return m_shown.back().answer = kYes;
    const std::optional<Scripted> next = take(ShownDialog::Question, "question", text);
    if (!next) return kNo;
    return m_shown.back().answer = next->answer;
}

int ScriptedDialogs::askChoice(MessageKind kind, const QString& text, const QStringList& buttons, QWidget*) {
    m_shown.push_back({ShownDialog::Choice, kind, text, QuestionButtons::Ok, {}, -1, {}, buttons, {}});
    const std::optional<Scripted> next = take(ShownDialog::Choice, "question", text);
    if (!next || next->button.isEmpty()) return -1;
    const int index = int(buttons.indexOf(next->button));
    if (index < 0) {
        ADD_FAILURE() << "question " << quoted(text) << " has no button " << quoted(next->button)
                      << "; its buttons: " << listText(buttons) << " (closed)";
        return -1;
    }
    return m_shown.back().answer = index;
}

std::optional<QString> ScriptedDialogs::askPassword(const QString& caption, const QString& label, QWidget*) {
    m_shown.push_back({ShownDialog::Password, MessageKind::Confirmation, caption, QuestionButtons::OkCancel, {}, 0,
                       {}, {}, label});
    const std::optional<Scripted> next = take(ShownDialog::Password, "password prompt", caption);
    if (!next) return std::nullopt;
    return next->password;
}

QStringList ScriptedDialogs::pick(const PickList& list, QWidget*) {
    m_shown.push_back({ShownDialog::Pick, MessageKind::Information, list.title, QuestionButtons::Ok, list, 0, {}, {}, {}});
    if (list.rows.empty()) return {};
    const std::optional<Scripted> next = take(ShownDialog::Pick, "pick list", list.title);
    if (!next) return {};
    if (next->codes.size() > 1 && !list.multiple) {
        ADD_FAILURE() << "pick list " << quoted(list.title) << " takes one row; the script picks "
                      << listText(next->codes) << " (cancelled)";
        return {};
    }
    for (const QString& code : next->codes) {
        if (!hasRow(list, code)) {
            ADD_FAILURE() << "pick list " << quoted(list.title) << " has no row " << quoted(code) << " (cancelled)";
            return {};
        }
    }
    m_shown.back().picked = next->codes;
    return next->codes;
}

}  // namespace host::test
