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
    m_script.push_back({false, yesOrNo, {}, std::move(expectedText)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::choose(QStringList codes, std::optional<QString> expectedTitle) {
    m_script.push_back({true, kNo, std::move(codes), std::move(expectedTitle)});
    return *this;
}

QString ScriptedDialogs::describe(const Scripted& s) {
    QString d = s.isPick ? QStringLiteral("choose [%1]").arg(s.codes.join(QStringLiteral(", ")))
                         : QStringLiteral("answer %1").arg(s.answer == kYes ? QStringLiteral("Yes") : QStringLiteral("No"));
    if (s.expected) d += QStringLiteral(" to \"%1\"").arg(*s.expected);
    return d;
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
        if (d.type == ShownDialog::Question) out << d.text;
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
    m_shown.push_back({ShownDialog::Error, MessageKind::Error, text, QuestionButtons::Ok, {}, 0, {}});
}

void ScriptedDialogs::showMessage(MessageKind kind, const QString& text, QWidget*) {
    const auto type = kind == MessageKind::Error ? ShownDialog::Error : ShownDialog::Message;
    m_shown.push_back({type, kind, text, QuestionButtons::Ok, {}, 0, {}});
}

int ScriptedDialogs::ask(MessageKind kind, const QString& text, QuestionButtons buttons, QWidget*) {
    m_shown.push_back({ShownDialog::Question, kind, text, buttons, {}, kNo, {}});
    ShownDialog& shown = m_shown.back();
    if (buttons == QuestionButtons::Ok) return shown.answer = kYes;
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected question " << quoted(text) << ": nothing left in the script (answered No)";
        return kNo;
    }
    if (m_script.front().isPick) {
        ADD_FAILURE() << "question " << quoted(text) << " shown where the script expects "
                      << describe(m_script.front()).toStdString() << " (answered No)";
        return kNo;
    }
    const Scripted next = m_script.front();
    m_script.pop_front();
    if (next.expected && *next.expected != text) {
        ADD_FAILURE() << "question " << quoted(text) << " shown where the script expects "
                      << describe(next).toStdString() << " (answered No)";
        return kNo;
    }
    return shown.answer = next.answer;
}

QStringList ScriptedDialogs::pick(const PickList& list, QWidget*) {
    m_shown.push_back({ShownDialog::Pick, MessageKind::Information, list.title, QuestionButtons::Ok, list, 0, {}});
    if (list.rows.empty()) return {};
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected pick list " << quoted(list.title) << ": nothing left in the script (cancelled)";
        return {};
    }
    if (!m_script.front().isPick) {
        ADD_FAILURE() << "pick list " << quoted(list.title) << " shown where the script expects "
                      << describe(m_script.front()).toStdString() << " (cancelled)";
        return {};
    }
    const Scripted next = m_script.front();
    m_script.pop_front();
    if (next.expected && *next.expected != list.title) {
        ADD_FAILURE() << "pick list " << quoted(list.title) << " shown where the script expects "
                      << describe(next).toStdString() << " (cancelled)";
        return {};
    }
    if (next.codes.size() > 1 && !list.multiple) {
        ADD_FAILURE() << "pick list " << quoted(list.title) << " takes one row; the script picks "
                      << listText(next.codes) << " (cancelled)";
        return {};
    }
    for (const QString& code : next.codes) {
        if (!hasRow(list, code)) {
            ADD_FAILURE() << "pick list " << quoted(list.title) << " has no row " << quoted(code) << " (cancelled)";
            return {};
        }
    }
    m_shown.back().picked = next.codes;
    return next.codes;
}

}  // namespace host::test
