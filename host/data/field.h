#pragma once
// One field of a dataset: its definition plus typed access to the value of the
// dataset's active record (the current row, the edit buffer, or the row being
// calculated or filtered).
#include "errors.h"
#include "field_def.h"
#include "value.h"

#include <QtCore/QVariant>
#include <functional>

namespace host {

class Dataset;

// A value refused for one field: the screen can put the focus on that field.
class FieldError : public UserError {
public:
    FieldError(QString fieldName, QString message) : UserError(std::move(message)), m_field(std::move(fieldName)) {}
    const QString& fieldName() const noexcept { return m_field; }

private:
    QString m_field;
};

class Field {
public:
    Field(Dataset& owner, FieldDef def, int index, bool definedInCode);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    // Definition.
    const FieldDef& def() const { return m_def; }
    const QString& name() const { return m_def.name; }
    FieldType type() const { return m_def.type; }
    int size() const { return m_def.size; }
    int index() const { return m_index; }
    bool isCalculated() const { return m_def.calculated; }
    bool definedInCode() const { return m_definedInCode; }
    Dataset& dataset() const { return m_owner; }
    QString displayLabel() const { return m_def.displayLabel.isEmpty() ? m_def.name : m_def.displayLabel; }
    bool visible() const { return m_def.visible; }
    bool readOnly() const { return m_def.readOnly; }
    bool required() const { return m_def.required; }
    const QString& displayFormat() const { return m_def.displayFormat; }
    const QString& editFormat() const { return m_def.editFormat; }
    const QString& editMask() const { return m_def.editMask; }
    Qt::Alignment alignment() const { return m_def.alignment; }
    void setDisplayLabel(const QString& v) { m_def.displayLabel = v; }
    void setVisible(bool v);
    void setReadOnly(bool v) { m_def.readOnly = v; }
    void setRequired(bool v) { m_def.required = v; }
    void setDisplayFormat(const QString& v);
    void setEditFormat(const QString& v) { m_def.editFormat = v; }
    void setEditMask(const QString& v) { m_def.editMask = v; }
    void setAlignment(Qt::Alignment a) { m_def.alignment = a; }

    // Integer marker handlers use to talk to each other.
    int tag() const { return m_tag; }
    void setTag(int t) { m_tag = t; }

    // Reading the active record. A null reads as "", 0, false or the zero date.
    bool isNull() const;
    const Value& value() const;
    QVariant asVariant() const;
    QString asString() const;
    double asFloat() const;
    qint64 asInteger() const;
    bool asBoolean() const;
    DateTime asDateTime() const;  // null: 30/12/1899 00:00, the classic zero date
    // Value before the current edit (the row as it was when the edit began), and the edit's value.
    Value oldValue() const;
    Value newValue() const { return value(); }

    // Writing the active record (edit or insert state; calculated fields while calculating).
    // The value is converted to the field's type; an empty string is stored as null.
    void setValue(const Value& v);
    void setVariant(const QVariant& v);
    void setAsString(const QString& v) { setValue(Value(v)); }
    void setAsFloat(double v) { setValue(Value(v)); }
    void setAsInteger(qint64 v) { setValue(Value(v)); }
    void setAsBoolean(bool v) { setValue(Value(v)); }
    void setAsDateTime(DateTime v) { setValue(Value(v)); }
    void clear() { setValue(Value{}); }

    // Text for display (display format) and for editing (edit format), and the user's typed text.
    QString displayText() const;
    QString text() const;
    void setText(const QString& text);

    // Converts v to this field's type; throws FieldError when it does not fit.
    Value convert(const Value& v) const;
    // Text of any value as this field would display it (grids format other rows with it).
    QString formatValue(const Value& v, bool forDisplay) const;

    // Handlers. Throwing from onValidate refuses the value (the field keeps its
    // old one); onChange runs after the value is stored.
    std::function<void(Field&)> onValidate;
    std::function<void(Field&)> onChange;
    std::function<QString(const Field&, bool displayText)> onGetText;
    std::function<void(Field&, const QString&)> onSetText;

private:
    friend class Dataset;
    QString defaultText(const Value& v, bool forDisplay) const;
    [[noreturn]] void refuse(const QString& message) const;

    Dataset& m_owner;
    FieldDef m_def;
    int m_index;
    bool m_definedInCode;
    int m_tag = 0;
};

}  // namespace host
