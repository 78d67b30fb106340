#pragma once
// Edit masks in the notation the screens and field definitions use:
//
//   "!99/99/0000;1;_"   "999.999.999-99"   "99.999.999/9999-99"   ">aaaa;0; "
//
// '0' required digit, '9' optional digit, '#' optional digit or sign,
// 'L'/'l' required/optional letter, 'A'/'a' required/optional letter or digit,
// 'C'/'c' required/optional any character, '>' upper case from here, '<' lower
// case, "<>" no conversion, '\' takes the next character as a literal, a
// leading '!' is accepted (blank handling is the same either way); any other
// character is a literal. Sections after ';': "1" (default) stores the literals
// with the value, "0" stores only what was typed; the third is the character
// shown for positions not yet typed (default '_').
//
// The line edit runs the mask through Qt's input mask; this class translates it
// and converts between stored values and the edit's text.
#include <QtCore/QString>
#include <vector>

namespace kit {

class EditMask {
public:
    EditMask() = default;
    explicit EditMask(const QString& mask);

    bool isEmpty() const { return m_slots.empty(); }
    const QString& source() const { return m_source; }
    bool savesLiterals() const { return m_saveLiterals; }
    QChar blank() const { return m_blank; }
    int length() const { return int(m_slots.size()); }

    // The same mask as a QLineEdit::setInputMask text.
    QString qtInputMask() const;

    // A stored value laid out on the mask as it is displayed (untyped positions
    // as `untyped`); empty value gives empty text.
    QString format(const QString& value, QChar untyped = u' ') const;
    // The value to store from an edit's displayed text (QLineEdit::displayText(),
    // untyped positions shown as blank()). Untyped positions become spaces;
    // trailing spaces of a value without literals are dropped; nothing typed gives "".
    QString extract(const QString& displayText) const;
    // Nothing typed at all.
    bool isBlank(const QString& displayText) const;
    // Every required position holds a character.
    bool isComplete(const QString& displayText) const;
    // Where a character typed at `cursor` belongs when the cursor sits in the
    // untyped rest of the text (after the last typed position): the first
    // position of that rest. -1 when the cursor is not past it, or all is typed.
    int untypedRestStart(const QString& displayText, int cursor) const;

private:
    enum class Kind { Literal, Digit, DigitOrSign, Letter, Alnum, Any };
    enum class Case { Keep, Upper, Lower };
    struct Slot {
        Kind kind = Kind::Literal;
        bool required = false;
        Case letterCase = Case::Keep;
        QChar literal;
    };
    bool accepts(const Slot& s, QChar c) const;
    bool typed(QChar c) const { return c != m_blank && c != u' '; }

    QString m_source;
    std::vector<Slot> m_slots;
    bool m_saveLiterals = true;
    QChar m_blank = u'_';
};

}  // namespace kit
