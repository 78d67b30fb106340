#pragma once
// How values cross into and out of SQL.
//
// Dates and times: PostgreSQL stores TIMESTAMP(0); SQLite stores TEXT in the one
// form 'YYYY-MM-DD HH:MM:SS' (a CHECK on every date column refuses anything else),
// which sorts and compares correctly as text. Both are naive wall-clock values, as
// host::DateTime is: no time zone is ever applied.
//
// Empty texts are bound as NULL: the datasets store an empty string as null, and
// the lookups rely on NVL/COALESCE treating an empty parameter as "not given".
#include "host/data/field_def.h"
#include "host/data/value.h"

#include <QtCore/QDateTime>
#include <QtCore/QString>
#include <QtCore/QVariant>

namespace afdb {

// 'YYYY-MM-DD HH:MM:SS' (seconds; milliseconds are dropped).
QString dateTimeText(const QDateTime& dt);
QString dateTimeText(const host::DateTime& dt);

// Reads a stored date-time: a QDateTime (PostgreSQL) or text (SQLite; also
// accepts 'T' as separator, fractions and a bare date). Returns an invalid
// QDateTime for null; throws DbError for text that is not a date.
// The result carries Qt::UTC so its wall-clock fields are the stored ones.
QDateTime readDateTime(const QVariant& v);

// Normalises a value about to be bound: empty text -> NULL, date-times and dates
// -> canonical text. Other values pass unchanged.
QVariant toSqlParam(const QVariant& v);
QVariant toSqlParam(const host::Value& v);

// A column value read back as a dataset value of the given type (null stays null;
// numbers stored as text are refused with DbError rather than read as 0).
host::Value fromSql(const QVariant& v, host::FieldType type);

}  // namespace afdb
