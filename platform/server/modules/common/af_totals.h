#pragma once
// The AF's total and its buyer-limit flag, as every save that changes items
// leaves them (docs/remote-calls.md, "AF totals"):
//
// - an item's value is its gross (QTPROGENTAF x VRPREUNIAF, a missing number
//   counting as 0) less its discount percentage VRPERDESAF of the gross;
// - VRTOTALAF is the sum of the items' values, rounded to 5 decimals;
// - IDAFFORALIM is "S" when the AF's buyer (AUTOFORNE.CDOPERADOR) has a limit
//   COMPRADOR.VRLIMITECOMP above 0 and the total exceeds it, else "N"; an AF
//   that goes out of its limit loses the manager who approved it (CDGERENTE).
#include <QtCore/QString>
#include <QtSql/QSqlDatabase>
#include <optional>
#include <vector>

namespace platform::server::modules {

struct ItemAmount {
    std::optional<double> quantity, unitPrice, discountPercent;
};

double itemValue(const ItemAmount& item);
double afTotal(const std::vector<ItemAmount>& items);
// "S" outside the limit, "N" within; a missing or non-positive limit is no limit.
QString limitFlag(double total, std::optional<double> buyerLimit);

// Recomputes VRTOTALAF and IDAFFORALIM of one AF from its items as the
// database holds them now (inside the caller's transaction).
void recomputeAfTotal(const QSqlDatabase& db, const QString& dest, const QString& lanc, const QString& af);

}  // namespace platform::server::modules
