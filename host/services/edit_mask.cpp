#include "host/services/edit_mask.h"

namespace host {
namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

MaskSlot inputSlot(QChar c, MaskSlot::Case letterCase) {
    MaskSlot s;
    s.letterCase = letterCase;
    switch (c.unicode()) {
    case u'0': s.kind = MaskSlot::Digit; s.required = true; break;
    case u'9': s.kind = MaskSlot::Digit; break;
    case u'#': s.kind = MaskSlot::DigitOrSign; break;
    case u'L': s.kind = MaskSlot::Letter; s.required = true; break;
    case u'l': s.kind = MaskSlot::Letter; break;
    case u'A': s.kind = MaskSlot::LetterOrDigit; s.required = true; break;
    case u'a': s.kind = MaskSlot::LetterOrDigit; break;
    case u'C': s.kind = MaskSlot::AnyChar; s.required = true; break;
    case u'c': s.kind = MaskSlot::AnyChar; break;
    default: s.kind = MaskSlot::Literal; s.literal = c; break;
    }
    return s;
}

MaskSlot literalSlot(QChar c) {
    MaskSlot s;
    s.literal = c;
    return s;
}

// Reads the body up to the first unescaped ';'; returns the index after it (or the end).
qsizetype parseBody(const QString& mask, EditMask& out) {
    MaskSlot::Case letterCase = MaskSlot::Keep;
    qsizetype i = 0;
    for (; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u';') return i + 1;
        if (c == u'\\') {
            if (i + 1 < mask.size()) ++i;
            out.positions.push_back(literalSlot(mask[i]));
        } else if (c == u'<' && i + 1 < mask.size() && mask[i + 1] == u'>') {
            letterCase = MaskSlot::Keep;
            ++i;
        } else if (c == u'>') {
            letterCase = MaskSlot::Upper;
        } else if (c == u'<') {
            letterCase = MaskSlot::Lower;
        } else if (c == u'!') {
            out.leadingBlanks = true;
        } else if (c == u'_') {
            out.positions.push_back(literalSlot(u' '));
        } else {
            out.positions.push_back(inputSlot(c, letterCase));
        }
    }
    return i;
}

}  // namespace

int EditMask::inputCount() const {
    int n = 0;
    for (const MaskSlot& s : positions) n += s.kind != MaskSlot::Literal;
    return n;
}

int EditMask::groupCount() const {
    int groups = 0;
    bool inGroup = false;
    for (const MaskSlot& s : positions) {
        const bool input = s.kind != MaskSlot::Literal;
        if (input && !inGroup) ++groups;
        inGroup = input;
    }
    return groups;
}

QChar applyCase(const MaskSlot& slot, QChar c) {
    switch (slot.letterCase) {
    case MaskSlot::Upper: return c.toUpper();
    case MaskSlot::Lower: return c.toLower();
    case MaskSlot::Keep: break;
    }
    return c;
}

bool EditMask::accepts(const MaskSlot& slot, QChar c) const {
    if (!slot.required && (c == u' ' || c == blank)) return true;  // an optional position left untyped
    switch (slot.kind) {
    case MaskSlot::Digit: return isAsciiDigit(c);
    case MaskSlot::DigitOrSign: return isAsciiDigit(c) || c == u'+' || c == u'-';
    case MaskSlot::Letter: return c.isLetter();
    case MaskSlot::LetterOrDigit: return c.isLetter() || isAsciiDigit(c);
    case MaskSlot::AnyChar: return true;
    case MaskSlot::Literal: return c == slot.literal;
    }
    return false;
}

EditMask parseEditMask(const QString& mask) {
    EditMask out;
    qsizetype i = parseBody(mask, out);
    if (i >= mask.size()) return out;
    const qsizetype end = mask.indexOf(u';', i);
    const QString save = mask.mid(i, end < 0 ? -1 : end - i);
    out.saveLiterals = save.trimmed() != QStringLiteral("0");
    if (end >= 0 && end + 1 < mask.size()) out.blank = mask[end + 1];
    return out;
}

QString formatMaskText(const QString& mask, const QString& value) {
    const EditMask m = parseEditMask(mask);
    if (m.isEmpty() || m.saveLiterals || value.isEmpty()) return value;
    QString out;
    QString pendingLiterals;  // written only when a typed character follows them
    qsizetype next = 0;
    for (const MaskSlot& slot : m.positions) {
        if (next == value.size()) break;
        if (slot.kind == MaskSlot::Literal) {
            pendingLiterals += slot.literal;
            continue;
        }
        const QChar c = value[next++];
        if (!m.accepts(slot, c)) return value;
        out += pendingLiterals;
        pendingLiterals.clear();
        out += applyCase(slot, c);
    }
    return next == value.size() ? out : value;
}

}  // namespace host
