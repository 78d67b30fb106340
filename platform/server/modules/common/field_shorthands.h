#pragma once
// Shorthands for packet field definitions, so layouts read one field a line.
// Labels are UTF-8 (the screens' Portuguese captions).
#include "host/data/field_def.h"

namespace platform::server::modules::fieldDefs {

inline host::FieldDef str(const char* name, int size, const char* label = nullptr) {
    return host::FieldDef::string(QString::fromLatin1(name), size, label ? QString::fromUtf8(label) : QString());
}
inline host::FieldDef hid(const char* name, int size) { return str(name, size).hidden(); }
inline host::FieldDef fixed(const char* name, int size) {
    host::FieldDef f = str(name, size);
    f.fixedLength = true;
    return f;
}
inline host::FieldDef num(const char* name, const char* label = nullptr, const char* display = nullptr) {
    return host::FieldDef::floating(QString::fromLatin1(name), label ? QString::fromUtf8(label) : QString(),
                                    display ? QString::fromLatin1(display) : QString());
}
inline host::FieldDef date(const char* name, const char* label = nullptr) {
    return host::FieldDef::dateTime(QString::fromLatin1(name), label ? QString::fromUtf8(label) : QString());
}

}  // namespace platform::server::modules::fieldDefs
