#pragma once
// The AF list criteria as the filter dialog sends them (flags, list texts and
// dates), checked and turned into bound conditions on AUTOFORNE.
#include "platform/server/modules/common/sql_conditions.h"

#include "host/data/value.h"

#include <QtCore/QDate>
#include <optional>

namespace platform::server::modules {

struct CriteriaArgs {
    QString buyers;     // "T" or a list text
    QString suppliers;  // "T" or a list text
    std::optional<host::DateTime> afFrom, afTo;
    QString consistency;  // "T", "1" inconsistent only, "X" consistent only
    QString limit;        // "T", "S" outside the limit only, "N" within only
    QString situations;   // "0" or codes 1..5 joined by "_" ("1_2_3", "_2_5")
    QString openFlag;     // "X" open AFs too, "Z" not
    std::optional<host::DateTime> deliveryFrom, deliveryTo;
    QString afDatesEmpty;        // "T": ignore the AF dates
    QString deliveryDatesEmpty;  // "T": ignore the delivery dates
};

struct DayRange {
    QDate first, last;  // both inclusive
};

struct AfCriteria {
    std::optional<QStringList> buyers;     // none: every buyer
    std::optional<QStringList> suppliers;  // none: every supplier
    std::optional<DayRange> afDates;
    std::optional<DayRange> deliveryDates;
    std::optional<QString> consistency;  // "1" or "X"; none: both
    std::optional<QString> limit;        // "S" or "N"; none: both
    QStringList situations;              // receipt codes among "1".."5"
    bool open = false;                   // also AFs without a receipt (and EDI ones)
};

// Throws host::UserError, in Portuguese, for a value the dialog never sends.
AfCriteria parseCriteria(const CriteriaArgs& args);

// A list text argument: "T" is every code, anything else its codes (at least
// one, else missingMessage).
std::optional<QStringList> parseListArg(const QString& text, const QString& missingMessage);

// Appends the criteria as conditions on the AUTOFORNE row aliased af.
void addCriteria(SqlConditions& where, const AfCriteria& criteria, const QString& af);

// Most codes a list may carry; more must be asked for as "T".
inline constexpr int kMaxListCodes = 5000;

}  // namespace platform::server::modules
