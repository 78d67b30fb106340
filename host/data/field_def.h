#pragma once
// The definition of one dataset field, independent of any dataset instance.
#include <QtCore/QString>
#include <QtCore/Qt>

namespace host {

enum class FieldType { String = 1, Float = 2, Integer = 3, Boolean = 4, DateTime = 5 };

QString fieldTypeName(FieldType t);                 // "string", "float", ... (packet names)
bool fieldTypeFromName(const QString& name, FieldType* out);

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;  // maximum characters, strings only
    QString displayLabel;  // empty: the name is shown
    bool visible = true;
    bool readOnly = false;  // refuses the user's text edits; code may still assign
    bool required = false;  // a post with this field null is refused
    QString displayFormat;
    QString editFormat;
    QString editMask;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool calculated = false;  // filled by the calc-fields handler, never stored in packets
    bool fixedLength = false;  // CHAR semantics: stored values are padded with blanks to size

    static FieldDef string(QString name, int size, QString label = {});
    static FieldDef floating(QString name, QString label = {}, QString displayFormat = {});
    static FieldDef integer(QString name, QString label = {});
    static FieldDef boolean(QString name, QString label = {});
    static FieldDef dateTime(QString name, QString label = {});

    // Fluent modifiers so definitions read as one line each.
    FieldDef& hidden() { visible = false; return *this; }
    FieldDef& asRequired() { required = true; return *this; }
    FieldDef& asReadOnly() { readOnly = true; return *this; }
    FieldDef& asCalculated() { calculated = true; return *this; }
    FieldDef& withDisplayFormat(QString f) { displayFormat = std::move(f); return *this; }
    FieldDef& withEditFormat(QString f) { editFormat = std::move(f); return *this; }
    FieldDef& withEditMask(QString m) { editMask = std::move(m); return *this; }
    FieldDef& withAlignment(Qt::Alignment a) { alignment = a; return *this; }
};

}  // namespace host
