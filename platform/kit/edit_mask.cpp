#include "edit_mask.h"

namespace kit {

namespace {

using host::MaskSlot;

// Characters with a meaning in Qt's input masks: a literal among them is escaped.
bool qtMeta(QChar c) { return QStringLiteral("AaNnXx90Dd#HhBb<>!\\[]{}").contains(c); }

QChar qtCaseSwitch(MaskSlot::Case letterCase) {
    switch (letterCase) {
    case MaskSlot::Upper: return u'>';
    case MaskSlot::Lower: return u'<';
    case MaskSlot::Keep: break;
    }
    return u'!';
}

QChar qtPositionChar(const MaskSlot& s) {
    switch (s.kind) {
    case MaskSlot::Digit: return s.required ? u'9' : u'0';
    case MaskSlot::DigitOrSign: return u'#';
    case MaskSlot::Letter: return s.required ? u'A' : u'a';
    case MaskSlot::LetterOrDigit: return s.required ? u'N' : u'n';
    case MaskSlot::AnyChar: return s.required ? u'X' : u'x';
    case MaskSlot::Literal: break;
    }
    return s.literal;
}

// Whether a stored character lands on this position when a value is laid on
// the edit. Wider than the host's display formatting (any Unicode digit,
// letter or number): the edit must show whatever was stored, and Qt's input
// mask is what checks the typing.
bool landsOn(const MaskSlot& s, QChar c) {
    switch (s.kind) {
    case MaskSlot::Literal: return c == s.literal;
    case MaskSlot::Digit: return c.isDigit();
    case MaskSlot::DigitOrSign: return c.isDigit() || c == u'+' || c == u'-';
    case MaskSlot::Letter: return c.isLetter();
    case MaskSlot::LetterOrDigit: return c.isLetterOrNumber();
    case MaskSlot::AnyChar: return c.isPrint();
    }
    return false;
}

}  // namespace

EditMask::EditMask(const QString& mask) : m_source(mask), m_mask(host::parseEditMask(mask)) {}

QString EditMask::qtInputMask() const {
    if (isEmpty()) return {};
    QString out;
    MaskSlot::Case current = MaskSlot::Keep;
    for (const MaskSlot& s : m_mask.positions) {
        if (s.kind == MaskSlot::Literal) {
            if (qtMeta(s.literal)) out += u'\\';
            out += s.literal;
            continue;
        }
        if (s.letterCase != current) {
            out += qtCaseSwitch(s.letterCase);
            current = s.letterCase;
        }
        out += qtPositionChar(s);
    }
    out += u';';
    out += blank();
    return out;
}

QString EditMask::format(const QString& value, QChar untyped) const {
    if (isEmpty() || value.isEmpty()) return value;
    QString out;
    out.reserve(length());
    qsizetype j = 0;
    for (const MaskSlot& s : m_mask.positions) {
        if (s.kind == MaskSlot::Literal) {
            if (j < value.size() && value.at(j) == s.literal) ++j;
            out += s.literal;
            continue;
        }
        // Skip characters that fit nowhere here (a literal stored by another mask).
        while (j < value.size() && value.at(j) != u' ' && !landsOn(s, value.at(j))) ++j;
        if (j < value.size()) {
            const QChar c = value.at(j++);
            out += c == u' ' ? untyped : host::applyCase(s, c);
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
        const QChar c = i < displayText.size() ? displayText.at(i) : blank();
        if (!isInput(i)) {
            if (savesLiterals()) out += slot(i).literal;
        } else {
            out += typed(c) ? c : u' ';
        }
    }
    if (!savesLiterals()) {
        while (out.endsWith(u' ')) out.chop(1);
    }
    return out;
}

bool EditMask::isBlank(const QString& displayText) const {
    for (int i = 0; i < length() && i < displayText.size(); ++i)
        if (isInput(i) && typed(displayText.at(i))) return false;
    return true;
}

bool EditMask::isComplete(const QString& displayText) const {
    for (int i = 0; i < length(); ++i) {
        if (!isInput(i) || !slot(i).required) continue;
        if (i >= displayText.size() || !typed(displayText.at(i))) return false;
    }
    return true;
}

int EditMask::untypedRestStart(const QString& displayText, int cursor) const {
    int lastTyped = -1;
    for (int i = 0; i < length() && i < displayText.size(); ++i)
        if (isInput(i) && typed(displayText.at(i))) lastTyped = i;
    for (int i = lastTyped + 1; i < length(); ++i) {
        if (!isInput(i)) continue;
        return cursor > i ? i : -1;
    }
    return -1;
}

}  // namespace kit
