#pragma once
// What every control bound to one field shares: finding the field through the
// data source, whether the user may change it, putting the dataset in edit
// state when the user starts typing, and the enter/exit handlers of screens.
#include "data_source.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>

class QWidget;

namespace kit {

class FieldControl : public DataLink {
public:
    explicit FieldControl(QWidget* self) : m_self(self) {}

    void bind(DataSource* source, const QString& fieldName);
    void setFieldName(const QString& name);
    const QString& fieldName() const { return m_fieldName; }
    host::Field* field() const;  // nullptr when the source is inactive or has no such field

    // Read-only set by the screen, on top of the field's and the data source's own rules.
    void setControlReadOnly(bool on);
    bool controlReadOnly() const { return m_readOnly; }
    // The user may change the value now (typing would put the dataset in edit state).
    bool canModify() const;

    // Screen handlers, run when the user moves into / out of the control. A handler
    // that throws keeps the focus in the control (after the error is shown).
    std::function<void()> onEnter;
    std::function<void()> onExit;

    QWidget* control() override { return m_self; }
    QString boundFieldName() const override { return m_fieldName; }
    void dataEvent(const host::DataEvent& event) override;
    void sourceChanged() override;

protected:
    // Position of the field's value among stored codes (blanks around either ignored),
    // -1 when it holds none of them; controls that map captions to codes share it.
    int indexOfFieldValue(const QStringList& codes) const;
    // The user starts a change: puts the dataset in edit state. False (error shown) when refused.
    bool beginChange();
    // Ensures edit state before a value is written; throws when refused.
    void ensureEditing();
    // Shows the field's current value, dropping typed text.
    virtual void refresh() = 0;
    // Re-applies read-only and look after a state change.
    virtual void updateState() = 0;

    QWidget* m_self;
    bool m_refreshing = false;

private:
    QString m_fieldName;
    bool m_readOnly = false;
};

}  // namespace kit
