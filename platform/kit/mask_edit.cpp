#include "mask_edit.h"

#include "calendar_popup.h"
#include "focus_exit.h"
#include "guard.h"
#include "host/data/errors.h"
#include "host/data/text_format.h"

#include <QtGui/QKeyEvent>

namespace kit {

MaskEdit::MaskEdit(QWidget* parent) : MaskedLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (onChange) guard(this, onChange);
    });
}

MaskEdit::MaskEdit(const QString& mask, QWidget* parent) : MaskEdit(parent) { setEditMask(mask); }

void MaskEdit::validate() const {
    if (!maskBlank() && !maskComplete()) throw host::UserError(QStringLiteral("O valor informado está incompleto."));
}

void MaskEdit::keyPressEvent(QKeyEvent* e) {
    guard(this, [&] {
        if (onKeyDown && onKeyDown(e)) return;
        MaskedLineEdit::keyPressEvent(e);
    });
}

void MaskEdit::focusInEvent(QFocusEvent* e) {
    MaskedLineEdit::focusInEvent(e);
    m_tracker.focusIn(this, onEnter);
}

void MaskEdit::focusOutEvent(QFocusEvent* e) {
    MaskedLineEdit::focusOutEvent(e);
    m_tracker.focusOut(this, e, [this] {
        validate();
        if (onExit) onExit();
    });
}

const QString DateBox::kDateMask = QStringLiteral("!99/99/0000;1;_");

DateBox::DateBox(QWidget* parent) : MaskEdit(kDateMask, parent) {
    attachCalendar(this, {[this] { return date(); },
                          [this](const QDate& d) {
                              setDate(d);
                              setModified(true);
                          }});
}

std::optional<QDate> DateBox::date() const {
    if (isEmpty()) return std::nullopt;
    const auto parsed = host::parseDateTime(value());
    if (!parsed) return std::nullopt;
    return parsed->date();
}

void DateBox::setDate(std::optional<QDate> date) {
    setValue(date && date->isValid() ? date->toString(QStringLiteral("dd/MM/yyyy")) : QString());
}

void DateBox::validate() const {
    if (isEmpty()) return;
    if (!maskComplete() || !host::parseDateTime(value()))
        throw host::UserError(QStringLiteral("\"%1\" não é uma data válida.").arg(value().trimmed()));
}

}  // namespace kit
