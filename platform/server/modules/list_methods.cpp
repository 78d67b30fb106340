// GetParamFilial, GetFilialDest and GetServAutoForne: the filter's three calls.
#include "af_criteria.h"
#include "lanca_autof_fields.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"

#include "host/data/errors.h"

#include <QtCore/QDateTime>

namespace platform::server::modules {

namespace {

using host::RemoteValue;
using host::UserError;

// In branch mode the operator sees only the branch he works at.
QString branchModeBranch(CallContext& ctx) {
    const QString branch = operatorBranch(ctx.database(), ctx.operatorCode());
    if (branch.isEmpty())
        throw UserError(QStringLiteral("O operador %1 não tem filial cadastrada: o "
                                       "modo filial exige uma filial.")
                            .arg(ctx.operatorCode()));
    return branch;
}

// The server's date (midnight), the base of the item Parts' date checks.
host::DateTime today() {
    const QDateTime midnight(QDate::currentDate(), QTime(0, 0), Qt::UTC);
    return host::DateTime{midnight.toMSecsSinceEpoch()};
}

const QString kFilialDestSelect = QStringLiteral(
    "SELECT D.CDFILIAL, D.NMFILIAL, COALESCE(D.CDFILCENTCMP, "
    "D.CDFILIAL) AS CDFILCENTCMP, C.NMFILIAL AS NMCENTCMP, "
    "S.CDGRUPOPER, S.IDULTIDTVALQ, S.IDVALDTAF, S.IDBLOQUEAAF, "
    "S.IDMARSEMQUA, S.IDPROSEMMAR, S.IDPROSEMFOR, "
    "S.IDUTQTDEVOLU, P.IDTIPEMITGER, COALESCE(P.CDEMPRESA, "
    "D.CDEMPRESA) AS CDEMPRESA, S.CDTIPOOPER, "
    "P.IDCARPRECLAF, S.IDATUSOLILAF, P.DSDIRLOGAUTF, "
    "P.IDOBLIBAFMAN, P.IDAUDALTAF, P.IDBLOQFORNCOTAF, "
    "P.IDVERPRODCMPFIL, P.CDOPERADOR "
    "FROM FILIAL D LEFT JOIN FILIAL C ON C.CDFILIAL = "
    "COALESCE(D.CDFILCENTCMP, D.CDFILIAL) "
    "LEFT JOIN PARASUPRI S ON S.CDFILIAL = D.CDFILIAL LEFT JOIN "
    "PARCMPSUP P ON P.CDFILIAL = D.CDFILIAL ");

const QString kServAutoForneSelect = QStringLiteral(
    "SELECT A.CDFILDEST, A.NRAUTOFORN, A.CDFILLANC, A.DTAUTOFORN, "
    "F.NMRAZSOCFORN, F.IDTPENVAFFOR, A.CDFORNECED, "
    "A.IDAUTOFORNEX, A.IDBAIXAAF, A.IDBAIXAFSAI, A.IDSITUATUAAF, "
    "A.IDAFFORALIM, A.IDTIPOLANCAF, A.IDSITUENVAFMCD, "
    "A.VRTOTALAF, A.IDAFPRODWEB, A.IDAFOPERLOG, A.CDFILDESTCON, "
    "A.CDFILLANCCON, A.NRAUTOFORCON, "
    "K.NMFILIAL AS NMFILDESTCON, A.CDGERENTE, A.NRSEQAPURAF, A.DTPROGENTAF, "
    "A.IDAFEXPIRADA, A.IDDEVOLUCAONF, "
    "A.CDOPERADOR, A.IDBAIXITMFUTURA, A.IDAFPILOTO, A.IDITAFMIGRADA, "
    "A.IDITMSEPARADO "
    "FROM AUTOFORNE A JOIN FORNECEDOR F ON F.CDFORNECED = A.CDFORNECED "
    "LEFT JOIN FILIAL K ON K.CDFILIAL = A.CDFILDESTCON ");

// Arguments from `first` on: buyers, suppliers, afFrom, afTo, consistency,
// limit, situations, openFlag, deliveryFrom, deliveryTo, afDatesEmpty,
// deliveryDatesEmpty (the order both list calls share).
AfCriteria criteriaFrom(const CallContext& ctx, int first) {
    CriteriaArgs a;
    a.buyers = ctx.text(first);
    a.suppliers = ctx.text(first + 1);
    a.afFrom = ctx.dateTime(first + 2);
    a.afTo = ctx.dateTime(first + 3);
    a.consistency = ctx.text(first + 4);
    a.limit = ctx.text(first + 5);
    a.situations = ctx.text(first + 6);
    a.openFlag = ctx.text(first + 7);
    a.deliveryFrom = ctx.dateTime(first + 8);
    a.deliveryTo = ctx.dateTime(first + 9);
    a.afDatesEmpty = ctx.text(first + 10);
    a.deliveryDatesEmpty = ctx.text(first + 11);
    return parseCriteria(a);
}

std::vector<ArgDef> criteriaArgs() {
    return {arg::text(),    arg::text(), arg::dateTime(), arg::dateTime(), arg::text(), arg::text(),
            arg::textRef(), arg::text(), arg::dateTime(), arg::dateTime(), arg::text(), arg::text()};
}

void addGroupingCondition(CallContext& ctx, SqlConditions& where, const QString& grouping) {
    if (grouping.isEmpty()) return;
    const QVariant found = afdb::scalar(
        ctx.database(), QStringLiteral("SELECT CDGRUPFILI FROM GRUPFILI WHERE CDGRUPFILI = :G"), {{"G", grouping}});
    if (found.isNull()) throw UserError(QStringLiteral("Agrupamento de filial não cadastrado."));
    where.add(QStringLiteral("D.CDFILIAL IN (SELECT G.CDFILIAL FROM "
                             "FILIAGRUPFILI G WHERE G.CDGRUPFILI = %1)")
                  .arg(where.bind(grouping)));
}

void addBranchListCondition(SqlConditions& where, const QString& list, const QString& allBranches) {
    if (allBranches == QLatin1String("T")) return;
    if (!allBranches.isEmpty())
        throw UserError(QStringLiteral("Indicador de todas as filiais inválido: \"%1\".").arg(allBranches));
    const auto codes = parseListArg(list, QStringLiteral("Filial Destino deve ser informada."));
    if (codes) where.add(QStringLiteral("D.CDFILIAL IN ") + where.inList(*codes));
}

RemoteValue getFilialDest(CallContext& ctx) {
    const AfCriteria criteria = criteriaFrom(ctx, 3);
    SqlConditions where;
    addCriteria(where, criteria, QStringLiteral("A"));
    const QString afConditions = where.takeAndClause();
    addGroupingCondition(ctx, where, ctx.text(0));
    addBranchListCondition(where, ctx.text(1), ctx.text(2));
    if (const QString central = ctx.text(15); !central.isEmpty())
        where.add(
            QStringLiteral("(D.CDFILCENTCMP = %1 OR D.CDFILIAL = %2)").arg(where.bind(central), where.bind(central)));
    if (ctx.boolean(16)) where.add(QStringLiteral("D.CDFILIAL = ") + where.bind(branchModeBranch(ctx)));
    const QString branchConditions = where.takeAndClause();

    const QString sql = kFilialDestSelect +
                        QStringLiteral(
                            "WHERE EXISTS (SELECT 1 FROM AUTOFORNE A "
                            "WHERE A.CDFILDEST = D.CDFILIAL") +
                        afConditions + QStringLiteral(")") + branchConditions + QStringLiteral(" ORDER BY D.CDFILIAL");
    const Fields f = fields::filialDest();
    const int dtAtual = fieldIndex(f, QStringLiteral("DTATUAL"));
    const host::DateTime now = today();
    return RemoteValue::packet(queryPacket(ctx.database(), f, sql, where.params(), {QStringLiteral("DTATUAL")},
                                           [&](std::vector<host::Value>& v) { v[size_t(dtAtual)] = now; }));
}

RemoteValue getServAutoForne(CallContext& ctx) {
    const AfCriteria criteria = criteriaFrom(ctx, 1);
    const QString dest = ctx.text(0);
    SqlConditions where;
    where.add(QStringLiteral("A.CDFILDEST = ") + where.bind(dest));
    addCriteria(where, criteria, QStringLiteral("A"));
    if (ctx.boolean(13)) where.add(QStringLiteral("A.CDFILDEST = ") + where.bind(branchModeBranch(ctx)));
    const QString sql = kServAutoForneSelect + QStringLiteral("WHERE 1 = 1") + where.andClause() +
                        QStringLiteral(" ORDER BY A.DTAUTOFORN, A.CDFILLANC, A.NRAUTOFORN");
    return RemoteValue::packet(queryPacket(ctx.database(), fields::servAutoForne(), sql, where.params()));
}

// Every branch's parameters, the operator's own branch first so that it is
// the current row after loading.
RemoteValue getParamFilial(CallContext& ctx) {
    const QString own = operatorBranch(ctx.database(), ctx.operatorCode());
    const QString sql = QStringLiteral(
        "SELECT F.CDFILIAL, S.CDGRUPOPER, S.IDUTQTDEVOLU, S.IDBLOQUEAAF, "
        "S.IDPROSEMMAR, S.IDULTIDTVALQ, S.IDVALDTAF, "
        "S.IDUTLPROCMPAF, S.IDBLPRCOMEST, P.IDUTILIZAINTSAC "
        "FROM FILIAL F LEFT JOIN PARASUPRI S ON S.CDFILIAL = F.CDFILIAL "
        "LEFT JOIN PARCMPSUP P ON P.CDFILIAL = F.CDFILIAL "
        "ORDER BY CASE WHEN F.CDFILIAL = :OWN THEN 0 ELSE 1 END, F.CDFILIAL");
    return RemoteValue::packet(queryPacket(ctx.database(), fields::paramFilial(), sql, {{"OWN", own}}));
}

}  // namespace

QString servAutoForneSelect() { return kServAutoForneSelect; }

void addListMethods(ServerModule& module) {
    std::vector<ArgDef> filialDest = {arg::text(), arg::textRef(), arg::textRef()};
    for (const ArgDef& a : criteriaArgs()) filialDest.push_back(a);
    filialDest.push_back(arg::text());     // central
    filialDest.push_back(arg::boolean());  // branch mode

    std::vector<ArgDef> servAutoForne = {arg::text()};
    for (const ArgDef& a : criteriaArgs()) servAutoForne.push_back(a);
    servAutoForne.push_back(arg::boolean());

    module.method(QStringLiteral("GetParamFilial"), {}, getParamFilial)
        .method(QStringLiteral("GetFilialDest"), std::move(filialDest), getFilialDest)
        .method(QStringLiteral("GetServAutoForne"), std::move(servAutoForne), getServAutoForne);
}

}  // namespace platform::server::modules
