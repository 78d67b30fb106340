#pragma once
// Short forms for the datasets defined in code: field definitions by name,
// size and label, and the text handlers several datasets share.
#include "host/data/dataset.h"
#include "host/services/consiste.h"

#include <initializer_list>

namespace afdesk::fieldDefs {

inline host::FieldDef str(const char* name, int size, const char* label = nullptr) {
    return host::FieldDef::string(QString::fromLatin1(name), size, label ? QString::fromUtf8(label) : QString());
}
inline host::FieldDef hid(const char* name, int size, const char* label = nullptr) {
    return str(name, size, label).hidden();
}
inline host::FieldDef fixed(const char* name, int size) {
    host::FieldDef f = str(name, size);
    f.fixedLength = true;
    return f;
}
inline host::FieldDef date(const char* name, const char* label = nullptr) {
    return host::FieldDef::dateTime(QString::fromLatin1(name), label ? QString::fromUtf8(label) : QString());
}
// Dates the user types through the session's date mask.
inline host::FieldDef maskedDate(const char* name, const char* label = nullptr) {
    return date(name, label).withEditMask(host::DateMask());
}

inline void addAll(host::Dataset& ds, std::initializer_list<host::FieldDef> defs) {
    for (const host::FieldDef& d : defs) ds.addField(d);
}

// Registration numbers show through their type's picture, except while typed
// (the edit text is the raw number).
inline void showInscricao(host::Field& number, const char* typeField) {
    const QString type = QString::fromLatin1(typeField);
    number.onGetText = [type](const host::Field& f, bool display) {
        const QString raw = f.asString();
        return display ? host::FormataInscricao(raw, f.dataset().field(type).asString()) : raw;
    };
}

}  // namespace afdesk::fieldDefs
