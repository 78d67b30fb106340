#pragma once
// The classic edit-mask syntax the host hands out (`DateMask`, `PictPess`,
// `DBPict`), and the formatting of stored values through such a mask for
// display (grids show registration numbers and codes formatted).
// parseEditMask is the one reader of mask texts: the edit boxes build their
// editing on what it returns.
//
// A mask has up to three sections separated by ';':
//   body ; save-literals ; blank
// Body characters:
//   0 digit, required        9 digit, optional        # digit or sign, optional
//   L letter, required       l letter, optional
//   A letter or digit, req.  a letter or digit, optional
//   C any character, req.    c any character, optional
//   >  following characters upper case    <  lower case    <>  no conversion
//   !  leading position flag (kept for the edit component; no effect on display)
//   \x the character x as a literal       _ a literal blank
//   anything else is a literal (".", "/", "-", ":", "(", ...)
// Save-literals: "0" stores only the typed characters (the literals are display
// only), "1" (or absent) stores the text with its literals.
// Blank: the character shown in untyped positions; "_" when absent.
//
// Examples: "!99/99/0000;1;_" (date, stored as typed with its slashes),
// "999.999.999-99;0;_" (CPF, stored as its 11 digits).
#include <QtCore/QString>
#include <vector>

namespace host {

struct MaskSlot {
    enum Kind { Literal, Digit, DigitOrSign, Letter, LetterOrDigit, AnyChar };
    enum Case { Keep, Upper, Lower };
    Kind kind = Literal;
    bool required = false;
    QChar literal;  // Literal positions only
    Case letterCase = Keep;
};

// The typed character as the slot stores it (upper or lower case, or as typed).
QChar applyCase(const MaskSlot& slot, QChar c);

struct EditMask {
    std::vector<MaskSlot> positions;
    bool saveLiterals = true;
    bool leadingBlanks = false;  // '!' present
    QChar blank = u'_';

    bool isEmpty() const { return positions.empty(); }
    int inputCount() const;  // positions that take a typed character
    // Groups of input positions separated by literals: the levels of a code picture
    // such as "99.99.999" (3).
    int groupCount() const;
    bool accepts(const MaskSlot& slot, QChar c) const;
};

// Every text is a mask; an empty text is "no mask".
EditMask parseEditMask(const QString& mask);

// A stored value as the mask shows it. With save-literals "0" the value is the
// typed characters only and the literals are put back ("12345678909" through
// "999.999.999-99;0;_" gives "123.456.789-09"); a shorter value stops after its
// last character. A value the mask cannot hold (too long, a character of the
// wrong kind), a mask that stores literals, and an empty mask give the value
// unchanged, so nothing stored is ever hidden or altered.
QString formatMaskText(const QString& mask, const QString& value);

}  // namespace host
