#pragma once
// Drop-down list bound to a field (`dcb...`): the user picks a caption, the field
// stores its code (the caption itself when no codes are given). A choice writes
// the field at once; a refused value puts the previous choice back.
#include "field_control.h"
#include "focus_exit.h"

#include <QtWidgets/QComboBox>

namespace kit {

class DBComboBox : public QComboBox, public FieldControl {
public:
    explicit DBComboBox(QWidget* parent = nullptr);

    void setItems(const QStringList& captions, const QStringList& codes = {});
    const QStringList& codes() const { return m_codes; }
    int itemIndexOfField() const;  // -1 when the field holds none of the codes

    std::function<void()> onChange;  // after the user's choice was stored
    std::function<bool(QKeyEvent*)> onKeyDown;

    void showPopup() override;

protected:
    void refresh() override;
    void updateState() override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void chosen(int index);
    QStringList m_codes;
    FocusTracker m_tracker;
};

}  // namespace kit
