#pragma once
// Lookup texts whose optional parameters fall back to the column through the
// engine's null function.
#include <QtCore/QString>

namespace host {
class LookupQuery;
}

namespace afdesk {

// `withNullFunction` holds %1 where the engine's null function goes (NVL,
// ISNULL or COALESCE by dialect); `defaultText` binds the optional parameters
// through PARAM for the engines without a text of their own.
void setNullableSql(host::LookupQuery& q, const QString& withNullFunction, const QString& defaultText);

}  // namespace afdesk
