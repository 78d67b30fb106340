#include "field_def.h"

namespace host {

QString fieldTypeName(FieldType t) {
    switch (t) {
    case FieldType::String: return QStringLiteral("string");
    case FieldType::Float: return QStringLiteral("float");
    case FieldType::Integer: return QStringLiteral("integer");
    case FieldType::Boolean: return QStringLiteral("boolean");
    case FieldType::DateTime: return QStringLiteral("datetime");
    }
    return {};
}

bool fieldTypeFromName(const QString& name, FieldType* out) {
    for (FieldType t : {FieldType::String, FieldType::Float, FieldType::Integer, FieldType::Boolean,
                        FieldType::DateTime}) {
        if (fieldTypeName(t) == name) {
            *out = t;
            return true;
        }
    }
    return false;
}

FieldDef FieldDef::string(QString name, int size, QString label) {
    FieldDef f;
    f.name = std::move(name);
    f.type = FieldType::String;
    f.size = size;
    f.displayLabel = std::move(label);
    return f;
}

FieldDef FieldDef::floating(QString name, QString label, QString displayFormat) {
    FieldDef f;
    f.name = std::move(name);
    f.type = FieldType::Float;
    f.displayLabel = std::move(label);
    f.displayFormat = std::move(displayFormat);
    f.alignment = Qt::AlignRight;
    return f;
}

FieldDef FieldDef::integer(QString name, QString label) {
    FieldDef f;
    f.name = std::move(name);
    f.type = FieldType::Integer;
    f.displayLabel = std::move(label);
    f.alignment = Qt::AlignRight;
    return f;
}

FieldDef FieldDef::boolean(QString name, QString label) {
    FieldDef f;
    f.name = std::move(name);
    f.type = FieldType::Boolean;
    f.displayLabel = std::move(label);
    f.alignment = Qt::AlignCenter;
    return f;
}

FieldDef FieldDef::dateTime(QString name, QString label) {
    FieldDef f;
    f.name = std::move(name);
    f.type = FieldType::DateTime;
    f.displayLabel = std::move(label);
    return f;
}

}  // namespace host
