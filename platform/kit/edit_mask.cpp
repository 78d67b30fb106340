#include "edit_mask.h"

#include <QtCore/QStringList>

namespace kit {

namespace {

// Characters with a meaning in Qt's input masks: a literal among them is escaped.
bool qtMeta(QChar c) { return QStringLiteral("AaNnXx90Dd#HhBb<>!\\[]{}").contains(c); }

}  // namespace

EditMask::EditMask(const QString& mask) : m_source(mask) {
    // Sections are split on the last two ';' so a literal ';' inside the picture survives.
    QString picture = mask;
    const int last = int(mask.lastIndexOf(u';'));
    if (last >= 0) {
        const int previous = last > 0 ? int(mask.lastIndexOf(u';', last - 1)) : -1;
        if (previous >= 0 && last - previous <= 2) {
            picture = mask.left(previous);
            const QString save = mask.mid(previous + 1, last - previous - 1);
            m_saveLiterals = save != QStringLiteral("0");
            const QString blank = mask.mid(last + 1);
            if (!blank.isEmpty()) m_blank = blank.at(0);
        } else if (mask.size() - last <= 2) {
            picture = mask.left(last);
            m_saveLiterals = mask.mid(last + 1) != QStringLiteral("0");
        }
    }

    Case letterCase = Case::Keep;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        Slot s;
        s.letterCase = letterCase;
        switch (c.unicode()) {
        case u'!':
            if (i == 0) continue;
            s.literal = c;
            break;
        case u'>':
            letterCase = Case::Upper;
            continue;
        case u'<':
            if (i + 1 < picture.size() && picture.at(i + 1) == u'>') {  // "<>": no conversion
                letterCase = Case::Keep;
                ++i;
            } else {
                letterCase = Case::Lower;
            }
            continue;
        case u'\\':
            if (++i < picture.size()) s.literal = picture.at(i);
            else continue;
            break;
        case u'0': s.kind = Kind::Digit; s.required = true; break;
        case u'9': s.kind = Kind::Digit; break;
        case u'#': s.kind = Kind::DigitOrSign; break;
        case u'L': s.kind = Kind::Letter; s.required = true; break;
        case u'l': s.kind = Kind::Letter; break;
        case u'A': s.kind = Kind::Alnum; s.required = true; break;
        case u'a': s.kind = Kind::Alnum; break;
        case u'C': s.kind = Kind::Any; s.required = true; break;
        case u'c': s.kind = Kind::Any; break;
        case u'_': s.literal = u' '; break;
        default: s.literal = c; break;
        }
        m_slots.push_back(s);
    }
}

QString EditMask::qtInputMask() const {
    if (isEmpty()) return {};
    QString out;
    Case current = Case::Keep;
    for (const Slot& s : m_slots) {
        if (s.kind != Kind::Literal && s.letterCase != current) {
            out += s.letterCase == Case::Upper ? u'>' : s.letterCase == Case::Lower ? u'<' : u'!';
            current = s.letterCase;
        }
        switch (s.kind) {
        case Kind::Literal:
            if (qtMeta(s.literal)) out += u'\\';
            out += s.literal;
            break;
        case Kind::Digit: out += s.required ? u'9' : u'0'; break;
        case Kind::DigitOrSign: out += u'#'; break;
        case Kind::Letter: out += s.required ? u'A' : u'a'; break;
        case Kind::Alnum: out += s.required ? u'N' : u'n'; break;
        case Kind::Any: out += s.required ? u'X' : u'x'; break;
        }
    }
    out += u';';
    out += m_blank;
    return out;
}

bool EditMask::accepts(const Slot& s, QChar c) const {
    switch (s.kind) {
    case Kind::Literal: return c == s.literal;
    case Kind::Digit: return c.isDigit();
    case Kind::DigitOrSign: return c.isDigit() || c == u'+' || c == u'-';
    case Kind::Letter: return c.isLetter();
    case Kind::Alnum: return c.isLetterOrNumber();
    case Kind::Any: return c.isPrint();
    }
    return false;
}

QString EditMask::format(const QString& value, QChar untyped) const {
    if (isEmpty() || value.isEmpty()) return value;
    QString out;
    out.reserve(length());
    qsizetype j = 0;
    for (const Slot& s : m_slots) {
        if (s.kind == Kind::Literal) {
            if (j < value.size() && value.at(j) == s.literal) ++j;
            out += s.literal;
            continue;
        }
        // Skip characters that fit nowhere here (a literal stored by another mask).
        while (j < value.size() && value.at(j) != u' ' && !accepts(s, value.at(j))) ++j;
        if (j < value.size()) {
            QChar c = value.at(j++);
            if (s.letterCase == Case::Upper) c = c.toUpper();
            else if (s.letterCase == Case::Lower) c = c.toLower();
            if (c == u' ') c = untyped;
            out += c;
        } else {
            out += untyped;
        }
    }
    return out;
}

QString EditMask::extract(const QString& displayText) const {
    if (isEmpty()) return displayText;
    if (isBlank(displayText)) return {};
    QString out;
    for (int i = 0; i < length(); ++i) {
        const Slot& s = m_slots[size_t(i)];
        const QChar c = i < displayText.size() ? displayText.at(i) : m_blank;
        if (s.kind == Kind::Literal) {
            if (m_saveLiterals) out += s.literal;
        } else {
            out += typed(c) ? c : u' ';
        }
    }
    if (!m_saveLiterals) {
        while (out.endsWith(u' ')) out.chop(1);
    }
    return out;
}

bool EditMask::isBlank(const QString& displayText) const {
    for (int i = 0; i < length() && i < displayText.size(); ++i)
        if (m_slots[size_t(i)].kind != Kind::Literal && typed(displayText.at(i))) return false;
    return true;
}

bool EditMask::isComplete(const QString& displayText) const {
    for (int i = 0; i < length(); ++i) {
        const Slot& s = m_slots[size_t(i)];
        if (s.kind == Kind::Literal || !s.required) continue;
        if (i >= displayText.size() || !typed(displayText.at(i))) return false;
    }
    return true;
}

int EditMask::untypedRestStart(const QString& displayText, int cursor) const {
    int lastTyped = -1;
    for (int i = 0; i < length() && i < displayText.size(); ++i)
        if (m_slots[size_t(i)].kind != Kind::Literal && typed(displayText.at(i))) lastTyped = i;
    for (int i = lastTyped + 1; i < length(); ++i) {
        if (m_slots[size_t(i)].kind == Kind::Literal) continue;
        return cursor > i ? i : -1;
    }
    return -1;
}

}  // namespace kit
