#include "masked_line_edit.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>

namespace kit {

MaskedLineEdit::MaskedLineEdit(QWidget* parent) : QLineEdit(parent) {}

void MaskedLineEdit::setEditMask(const QString& mask) {
    if (mask == m_mask.source() && m_maskOn == hasMask()) return;
    const QString value = hasMask() ? maskedValue() : text();
    m_mask = EditMask(mask);
    m_maskOn = hasMask();
    setInputMask(m_mask.qtInputMask());
    showValue(value);
}

void MaskedLineEdit::showValue(const QString& value) {
    restoreMask();
    if (!hasMask()) {
        setText(value);
        return;
    }
    // Untyped positions go in as the blank character, which Qt's optional positions take.
    setText(value.isEmpty() ? QString() : m_mask.format(value, m_mask.blank()));
}

QString MaskedLineEdit::maskedValue() const {
    if (!hasMask() || !m_maskOn) return text();
    return m_mask.extract(displayText());
}

void MaskedLineEdit::showPlain(const QString& plain) {
    if (m_maskOn) {
        setInputMask(QString());
        m_maskOn = false;
    }
    setText(plain);
}

void MaskedLineEdit::restoreMask() {
    if (m_maskOn || !hasMask()) return;
    setInputMask(m_mask.qtInputMask());
    m_maskOn = true;
}

void MaskedLineEdit::snapToUntypedRest() {
    if (!hasMask() || !m_maskOn || hasSelectedText()) return;
    const int start = m_mask.untypedRestStart(displayText(), cursorPosition());
    if (start >= 0) setCursorPosition(start);
}

void MaskedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) snapToUntypedRest();
}

void MaskedLineEdit::keyPressEvent(QKeyEvent* event) {
    const QString typedText = event->text();
    const bool printable = !typedText.isEmpty() && typedText.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (printable) snapToUntypedRest();
    QLineEdit::keyPressEvent(event);
}

}  // namespace kit
