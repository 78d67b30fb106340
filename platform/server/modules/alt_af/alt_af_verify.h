#pragma once
// The server's check of the bulk alteration's pending changes, made by
// GetVerifica before the user confirms and again by SetAF inside its
// transaction. Two kinds of outcome:
//   - findings: brand codes per product and brand (CDCHAVE = CDPRODUTO +
//     CDMARCA; "1" not registered for the product, "2" not qualified), which
//     the screen shows against every listed item of that product and brand;
//   - problems: texts naming an item that cannot be changed as asked (no
//     longer open, changed by someone else since it was read, a quantity or
//     brand the rules refuse, a change the operator may not make: an item of
//     an automatic AF without ALAF, a quantity zeroed without EXAF).
#include "alt_af_changes.h"

#include "platform/server/modules/common/authorisation.h"

#include <QtCore/QStringList>
#include <QtSql/QSqlDatabase>

namespace platform::server::modules::altaf {

struct Finding {
    QString key;   // CDPRODUTO + CDMARCA
    QString code;  // kBrandNotRegistered / kBrandNotQualified
    friend bool operator==(const Finding&, const Finding&) = default;
};

struct Verification {
    std::vector<Finding> findings;  // each (key, code) once, in order of first appearance
    QStringList problems;
    bool clean() const { return findings.empty() && problems.empty(); }
};

Verification verifyChanges(const QSqlDatabase& db, const std::vector<ItemChange>& changes,
                           const OperatorRights& rights);

// The findings as the screen words them, one line each ("Produto 0000000123, marca 00045: ...").
QStringList findingTexts(const std::vector<Finding>& findings);

}  // namespace platform::server::modules::altaf
