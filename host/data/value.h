#pragma once
// The value held in one field of one row: a real null or one typed value.
//
// Date-times are "naive" wall-clock values (no time zone): milliseconds since
// 1970-01-01 00:00 counted as if in UTC. Business dates must never shift with
// the machine's zone or daylight-saving rules, and a local midnight that does
// not exist on a DST day must still be storable.
#include <QtCore/QDateTime>
#include <QtCore/QString>
#include <cstdint>
#include <variant>

namespace host {

struct DateTime {
    qint64 msecs = 0;  // since 1970-01-01T00:00 naive
    friend bool operator==(const DateTime&, const DateTime&) = default;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;

    static DateTime fromQDateTime(const QDateTime& dt);  // wall-clock fields kept as they are
    static DateTime fromDate(const QDate& d, const QTime& t = QTime(0, 0));
    QDateTime toQDateTime() const;  // in UTC, so the wall-clock fields read back unchanged
    QDate date() const;
    QTime time() const;
};

// Index order matches FieldType for string..boolean; monostate is null.
using Value = std::variant<std::monostate, QString, double, qint64, bool, DateTime>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// Total order used by index sorting: null first, then by type, then by value.
// Strings compare case-insensitively, ties broken case-sensitively.
int compareValues(const Value& a, const Value& b);

}  // namespace host
