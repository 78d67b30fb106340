#include "filter_expression.h"

#include "errors.h"

#include <QtCore/QDate>
#include <QtCore/QTime>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace host {
namespace {

// Deeper nesting is surely a generated or hostile text; refusing it keeps the
// recursive parser (and the tree's recursive evaluation) far from the stack limit.
constexpr int kMaxNesting = 200;

enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

Op mirrored(Op op) {
    switch (op) {
    case Op::Lt: return Op::Gt;
    case Op::Gt: return Op::Lt;
    case Op::Le: return Op::Ge;
    case Op::Ge: return Op::Le;
    default: return op;
    }
}

// Written with the operators themselves (not a three-way result) so a NaN float
// compares false to everything, as it does everywhere else in C++.
template <typename T>
bool apply(Op op, const T& a, const T& b) {
    switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return !(a == b);
    case Op::Lt: return a < b;
    case Op::Gt: return a > b;
    case Op::Le: return a <= b;
    case Op::Ge: return a >= b;
    }
    return false;
}

bool applyOrder(Op op, int cmp) { return apply(op, cmp, 0); }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// ---- compiled nodes -------------------------------------------------------

struct ConstNode final : FilterNode {
    explicit ConstNode(bool v) : value(v) {}
    bool eval(const Value*) const override { return value; }
    bool value;
};

struct NotNode final : FilterNode {
    explicit NotNode(std::unique_ptr<FilterNode> c) : child(std::move(c)) {}
    bool eval(const Value* row) const override { return !child->eval(row); }
    std::unique_ptr<FilterNode> child;
};

struct AndNode final : FilterNode {
    bool eval(const Value* row) const override {
        for (const auto& c : children)
            if (!c->eval(row)) return false;
        return true;
    }
    std::vector<std::unique_ptr<FilterNode>> children;
};

struct OrNode final : FilterNode {
    bool eval(const Value* row) const override {
        for (const auto& c : children)
            if (c->eval(row)) return true;
        return false;
    }
    std::vector<std::unique_ptr<FilterNode>> children;
};

// `= NULL` / `<> NULL` on a non-string field.
struct NullTestNode final : FilterNode {
    NullTestNode(int i, bool wantNull) : index(i), wantNull(wantNull) {}
    bool eval(const Value* row) const override { return isNull(row[index]) == wantNull; }
    int index;
    bool wantNull;
};

// A null string reads as '' (null and empty are the same thing for strings).
// Returns false in *ok for a value of another type.
inline QStringView stringOf(const Value& v, bool* ok) {
    if (const auto* s = std::get_if<QString>(&v)) return *s;
    *ok = isNull(v);
    return {};
}

bool compareStrings(Op op, QStringView a, QStringView b, Qt::CaseSensitivity cs) {
    if (cs == Qt::CaseSensitive && (op == Op::Eq || op == Op::Ne)) return (a == b) == (op == Op::Eq);
    return applyOrder(op, a.compare(b, cs));
}

struct StringLiteralNode final : FilterNode {
    StringLiteralNode(int i, Op o, QString lit, Qt::CaseSensitivity c) : index(i), op(o), literal(std::move(lit)), cs(c) {}
    bool eval(const Value* row) const override {
        bool ok = true;
        const QStringView s = stringOf(row[index], &ok);
        return ok && compareStrings(op, s, literal, cs);
    }
    int index;
    Op op;
    QString literal;
    Qt::CaseSensitivity cs;
};

struct StringFieldsNode final : FilterNode {
    StringFieldsNode(int a, Op o, int b, Qt::CaseSensitivity c) : left(a), right(b), op(o), cs(c) {}
    bool eval(const Value* row) const override {
        bool ok = true;
        const QStringView a = stringOf(row[left], &ok);
        const QStringView b = stringOf(row[right], &ok);
        return ok && compareStrings(op, a, b, cs);
    }
    int left, right;
    Op op;
    Qt::CaseSensitivity cs;
};

