#include "af_criteria.h"

#include "host/data/errors.h"

#include <QtCore/QDateTime>

namespace platform::server::modules {

namespace {

using host::UserError;

QDate dayOf(const host::DateTime& dt) { return QDateTime::fromMSecsSinceEpoch(dt.msecs, Qt::UTC).date(); }

struct RangeTexts {
    QString firstMissing, lastMissing, inverted;
};

std::optional<DayRange> parseRange(const QString& emptyFlag, const std::optional<host::DateTime>& from,
                                   const std::optional<host::DateTime>& to, const QString& what,
                                   const RangeTexts& texts) {
    if (emptyFlag == QLatin1String("T")) return std::nullopt;
    if (!emptyFlag.isEmpty())
        throw UserError(QStringLiteral("Indicador de %1 vazia inválido: \"%2\".").arg(what, emptyFlag));
    if (!from) throw UserError(texts.firstMissing);
    if (!to) throw UserError(texts.lastMissing);
    const DayRange r{dayOf(*from), dayOf(*to)};
    if (r.last < r.first) throw UserError(texts.inverted);
    return r;
}

std::optional<QString> parseBoth(const QString& flag, const QString& one, const QString& other, const QString& what) {
    if (flag == QLatin1String("T")) return std::nullopt;
    if (flag == one || flag == other) return flag;
    throw UserError(QStringLiteral("%1 inválido: \"%2\".").arg(what, flag));
}

QStringList parseSituations(const QString& text) {
    if (text == QLatin1String("0")) return {};
    QStringList codes;
    static const QStringList allowed = {"1", "2", "3", "4", "5"};
    for (const QString& part : text.split(QLatin1Char('_'))) {
        if (part.isEmpty()) continue;
        if (!allowed.contains(part)) throw UserError(QStringLiteral("Situação da AF inválida: \"%1\".").arg(text));
        if (!codes.contains(part)) codes << part;
    }
    if (codes.isEmpty()) throw UserError(QStringLiteral("Situação da AF inválida: \"%1\".").arg(text));
    return codes;
}

// AUTOFORNE's date and, for deliveries, any of its items' dates in the range.
QString dayCondition(SqlConditions& where, const QString& column, const DayRange& r) {
    const QDateTime first(r.first, QTime(0, 0), Qt::UTC);
    const QDateTime afterLast(r.last.addDays(1), QTime(0, 0), Qt::UTC);
    return QStringLiteral("%1 >= %2 AND %1 < %3").arg(column, where.bind(first), where.bind(afterLast));
}

}  // namespace

std::optional<QStringList> parseListArg(const QString& text, const QString& missingMessage) {
    if (text == QLatin1String("T")) return std::nullopt;
    const QStringList codes = listCodes(text);
    if (codes.isEmpty()) throw UserError(missingMessage);
    if (codes.size() > kMaxListCodes)
        throw UserError(QStringLiteral("A lista tem %1 códigos; o máximo é %2. Escolha \"Todos\".")
                            .arg(codes.size())
                            .arg(kMaxListCodes));
    return codes;
}

AfCriteria parseCriteria(const CriteriaArgs& a) {
    AfCriteria c;
    c.buyers = parseListArg(a.buyers, QStringLiteral("Comprador deve ser informado."));
    c.suppliers = parseListArg(a.suppliers, QStringLiteral("Fornecedor deve ser informado."));
    c.afDates = parseRange(a.afDatesEmpty, a.afFrom, a.afTo, QStringLiteral("data da AF"),
                           {QStringLiteral("Data inicial da AF deve ser informada."),
                            QStringLiteral("Data final da AF deve ser informada."),
                            QStringLiteral("Data inicial da AF deve ser menor ou igual a data final da AF.")});
    c.deliveryDates = parseRange(a.deliveryDatesEmpty, a.deliveryFrom, a.deliveryTo, QStringLiteral("data de entrega"),
                                 {QStringLiteral("Data de entrega inicial deve ser informada."),
                                  QStringLiteral("Data de entrega final deve ser informada."),
                                  QStringLiteral("Data de entrega inicial deve ser menor ou "
                                                 "igual a data de entrega final.")});
    c.consistency =
        parseBoth(a.consistency, QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("Indicador de consistência"));
    c.limit = parseBoth(a.limit, QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("Indicador de limite"));
    c.situations = parseSituations(a.situations);
    if (a.openFlag == QLatin1String("X"))
        c.open = true;
    else if (a.openFlag != QLatin1String("Z"))
        throw UserError(QStringLiteral("Indicador de AF em aberto inválido: \"%1\".").arg(a.openFlag));
    if (c.situations.isEmpty() && !c.open) throw UserError(QStringLiteral("Situação da AF deve ser informada."));
    return c;
}

void addCriteria(SqlConditions& where, const AfCriteria& c, const QString& af) {
    const auto col = [&](const char* name) { return af + QLatin1Char('.') + QLatin1String(name); };
    if (c.buyers) where.add(col("CDOPERADOR") + QStringLiteral(" IN ") + where.inList(*c.buyers));
    if (c.suppliers) where.add(col("CDFORNECED") + QStringLiteral(" IN ") + where.inList(*c.suppliers));
    if (c.afDates) where.add(dayCondition(where, col("DTAUTOFORN"), *c.afDates));
    if (c.deliveryDates) {
        const QString header = dayCondition(where, col("DTPROGENTAF"), *c.deliveryDates);
        const QString item = dayCondition(where, QStringLiteral("DI.DTPROGENTAF"), *c.deliveryDates);
        where.add(QStringLiteral("((%1) OR EXISTS (SELECT 1 FROM ITEMAUTF DI WHERE "
                                 "DI.CDFILDEST = %2 AND "
                                 "DI.CDFILLANC = %3 AND DI.NRAUTOFORN = %4 AND %5))")
                      .arg(header, col("CDFILDEST"), col("CDFILLANC"), col("NRAUTOFORN"), item));
    }
    if (c.consistency == QLatin1String("1")) where.add(col("IDSITUATUAAF") + QStringLiteral(" = '1'"));
    if (c.consistency == QLatin1String("X"))
        where.add(QStringLiteral("(%1 IS NULL OR %1 <> '1')").arg(col("IDSITUATUAAF")));
    if (c.limit == QLatin1String("S")) where.add(col("IDAFFORALIM") + QStringLiteral(" = 'S'"));
    if (c.limit == QLatin1String("N")) where.add(QStringLiteral("(%1 IS NULL OR %1 <> 'S')").arg(col("IDAFFORALIM")));

    QStringList situation;
    if (!c.situations.isEmpty()) situation << col("IDBAIXAAF") + QStringLiteral(" IN ") + where.inList(c.situations);
    // "em Aberto" covers AFs without a receipt code and those received by EDI.
    if (c.open) situation << QStringLiteral("%1 IS NULL OR %1 = '7'").arg(col("IDBAIXAAF"));
    where.add(QLatin1Char('(') + situation.join(QStringLiteral(" OR ")) + QLatin1Char(')'));
}

}  // namespace platform::server::modules
