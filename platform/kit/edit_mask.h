#pragma once
// The edit box's side of an edit mask ("!99/99/0000;1;_", "999.999.999-99;0;_",
// ">aaaa;0; "). The mask's text is read by the host's parser, the one grammar
// of masks (host/services/edit_mask.h, where the notation is described); this
// class runs the parsed mask through Qt's input mask and converts between
// stored values and the edit's text. The '!' flag changes nothing here: blank
// handling is the same either way.
#include "host/services/edit_mask.h"

#include <QtCore/QString>

namespace kit {

class EditMask {
public:
    EditMask() = default;
    explicit EditMask(const QString& mask);

    bool isEmpty() const { return m_mask.isEmpty(); }
    const QString& source() const { return m_source; }
    bool savesLiterals() const { return m_mask.saveLiterals; }
    QChar blank() const { return m_mask.blank; }
    int length() const { return int(m_mask.positions.size()); }

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
    const host::MaskSlot& slot(int i) const { return m_mask.positions[size_t(i)]; }
    bool isInput(int i) const { return slot(i).kind != host::MaskSlot::Literal; }
    bool typed(QChar c) const { return c != blank() && c != u' '; }

    QString m_source;
    host::EditMask m_mask;
};

}  // namespace kit