struct NumberLiteral {
    double value = 0;
    bool integral = false;  // written without a fraction and fits qint64: compared exactly with integers
    qint64 integer = 0;
};

struct NumberLiteralNode final : FilterNode {
    NumberLiteralNode(int i, Op o, NumberLiteral n) : index(i), op(o), lit(n) {}
    bool eval(const Value* row) const override {
        const Value& v = row[index];
        if (const auto* i = std::get_if<qint64>(&v))
            return lit.integral ? apply(op, *i, lit.integer) : apply(op, double(*i), lit.value);
        if (const auto* d = std::get_if<double>(&v)) return apply(op, *d, lit.value);
        return false;
    }
    int index;
    Op op;
    NumberLiteral lit;
};

struct NumberFieldsNode final : FilterNode {
    NumberFieldsNode(int a, Op o, int b) : left(a), right(b), op(o) {}
    static bool asDouble(const Value& v, double* out) {
        if (const auto* i = std::get_if<qint64>(&v)) { *out = double(*i); return true; }
        if (const auto* d = std::get_if<double>(&v)) { *out = *d; return true; }
        return false;
    }
    bool eval(const Value* row) const override {
        const Value& a = row[left];
        const Value& b = row[right];
        const auto* ia = std::get_if<qint64>(&a);
        const auto* ib = std::get_if<qint64>(&b);
        if (ia && ib) return apply(op, *ia, *ib);
        double x, y;
        return asDouble(a, &x) && asDouble(b, &y) && apply(op, x, y);
    }
    int left, right;
    Op op;
};

// Booleans and date-times: a value of the field's own type against a literal or another field.
template <typename T>
struct TypedLiteralNode final : FilterNode {
    TypedLiteralNode(int i, Op o, T l) : index(i), op(o), lit(l) {}
    bool eval(const Value* row) const override {
        const auto* v = std::get_if<T>(&row[index]);
        return v && apply(op, *v, lit);
    }
    int index;
    Op op;
    T lit;
};

template <typename T>
struct TypedFieldsNode final : FilterNode {
    TypedFieldsNode(int a, Op o, int b) : left(a), right(b), op(o) {}
    bool eval(const Value* row) const override {
        const auto* a = std::get_if<T>(&row[left]);
        const auto* b = std::get_if<T>(&row[right]);
        return a && b && apply(op, *a, *b);
    }
    int left, right;
    Op op;
};

// ---- literal readers ------------------------------------------------------

// `s` holds an optional sign, digits and at most one decimal separator ('.' or
// the locale's), already checked by the caller.
std::optional<NumberLiteral> convertNumber(QStringView s, QChar decimal) {
    QString norm = s.toString();
    if (decimal != u'.') norm.replace(decimal, u'.');
    bool ok = false;
    NumberLiteral n;
    n.value = norm.toDouble(&ok);
    if (!ok || !std::isfinite(n.value)) return std::nullopt;
    if (!norm.contains(u'.')) n.integer = norm.toLongLong(&n.integral);
    return n;
}

// Text compared with a numeric field: "1000,5", "-3", " 2.25 ".
std::optional<NumberLiteral> readNumberText(QStringView s, QChar decimal) {
    s = s.trimmed();
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) ++i;
    const qsizetype intStart = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == intStart) return std::nullopt;
    if (i < s.size() && (s[i] == u'.' || s[i] == decimal)) {
        const qsizetype fracStart = ++i;
        while (i < s.size() && isDigit(s[i])) ++i;
        if (i == fracStart) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    return convertNumber(s, decimal);
}

// Reads up to maxDigits ASCII digits; fails on none or on more than maxDigits.
bool readDigits(QStringView s, qsizetype* i, int maxDigits, int* value, int* count) {
    const qsizetype start = *i;
    int v = 0;
    while (*i < s.size() && isDigit(s[*i])) {
        if (*i - start == maxDigits) return false;
        v = v * 10 + (s[*i].unicode() - u'0');
        ++*i;
    }
    *count = int(*i - start);
    *value = v;
    return *count > 0;
}

