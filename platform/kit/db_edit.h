#pragma once
// Edit box bound to a field (`dbe...`). Shows the field's edit text while it has
// the focus and its display text otherwise; the field's edit mask and size shape
// the typing. The first change puts the dataset in edit state; the value is
// written through Field::setText when the box is left or Enter is pressed, so
// parsing, validation and the field's handlers run. A refused value keeps the
// typed text and the focus. Esc drops the typed text.
#include "field_control.h"
#include "focus_exit.h"
#include "masked_line_edit.h"

#include <functional>

namespace kit {

class DBEdit : public MaskedLineEdit, public FieldControl {
public:
    explicit DBEdit(QWidget* parent = nullptr);
    DBEdit(DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

    // Typed text not written yet.
    bool isModified() const { return m_modified; }
    // Writes the typed text now (what leaving the box does). Throws when the field refuses it.
    void commit();
    // Drops the typed text and shows the field again.
    void reset();

    // Runs before the box handles a key; return true to swallow it.
    std::function<bool(QKeyEvent*)> onKeyDown;
    // Any change of the text, typed or loaded from the field.
    std::function<void()> onChange;
    // Only changes typed by the user.
    std::function<void()> onEdited;
    // After Esc dropped the typed text and the box shows the field again.
    std::function<void()> onRevert;

    bool hasPendingEdit() const override { return m_modified; }
    void commitPendingEdit() override { commit(); }

protected:
    // The text handed to Field::setText for what the user typed.
    virtual QString valueForField(const QString& typed) const { return typed; }
    // The edit mask (edit_mask.h notation) the box types with.
    virtual QString maskFor(const host::Field& f) const;
    // Puts text in the box as if the user had typed it (a calendar pick). False when the edit is refused.
    bool setTypedText(const QString& value);
    void refresh() override;
    void updateState() override;

    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool event(QEvent* e) override;

private:
    void showFieldText();
    void userEdited();
    bool m_modified = false;
    bool m_focused = false;  // shows the edit text
    FocusTracker m_tracker;
};

}  // namespace kit
