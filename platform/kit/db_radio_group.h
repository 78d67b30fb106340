#pragma once
// Radio group bound to a field (`rbt...`/`grb...`): one button per item, each
// item storing its code (the caption itself when no codes are given). A click
// writes the field at once; a refused value puts the selection back.
#include "field_control.h"

#include <QtWidgets/QGroupBox>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;

namespace kit {

class DBRadioGroup : public QGroupBox, public FieldControl {
public:
    explicit DBRadioGroup(const QString& title = {}, QWidget* parent = nullptr);

    void setItems(const QStringList& captions, const QStringList& codes = {});
    void setColumns(int columns);
    const QStringList& codes() const { return m_codes; }
    int itemIndex() const;  // -1 when the field holds none of the codes
    QAbstractButton* button(int index) const;

    std::function<void()> onClick;  // after the user's choice was stored

protected:
    void refresh() override;
    void updateState() override;

private:
    void layoutButtons();
    void chosen(int index);

    QButtonGroup* m_group;
    QGridLayout* m_layout;
    QStringList m_captions;
    QStringList m_codes;
    int m_columns = 1;
};

}  // namespace kit