// A date in the locale's day/month/year order, optionally followed by blanks and
// hh:nn or hh:nn:ss. Separators: those of the pattern, '/', '-' or '.'.
std::optional<DateTime> readDateText(QStringView text, const DataLocale& loc) {
    // Which of day, month and year comes first, second and third in the pattern.
    QString order;
    QString seps = QStringLiteral("/-.");
    for (QChar c : loc.datePattern) {
        const QChar l = c.toLower();
        if (l == u'd' || l == u'm' || l == u'y') {
            if (!order.contains(l)) order += l;
        } else if (!c.isLetterOrNumber() && !c.isSpace()) {
            seps += c;
        }
    }
    if (order.size() != 3) order = QStringLiteral("dmy");

    const QStringView s = text.trimmed();
    qsizetype i = 0;
    int day = 0, month = 0, year = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (i >= s.size() || !seps.contains(s[i])) return std::nullopt;
            ++i;
        }
        int v = 0, n = 0;
        const QChar what = order[k];
        if (!readDigits(s, &i, what == u'y' ? 4 : 2, &v, &n)) return std::nullopt;
        if (what == u'd') day = v;
        else if (what == u'm') month = v;
        else if (n == 4) year = v;
        else if (n == 2) year = v < 50 ? 2000 + v : 1900 + v;
        else return std::nullopt;
    }
    int hour = 0, minute = 0, second = 0;
    if (i < s.size()) {
        if (!s[i].isSpace()) return std::nullopt;
        while (i < s.size() && s[i].isSpace()) ++i;
        int n = 0;
        if (!readDigits(s, &i, 2, &hour, &n)) return std::nullopt;
        if (i >= s.size() || s[i] != u':') return std::nullopt;
        ++i;
        if (!readDigits(s, &i, 2, &minute, &n) || n != 2) return std::nullopt;
        if (i < s.size()) {
            if (s[i] != u':') return std::nullopt;
            ++i;
            if (!readDigits(s, &i, 2, &second, &n) || n != 2) return std::nullopt;
        }
        if (i != s.size()) return std::nullopt;
    }
    const QDate d(year, month, day);
    const QTime t(hour, minute, second);
    if (!d.isValid() || !t.isValid()) return std::nullopt;
    return DateTime::fromDate(d, t);
}

// ---- lexer and parser -----------------------------------------------------

enum class Tok { End, LParen, RParen, Compare, Field, Ident, Text, Number, And, Or, Not, Null, True, False };

struct Token {
    Tok kind = Tok::End;
    qsizetype pos = 0;  // 0-based start in the text
    qsizetype end = 0;  // one past the last character
    Op op = Op::Eq;
    QString text;       // field name, decoded text literal, or the number as written
    NumberLiteral number;
};

struct Operand {
    enum Kind { Field, Text, Number, Null, Bool } kind = Null;
    qsizetype pos = 0;
    QString text;  // field name, text value, or the number as written
    FilterFieldInfo field{0, FieldType::String};
    NumberLiteral number;
    bool boolean = false;
};

QString typeName(FieldType t) {
    switch (t) {
    case FieldType::String: return QStringLiteral("texto");
    case FieldType::Float: return QStringLiteral("número");
    case FieldType::Integer: return QStringLiteral("número inteiro");
    case FieldType::Boolean: return QStringLiteral("lógico");
    case FieldType::DateTime: return QStringLiteral("data");
    }
    return {};
}

bool isNumeric(FieldType t) { return t == FieldType::Float || t == FieldType::Integer; }

class Parser {
public:
    Parser(const QString& text, const FilterFieldResolver& resolver, const DataLocale& loc, bool caseInsensitive)
        : m_text(text), m_resolver(resolver), m_loc(loc), m_cs(caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) {}

