#pragma once
// Message tables (`TMessages`): each screen keeps its texts as lines
// "key|text" and shows them by key. Keys match regardless of letter case;
// texts are kept exactly as written, leading and trailing blanks included
// (some are sent to the server verbatim). A key that is not in the table is a
// programming error and throws DataError naming the key and the table, so a
// test that reaches it fails loudly instead of showing an empty message.
#include "host/services/dialog_service.h"

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <concepts>

namespace host {

// Fills the "%s" placeholders of a text in order ("%S" too); "%%" gives one
// "%"; any other "%" is an ordinary character ("100%."). The number of values
// must match the number of placeholders, else DataError. Values are inserted
// as they are: a "%s" inside a value is not expanded again.
QString formatMessage(const QString& text, const QStringList& args);

class TMessages {
public:
    // One entry per line "key|text": the key is trimmed, the text is everything
    // after the first "|". Refuses (DataError) a line without "|", an empty key
    // and a key given twice (letter case ignored).
    TMessages(QString name, const QStringList& lines);
    // The same from one text, one entry per line (CR LF or LF); blank lines are
    // skipped. Inside a text "\n", "\r", "\t" and "\\" stand for a line feed, a
    // carriage return, a tab and a backslash; any other backslash is literal.
    static TMessages fromText(QString name, const QString& text);

    const QString& name() const { return m_name; }
    int count() const { return int(m_entries.size()); }
    bool contains(const QString& key) const;
    QStringList keys() const;  // as written, in table order

    QString Msg(const QString& key) const;
    QString format(const QString& key, const QStringList& args) const;
    template <typename... Args>
    QString format(const QString& key, const Args&... args) const {
        return format(key, QStringList{messageArg(args)...});
    }

    // Shows the text (filled with `args` when given) and returns kYes or kNo.
    // With QuestionButtons::Ok it is a notice (an error for MessageKind::Error)
    // and returns kYes; otherwise it is a question.
    int ShowMsg(const QString& key, MessageKind kind, QuestionButtons buttons = QuestionButtons::Ok,
                const QStringList& args = {}) const;

    // Entries added while a screen runs (a question composed on the spot).
    void add(const QString& key, const QString& text);  // refuses a key already present
    bool remove(const QString& key);                    // false when it was not there

private:
    struct Entry {
        QString key;  // as written
        QString text;
        int order;
    };

    static QString messageArg(const QString& s) { return s; }
    static QString messageArg(const char* s) { return QString::fromUtf8(s); }
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    static QString messageArg(T v) {
        return QString::number(v);
    }

    void addLine(const QString& line, int lineNumber);
    const Entry& entry(const QString& key) const;

    QString m_name;
    QHash<QString, Entry> m_entries;  // by case-folded key
    int m_nextOrder = 0;
};

// The standard table every screen has: Excl, Canc, Imprime_Obs, Sim, Nao.
TMessages standardMessages();

}  // namespace host
