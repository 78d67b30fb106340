#pragma once
// Check box bound to a field (`chb...`): a string field stores the checked and
// unchecked codes ("S"/"N" unless set otherwise), a boolean field true/false.
// A click writes the field at once; a refused value leaves the box as the field is.
#include "field_control.h"
#include "focus_exit.h"

#include <QtWidgets/QCheckBox>

namespace kit {

class DBCheckBox : public QCheckBox, public FieldControl {
public:
    explicit DBCheckBox(const QString& caption = {}, QWidget* parent = nullptr);
    DBCheckBox(DataSource* source, const QString& fieldName, const QString& caption, QWidget* parent = nullptr);

    void setValues(const QString& checked, const QString& unchecked);
    const QString& valueChecked() const { return m_checked; }
    const QString& valueUnchecked() const { return m_unchecked; }

    std::function<void()> onClick;  // after the user's click was stored

protected:
    void refresh() override;
    void updateState() override;
    void nextCheckState() override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QString m_checked = QStringLiteral("S");
    QString m_unchecked = QStringLiteral("N");
    FocusTracker m_tracker;
};

}  // namespace kit
