#pragma once
// A WHERE clause built piece by piece, every value bound: list texts become
// IN lists of bound parameters, never SQL text.
#include "platform/db/sql_exec.h"

#include <QtCore/QStringList>

namespace platform::server::modules {

class SqlConditions {
public:
    // A new bound parameter's placeholder (":P0", ":P1", ...).
    QString bind(const QVariant& value);
    // "(:P3, :P4)" for a non-empty list of codes.
    QString inList(const QStringList& codes);
    void add(const QString& condition) { m_conditions << condition; }
    // " AND c1 AND c2" (empty when there are none), to follow a WHERE clause.
    QString andClause() const;
    // andClause(), then forgets the conditions (the parameters stay bound), so
    // one statement can place two groups of conditions apart.
    QString takeAndClause();
    const afdb::Params& params() const { return m_params; }

private:
    QStringList m_conditions;
    afdb::Params m_params;
};

// The codes of a list text ("_0001_0002_"): each code between underscores.
// Blank codes are dropped, repeated ones kept once, in first-seen order.
QStringList listCodes(const QString& listText);

}  // namespace platform::server::modules
