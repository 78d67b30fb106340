#pragma once
// A line edit that runs an edit mask (see edit_mask.h) through Qt's
// input mask and hands back the value to store.
#include "edit_mask.h"

#include <QtWidgets/QLineEdit>

namespace kit {

class MaskedLineEdit : public QLineEdit {
public:
    explicit MaskedLineEdit(QWidget* parent = nullptr);

    // Mask text; empty removes the mask.
    void setEditMask(const QString& mask);
    const EditMask& editMask() const { return m_mask; }
    bool hasMask() const { return !m_mask.isEmpty(); }

    // Puts a stored value in the edit, laid out on the mask.
    void showValue(const QString& value);
    // The value to store: the typed text through the mask ("" when nothing was typed).
    QString maskedValue() const;
    bool maskBlank() const { return !hasMask() ? text().isEmpty() : m_mask.isBlank(displayText()); }
    bool maskComplete() const { return !hasMask() || m_mask.isComplete(displayText()); }

    // Shows a plain text with the mask switched off (a display text while not focused).
    void showPlain(const QString& text);
    // Switches the mask back on (when entering the edit).
    void restoreMask();

protected:
    // A click or a key in the untyped rest of a masked text puts the cursor at
    // the start of that rest: typing never falls off the end of the mask.
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void snapToUntypedRest();

    EditMask m_mask;
    bool m_maskOn = false;
};

}  // namespace kit