    std::unique_ptr<FilterNode> parseAll() {
        advance();
        if (m_tok.kind == Tok::End) fail(QStringLiteral("o filtro está vazio."));
        auto root = parseOr(0);
        if (m_tok.kind == Tok::RParen)
            fail(QStringLiteral("')' sem '(' correspondente %1.").arg(at(m_tok.pos)));
        if (m_tok.kind != Tok::End)
            fail(QStringLiteral("texto inesperado '%1' %2.").arg(tokenText(), at(m_tok.pos)));
        return root;
    }

private:
    [[noreturn]] void fail(const QString& what) const { throw UserError(QStringLiteral("Filtro inválido: ") + what); }

    // "na posição 7", or "no fim do filtro (posição 12)" past the last character.
    QString at(qsizetype pos) const {
        if (pos >= m_text.size()) return QStringLiteral("no fim do filtro (posição %1)").arg(pos + 1);
        return QStringLiteral("na posição %1").arg(pos + 1);
    }
    static QString paren(qsizetype pos) { return QStringLiteral("(posição %1)").arg(pos + 1); }

    QString tokenText() const { return m_text.mid(m_tok.pos, m_tok.end - m_tok.pos); }

    // ", encontrado 'x'" for the current token, nothing at the end of the text.
    QString found() const {
        return m_tok.kind == Tok::End ? QString() : QStringLiteral(", encontrado '%1'").arg(tokenText());
    }

