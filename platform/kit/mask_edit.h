#pragma once
// Unbound edit boxes of filter panels and dialogs: the masked edit (`med...`)
// and the date box (`dep...`). Leaving one with a partly typed mask, or with a
// text that is not a date, shows an error and keeps the focus.
#include "focus_exit.h"
#include "masked_line_edit.h"

#include <QtCore/QDate>
#include <functional>
#include <optional>

namespace kit {

class MaskEdit : public MaskedLineEdit {
public:
    explicit MaskEdit(QWidget* parent = nullptr);
    explicit MaskEdit(const QString& mask, QWidget* parent = nullptr);

    // The typed value as it would be stored (see EditMask::extract).
    QString value() const { return maskedValue(); }
    void setValue(const QString& value) { showValue(value); }
    bool isEmpty() const { return maskBlank(); }
    // Throws UserError when the text is not acceptable (mask partly filled).
    virtual void validate() const;

    std::function<bool(QKeyEvent*)> onKeyDown;  // true swallows the key
    std::function<void()> onChange;             // any change of the text
    std::function<void()> onEnter;
    std::function<void()> onExit;               // throwing keeps the focus here

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    FocusTracker m_tracker;
};

class DateBox : public MaskEdit {
public:
    static const QString kDateMask;  // "!99/99/0000;1;_"
    explicit DateBox(QWidget* parent = nullptr);

    // The date typed; nullopt when empty or not a date.
    std::optional<QDate> date() const;
    void setDate(std::optional<QDate> date);
    // Empty or a valid date; otherwise throws UserError ("... não é uma data válida.").
    void validate() const override;
};

}  // namespace kit
