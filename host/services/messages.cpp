#include "host/services/messages.h"

#include "host/data/errors.h"

#include <algorithm>

namespace host {
namespace {

QString foldedKey(const QString& key) { return key.toCaseFolded(); }

int placeholderCount(const QString& text) {
    int n = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'%') continue;
        const QChar next = text[i + 1];
        if (next == u's' || next == u'S') ++n;
        if (next == u's' || next == u'S' || next == u'%') ++i;
    }
    return n;
}

QString unescaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == u'\\' && (next == u'n' || next == u'r' || next == u't' || next == u'\\')) {
            out += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next == u't' ? QChar(u'\t') : next;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString formatMessage(const QString& text, const QStringList& args) {
    const int expected = placeholderCount(text);
    if (expected != args.size())
        throw DataError(QStringLiteral("A mensagem \"%1\" espera %2 valor(es) e recebeu %3.")
                            .arg(text)
                            .arg(expected)
                            .arg(args.size()));
    QString out;
    out.reserve(text.size());
    int next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar after = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == u'%' && (after == u's' || after == u'S')) {
            out += args[next++];
            ++i;
        } else if (c == u'%' && after == u'%') {
            out += u'%';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

TMessages::TMessages(QString name, const QStringList& lines) : m_name(std::move(name)) {
    for (int i = 0; i < lines.size(); ++i) addLine(lines[i], i + 1);
}

TMessages TMessages::fromText(QString name, const QString& text) {
    TMessages table(std::move(name), {});
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        table.addLine(unescaped(line), i + 1);
    }
    return table;
}

void TMessages::addLine(const QString& line, int lineNumber) {
    const qsizetype bar = line.indexOf(u'|');
    if (bar < 0)
        throw DataError(QStringLiteral("Tabela de mensagens \"%1\", linha %2: falta o \"|\" entre a chave e o texto.")
                            .arg(m_name)
                            .arg(lineNumber));
    const QString key = line.left(bar).trimmed();
    if (key.isEmpty())
        throw DataError(
            QStringLiteral("Tabela de mensagens \"%1\", linha %2: chave vazia.").arg(m_name).arg(lineNumber));
    add(key, line.mid(bar + 1));
}

bool TMessages::contains(const QString& key) const { return m_entries.contains(foldedKey(key)); }

QStringList TMessages::keys() const {
    std::vector<const Entry*> entries;
    for (const Entry& e : m_entries) entries.push_back(&e);
    std::sort(entries.begin(), entries.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });
    QStringList out;
    for (const Entry* e : entries) out << e->key;
    return out;
}

const TMessages::Entry& TMessages::entry(const QString& key) const {
    const auto it = m_entries.constFind(foldedKey(key));
    if (it == m_entries.constEnd())
        throw DataError(
            QStringLiteral("A mensagem \"%1\" não existe na tabela de mensagens \"%2\".").arg(key, m_name));
    return *it;
}

QString TMessages::Msg(const QString& key) const { return entry(key).text; }

QString TMessages::format(const QString& key, const QStringList& args) const {
    const Entry& e = entry(key);
    if (placeholderCount(e.text) != args.size())
        throw DataError(QStringLiteral("A mensagem \"%1\" da tabela \"%2\" espera %3 valor(es) e recebeu %4.")
                            .arg(e.key, m_name)
                            .arg(placeholderCount(e.text))
                            .arg(args.size()));
    return formatMessage(e.text, args);
}

int TMessages::ShowMsg(const QString& key, MessageKind kind, QuestionButtons buttons, const QStringList& args) const {
    const QString text = args.isEmpty() ? Msg(key) : format(key, args);
    if (buttons != QuestionButtons::Ok) return dialogs().ask(kind, text, buttons);
    if (kind == MessageKind::Error)
        dialogs().showError(text);
    else
        dialogs().showMessage(kind, text);
    return kYes;
}

void TMessages::add(const QString& key, const QString& text) {
    if (key.trimmed().isEmpty())
        throw DataError(QStringLiteral("Tabela de mensagens \"%1\": chave vazia.").arg(m_name));
    const QString folded = foldedKey(key);
    if (const auto it = m_entries.constFind(folded); it != m_entries.constEnd())
        throw DataError(QStringLiteral("A chave \"%1\" aparece mais de uma vez na tabela de mensagens \"%2\" (já "
                                       "existe como \"%3\").")
                            .arg(key, m_name, it->key));
    m_entries.insert(folded, Entry{key, text, m_nextOrder++});
}

bool TMessages::remove(const QString& key) { return m_entries.remove(foldedKey(key)) > 0; }

TMessages standardMessages() {
    return TMessages(QStringLiteral("msgPadrao"), {
                                                      QStringLiteral("Excl|Confirma exclusão?"),
                                                      QStringLiteral("Canc|Cancelar operação?"),
                                                      QStringLiteral("Imprime_Obs|Exibe observação do produto?"),
                                                      QStringLiteral("Sim|Sim"),
                                                      QStringLiteral("Nao|Não"),
                                                  });
}

}  // namespace host
