#include "af_totals.h"

#include "platform/db/sql_exec.h"

#include <QtSql/QSqlQuery>
#include <cmath>

namespace platform::server::modules {

namespace {

std::optional<double> numberOf(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return v.toDouble();
}

}  // namespace

double itemValue(const ItemAmount& item) {
    const double gross = item.quantity.value_or(0) * item.unitPrice.value_or(0);
    return gross - item.discountPercent.value_or(0) * gross / 100;
}

double afTotal(const std::vector<ItemAmount>& items) {
    double total = 0;
    for (const ItemAmount& item : items) total += itemValue(item);
    return std::round(total * 1e5) / 1e5;
}

QString limitFlag(double total, std::optional<double> buyerLimit) {
    const bool outside = buyerLimit && *buyerLimit > 0 && total > *buyerLimit;
    return outside ? QStringLiteral("S") : QStringLiteral("N");
}

void recomputeAfTotal(const QSqlDatabase& db, const QString& dest, const QString& lanc, const QString& af) {
    const afdb::Params key{{"D", dest}, {"L", lanc}, {"N", af}};
    std::vector<ItemAmount> items;
    QSqlQuery& rows = afdb::execKept(db,
                                     QStringLiteral("SELECT QTPROGENTAF, VRPREUNIAF, VRPERDESAF FROM ITEMAUTF "
                                                    "WHERE CDFILDEST = :D AND CDFILLANC = :L AND NRAUTOFORN = :N"),
                                     key);
    while (rows.next()) items.push_back({numberOf(rows.value(0)), numberOf(rows.value(1)), numberOf(rows.value(2))});
    rows.finish();
    const double total = afTotal(items);
    const std::optional<double> limit =
        numberOf(afdb::scalar(db,
                              QStringLiteral("SELECT C.VRLIMITECOMP FROM AUTOFORNE A JOIN COMPRADOR C ON "
                                             "C.CDOPERADOR = A.CDOPERADOR WHERE A.CDFILDEST = :D AND "
                                             "A.CDFILLANC = :L AND A.NRAUTOFORN = :N"),
                              key));
    const QString flag = limitFlag(total, limit);
    afdb::Params values = key;
    values.insert(values.end(), {{"T", total}, {"F", flag}});
    afdb::exec(db,
               flag == QLatin1String("S")
                   ? QStringLiteral("UPDATE AUTOFORNE SET VRTOTALAF = :T, IDAFFORALIM = :F, CDGERENTE = NULL "
                                    "WHERE CDFILDEST = :D AND CDFILLANC = :L AND NRAUTOFORN = :N")
                   : QStringLiteral("UPDATE AUTOFORNE SET VRTOTALAF = :T, IDAFFORALIM = :F "
                                    "WHERE CDFILDEST = :D AND CDFILLANC = :L AND NRAUTOFORN = :N"),
               values);
}

}  // namespace platform::server::modules
