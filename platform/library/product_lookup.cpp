#include "product_lookup.h"

#include "product_rules.h"

#include "host/data/errors.h"
#include "host/lookup/lookup_query.h"
#include "host/services/consiste.h"

namespace platform::library {

namespace {

constexpr int kBranchChars = 4;

QString lookupSql(bool mixOnly, bool orderByName) {
    QStringList where = {rules::isProduct(), rules::branchExists(), rules::notInactive(), rules::notExcluded()};
    if (mixOnly) where << rules::inMix();
    return QStringLiteral("SELECT P.CDPRODUTO, P.CDARVPROD, P.CDNVPRODUTO, P.NMPRODUTO, P.SGUNIDADE FROM PRODUTO P "
                          "WHERE %1 ORDER BY %2")
        .arg(where.join(QStringLiteral(" AND ")),
             orderByName ? QStringLiteral("P.NMPRODUTO, P.CDARVPROD") : QStringLiteral("P.CDARVPROD"));
}

}  // namespace

QString prepareProductLookup(const QString& branch, const QString& idBlPrComEst, host::LookupQuery& query,
                             bool orderByName) {
    const QString dest = host::Ajusta(branch, kBranchChars);
    if (dest.isEmpty()) throw host::UserError(QStringLiteral("Filial destino deve ser informada."));
    const bool mixOnly = rules::mixOnly(idBlPrComEst);
    // Both engines this platform runs take the same text; it replaces their
    // texts too, so nothing of an earlier use of the query survives.
    const QString sql = lookupSql(mixOnly, orderByName);
    for (host::SqlDialect d : {host::SqlDialect::Default, host::SqlDialect::SQLite, host::SqlDialect::PostgreSQL})
        query.setSql(d, sql);
    query.close();
    query.setParam(QStringLiteral("P_CDFILIAL"), dest);
    return mixOnly ? QStringLiteral("Não há produto do mix da filial %1 que possa ser comprado.").arg(dest)
                   : QStringLiteral("Não há produto que possa ser comprado para a filial %1.").arg(dest);
}

}  // namespace platform::library