    void advance() {
        qsizetype i = m_cursor;
        const qsizetype n = m_text.size();
        while (i < n && m_text[i].isSpace()) ++i;
        Token t;
        t.pos = i;
        if (i >= n) {
            t.kind = Tok::End;
            t.end = i;
            m_cursor = i;
            m_tok = std::move(t);
            return;
        }
        const QChar c = m_text[i];
        if (c == u'(' || c == u')') {
            t.kind = c == u'(' ? Tok::LParen : Tok::RParen;
            ++i;
        } else if (c == u'=' || c == u'<' || c == u'>') {
            t.kind = Tok::Compare;
            const QChar next = i + 1 < n ? m_text[i + 1] : QChar();
            if (c == u'=') {
                t.op = Op::Eq;
                ++i;
            } else if (c == u'<' && next == u'>') {
                t.op = Op::Ne;
                i += 2;
            } else if (next == u'=') {
                t.op = c == u'<' ? Op::Le : Op::Ge;
                i += 2;
            } else {
                t.op = c == u'<' ? Op::Lt : Op::Gt;
                ++i;
            }
        } else if (c == u'[') {
            const qsizetype close = m_text.indexOf(u']', i + 1);
            if (close < 0)
                fail(QStringLiteral("nome de campo iniciado na posição %1 não tem o ']' de fechamento.").arg(i + 1));
            t.kind = Tok::Field;
            t.text = m_text.mid(i + 1, close - i - 1);
            if (t.text.trimmed().isEmpty()) fail(QStringLiteral("nome de campo vazio na posição %1.").arg(i + 1));
            i = close + 1;
        } else if (c == u'\'' || c == u'"') {
            // A doubled quote inside stands for one quote.
            t.kind = Tok::Text;
            qsizetype j = i + 1;
            for (;;) {
                if (j >= n)
                    fail(QStringLiteral("texto iniciado na posição %1 não tem a aspa de fechamento.").arg(i + 1));
                if (m_text[j] == c) {
                    if (j + 1 < n && m_text[j + 1] == c) {
                        t.text += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                t.text += m_text[j];
                ++j;
            }
            i = j + 1;
        } else if (isDigit(c) || (c == u'-' && i + 1 < n && isDigit(m_text[i + 1]))) {
            qsizetype j = i + 1;
            while (j < n && isDigit(m_text[j])) ++j;
            // '.' always, or the locale's separator, directly between digits.
            if (j + 1 < n && (m_text[j] == u'.' || m_text[j] == m_loc.decimalSeparator) && isDigit(m_text[j + 1])) {
                j += 2;
                while (j < n && isDigit(m_text[j])) ++j;
            }
            if (j < n && isWordChar(m_text[j])) {
                qsizetype k = j;
                while (k < n && isWordChar(m_text[k])) ++k;
                fail(QStringLiteral("número inválido '%1' na posição %2.").arg(m_text.mid(i, k - i)).arg(i + 1));
            }
            t.kind = Tok::Number;
            t.text = m_text.mid(i, j - i);
            const auto num = convertNumber(t.text, m_loc.decimalSeparator);
            if (!num) fail(QStringLiteral("número fora do intervalo '%1' na posição %2.").arg(t.text).arg(i + 1));
            t.number = *num;
            i = j;
        } else if (isWordStart(c)) {
            qsizetype j = i + 1;
            while (j < n && isWordChar(m_text[j])) ++j;
            t.text = m_text.mid(i, j - i);
            t.kind = Tok::Ident;
            static const std::pair<const char16_t*, Tok> keywords[] = {
                {u"and", Tok::And}, {u"or", Tok::Or}, {u"not", Tok::Not},
                {u"null", Tok::Null}, {u"true", Tok::True}, {u"false", Tok::False},
            };
            for (const auto& [word, kind] : keywords)
                if (QString::compare(t.text, QStringView(word), Qt::CaseInsensitive) == 0) t.kind = kind;
            i = j;
        } else if (c == u'-') {
            fail(QStringLiteral("número incompleto na posição %1.").arg(i + 1));
        } else {
            fail(QStringLiteral("caractere inesperado '%1' na posição %2.").arg(c).arg(i + 1));
        }
        t.end = i;
        m_cursor = i;
        m_tok = std::move(t);
    }

    std::unique_ptr<FilterNode> parseOr(int depth) {
        auto first = parseAnd(depth);
        if (m_tok.kind != Tok::Or) return first;
        auto node = std::make_unique<OrNode>();
        node->children.push_back(std::move(first));
        while (m_tok.kind == Tok::Or) {
            advance();
            node->children.push_back(parseAnd(depth));
        }
        return node;
    }

    std::unique_ptr<FilterNode> parseAnd(int depth) {
        auto first = parseUnary(depth);
        if (m_tok.kind != Tok::And) return first;
        auto node = std::make_unique<AndNode>();
        node->children.push_back(std::move(first));
        while (m_tok.kind == Tok::And) {
            advance();
            node->children.push_back(parseUnary(depth));
        }
        return node;
    }

    std::unique_ptr<FilterNode> parseUnary(int depth) {
        if (m_tok.kind == Tok::Not || m_tok.kind == Tok::LParen) {
            if (depth >= kMaxNesting)
                fail(QStringLiteral("parênteses ou 'not' aninhados em mais de %1 níveis %2.")
                         .arg(kMaxNesting)
                         .arg(paren(m_tok.pos)));
            if (m_tok.kind == Tok::Not) {
                advance();
                return std::make_unique<NotNode>(parseUnary(depth + 1));
            }
            advance();
            auto inner = parseOr(depth + 1);
            if (m_tok.kind != Tok::RParen) fail(QStringLiteral("esperado ')' %1%2.").arg(at(m_tok.pos), found()));
            advance();
            return inner;
        }
        return parseComparison();
    }

    std::unique_ptr<FilterNode> parseComparison() {
        Operand left = parseOperand();
        if (m_tok.kind != Tok::Compare)
            fail(QStringLiteral("esperado um operador de comparação (=, <>, <, >, <=, >=) %1%2.")
                     .arg(at(m_tok.pos), found()));
        const Op op = m_tok.op;
        advance();
        Operand right = parseOperand();
        return build(std::move(left), op, std::move(right));
    }

    Operand parseOperand() {
        Operand o;
        o.pos = m_tok.pos;
        switch (m_tok.kind) {
        case Tok::Field:
        case Tok::Ident: {
            o.kind = Operand::Field;
            o.text = m_tok.text;
            std::optional<FilterFieldInfo> info;
            if (m_resolver) info = m_resolver(o.text);
            if (!info) fail(QStringLiteral("campo '%1' não existe %2.").arg(o.text, paren(o.pos)));
            if (info->index < 0) throw DataError(QStringLiteral("Filtro: índice inválido para o campo '%1'.").arg(o.text));
            o.field = *info;
            break;
        }
        case Tok::Text: o.kind = Operand::Text; o.text = m_tok.text; break;
        case Tok::Number: o.kind = Operand::Number; o.text = m_tok.text; o.number = m_tok.number; break;
        case Tok::Null: o.kind = Operand::Null; break;
        case Tok::True:
        case Tok::False: o.kind = Operand::Bool; o.boolean = m_tok.kind == Tok::True; break;
        default:
            fail(QStringLiteral("esperado um campo ou valor %1%2.").arg(at(m_tok.pos), found()));
        }
        advance();
        return o;
    }

    static QString describe(const Operand& o) {
        switch (o.kind) {
        case Operand::Field: return QStringLiteral("o campo '%1' (%2)").arg(o.text, typeName(o.field.type));
        case Operand::Text: return QStringLiteral("o texto '%1'").arg(o.text);
        case Operand::Number: return QStringLiteral("o número %1").arg(o.text);
        case Operand::Null: return QStringLiteral("NULL");
        case Operand::Bool: return o.boolean ? QStringLiteral("o valor TRUE") : QStringLiteral("o valor FALSE");
        }
        return {};
    }

    [[noreturn]] void mismatch(const Operand& a, const Operand& b) const {
        fail(QStringLiteral("não é possível comparar %1 com %2 %3.").arg(describe(a), describe(b), paren(std::min(a.pos, b.pos))));
    }

    std::unique_ptr<FilterNode> build(Operand left, Op op, Operand right) {
        if (left.kind != Operand::Field && right.kind == Operand::Field) {
            std::swap(left, right);
            op = mirrored(op);
        }
        if (left.kind != Operand::Field) return std::make_unique<ConstNode>(foldLiterals(left, op, right));
        if (right.kind == Operand::Field) return fieldVsField(left, op, right);
        return fieldVsLiteral(left, op, right);
    }

    std::unique_ptr<FilterNode> fieldVsField(const Operand& a, Op op, const Operand& b) const {
        const FieldType ta = a.field.type, tb = b.field.type;
        const int ia = a.field.index, ib = b.field.index;
        if (ta == FieldType::String && tb == FieldType::String) return std::make_unique<StringFieldsNode>(ia, op, ib, m_cs);
        if (isNumeric(ta) && isNumeric(tb)) return std::make_unique<NumberFieldsNode>(ia, op, ib);
        if (ta == FieldType::Boolean && tb == FieldType::Boolean) return std::make_unique<TypedFieldsNode<bool>>(ia, op, ib);
        if (ta == FieldType::DateTime && tb == FieldType::DateTime)
            return std::make_unique<TypedFieldsNode<DateTime>>(ia, op, ib);
        mismatch(a, b);
    }

    static std::unique_ptr<FilterNode> nullTest(int index, Op op) {
        if (op == Op::Eq) return std::make_unique<NullTestNode>(index, true);
        if (op == Op::Ne) return std::make_unique<NullTestNode>(index, false);
        return std::make_unique<ConstNode>(false);
    }

    std::unique_ptr<FilterNode> fieldVsLiteral(const Operand& f, Op op, const Operand& lit) const {
        const int index = f.field.index;
        switch (f.field.type) {
        case FieldType::String:
            // NULL is '' for strings; a number is matched as written ([CDMARCA] = 12).
            if (lit.kind == Operand::Bool) mismatch(f, lit);
            return std::make_unique<StringLiteralNode>(index, op, lit.kind == Operand::Null ? QString() : lit.text, m_cs);
        case FieldType::Float:
        case FieldType::Integer:
            if (lit.kind == Operand::Null) return nullTest(index, op);
            if (lit.kind == Operand::Number) return std::make_unique<NumberLiteralNode>(index, op, lit.number);
            if (lit.kind == Operand::Text) {
                const auto n = readNumberText(lit.text, m_loc.decimalSeparator);
                if (!n)
                    fail(QStringLiteral("'%1' não é um número válido para o campo '%2' %3.").arg(lit.text, f.text, paren(lit.pos)));
                return std::make_unique<NumberLiteralNode>(index, op, *n);
            }
            mismatch(f, lit);
        case FieldType::Boolean:
            if (lit.kind == Operand::Null) return nullTest(index, op);
            if (lit.kind == Operand::Bool) return std::make_unique<TypedLiteralNode<bool>>(index, op, lit.boolean);
            if (lit.kind == Operand::Text) {
                const auto b = readBoolText(lit.text);
                if (!b)
                    fail(QStringLiteral("'%1' não é um valor lógico válido para o campo '%2'; use TRUE, FALSE, 'S' ou 'N' %3.")
                             .arg(lit.text, f.text, paren(lit.pos)));
                return std::make_unique<TypedLiteralNode<bool>>(index, op, *b);
            }
            mismatch(f, lit);
        case FieldType::DateTime:
            if (lit.kind == Operand::Null) return nullTest(index, op);
            if (lit.kind == Operand::Text) {
                const auto d = readDateText(lit.text, m_loc);
                if (!d)
                    fail(QStringLiteral("'%1' não é uma data válida para o campo '%2'; use %3 ou %3 hh:nn:ss %4.")
                             .arg(lit.text, f.text, m_loc.datePattern, paren(lit.pos)));
                return std::make_unique<TypedLiteralNode<DateTime>>(index, op, *d);
            }
            mismatch(f, lit);
        }
        mismatch(f, lit);
    }

    static std::optional<bool> readBoolText(const QString& s) {
        for (const char16_t* w : {u"true", u"s"})
            if (QString::compare(s, QStringView(w), Qt::CaseInsensitive) == 0) return true;
        for (const char16_t* w : {u"false", u"n"})
            if (QString::compare(s, QStringView(w), Qt::CaseInsensitive) == 0) return false;
        return std::nullopt;
    }

    // Neither side is a field ("1 = 1"): the answer is known now.
    bool foldLiterals(const Operand& a, Op op, const Operand& b) const {
        const auto isNullLike = [](const Operand& o) { return o.kind == Operand::Null; };
        if (isNullLike(a) || isNullLike(b)) {
            const Operand& other = isNullLike(a) ? b : a;
            if (other.kind == Operand::Text) {  // NULL reads as '' beside a text
                const QString l = a.kind == Operand::Text ? a.text : QString();
                const QString r = b.kind == Operand::Text ? b.text : QString();
                return compareStrings(op, l, r, m_cs);
            }
            const bool bothNull = isNullLike(a) && isNullLike(b);
            if (op == Op::Eq) return bothNull;
            if (op == Op::Ne) return !bothNull;
            return false;
        }
        if (a.kind != b.kind) mismatch(a, b);
        switch (a.kind) {
        case Operand::Text: return compareStrings(op, a.text, b.text, m_cs);
        case Operand::Number:
            if (a.number.integral && b.number.integral) return apply(op, a.number.integer, b.number.integer);
            return apply(op, a.number.value, b.number.value);
        case Operand::Bool: return apply(op, a.boolean, b.boolean);
        default: mismatch(a, b);
        }
    }

    const QString& m_text;
    const FilterFieldResolver& m_resolver;
    const DataLocale& m_loc;
    Qt::CaseSensitivity m_cs;
    qsizetype m_cursor = 0;
    Token m_tok;
};

}  // namespace

FilterExpression FilterExpression::parse(const QString& text, const FilterFieldResolver& resolver,
                                         const DataLocale& loc, bool caseInsensitive) {
    Parser parser(text, resolver, loc, caseInsensitive);
    return FilterExpression(std::shared_ptr<const FilterNode>(parser.parseAll()));
}

}  // namespace host
