// Parameters the workspace reads at start-up and the filter dialog's lookups.
#include "lanca_autof_fields.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"

namespace platform::server::modules {

namespace {

using host::RemoteValue;

RemoteValue packetOf(CallContext& ctx, const Fields& layout, const QString& sql, const afdb::Params& params = {}) {
    return RemoteValue::packet(queryPacket(ctx.database(), layout, sql, params));
}

// Two rows: "PARAMGERAL" (PARAM = the marketplace integration flag) and
// "PARASUPRI" (PARAM = days of the alteration limit, DATA its base date,
// NRDIAANTENTRAF the delivery anticipation days) of the central's supply
// parameters; without supply parameters the second row is absent.
RemoteValue getParamGeral(CallContext& ctx) {
    return packetOf(ctx, fields::paramGeral(),
                    QStringLiteral("SELECT G.IDINTEGMERCAD AS PARAM, 'PARAMGERAL' AS ID, "
                                   "CAST(NULL AS VARCHAR(4)) AS NRDIAANTENTRAF, CAST(NULL AS "
                                   "TIMESTAMP) AS DATA, "
                                   "1 AS ORDEM FROM PARAMGERAL G "
                                   "UNION ALL "
                                   "SELECT S.NRDIALIMALTAF AS PARAM, 'PARASUPRI' AS ID, "
                                   "S.NRDIAANTENTRAF, "
                                   "S.DTBASELIMALTAF AS DATA, 2 AS ORDEM FROM PARASUPRI S "
                                   "WHERE S.CDFILIAL = :C "
                                   "ORDER BY ORDEM"),
                    {{"C", ctx.text(0)}});
}

RemoteValue getMudAutProd(CallContext& ctx) {
    return packetOf(ctx, fields::mudAutProd(),
                    QStringLiteral("SELECT F.CDFILIAL, P.IDTPLANCITAF FROM FILIAL F "
                                   "LEFT JOIN PARCMPSUP P ON P.CDFILIAL = F.CDFILIAL WHERE "
                                   "F.CDFILIAL = :F"),
                    {{"F", ctx.text(0)}});
}

RemoteValue getAuxCmpSup(CallContext& ctx) {
    return packetOf(ctx, fields::auxParCmp(),
                    QStringLiteral("SELECT F.CDFILIAL, F.NMFILIAL, COALESCE(F.CDFILCENTCMP, F.CDFILIAL) "
                                   "AS CDFILCENTCMP, "
                                   "P.IDTPARQENVMA, P.IDTIPEMITGER, S.IDULTIDTVALQ, S.IDVALDTAF, "
                                   "S.IDBLOQUEAAF, S.IDMARSEMQUA, "
                                   "S.IDPROSEMMAR, S.IDPROSEMFOR, S.IDUTQTDEVOLU, P.IDCARPRECLAF, "
                                   "P.IDOBLIBAFMAN, "
                                   "P.IDBLOQFORNCOTAF, P.IDVERPRODCMPFIL, P.IDAUDALTAF, P.CDOPERADOR "
                                   "FROM FILIAL F LEFT JOIN PARASUPRI S ON S.CDFILIAL = F.CDFILIAL "
                                   "LEFT JOIN PARCMPSUP P ON P.CDFILIAL = F.CDFILIAL WHERE F.CDFILIAL = "
                                   ":F"),
                    {{"F", ctx.text(0)}});
}

RemoteValue getAgruFili(CallContext& ctx) {
    return packetOf(ctx, fields::grupFili(),
                    QStringLiteral("SELECT CDGRUPFILI, NMGRUPFILI FROM GRUPFILI ORDER BY CDGRUPFILI"));
}

// The grouping's branches that belong to the central (all of them when the
// central is empty), unmarked.
RemoteValue getFiliAgrupFili(CallContext& ctx) {
    return packetOf(ctx, fields::filiAgrupFili(),
                    QStringLiteral("SELECT CAST(NULL AS VARCHAR(1)) AS IDMARCADO, F.CDFILIAL, "
                                   "G.CDGRUPFILI, F.NMFILIAL "
                                   "FROM FILIAGRUPFILI G JOIN FILIAL F ON F.CDFILIAL = G.CDFILIAL "
                                   "WHERE G.CDGRUPFILI = :G AND (CAST(:C1 AS VARCHAR(4)) IS NULL OR "
                                   "F.CDFILIAL = :C2 OR "
                                   "F.CDFILCENTCMP = :C3) ORDER BY F.CDFILIAL"),
                    {{"G", ctx.text(0)}, {"C1", ctx.text(1)}, {"C2", ctx.text(1)}, {"C3", ctx.text(1)}});
}

RemoteValue getAprovSoliGer(CallContext& ctx) {
    return packetOf(ctx, fields::aprovSoliGer(),
                    QStringLiteral("SELECT CDFILIAL, IDUTAPROVSOL, CDGRUPPROD, "
                                   "CDSUBGRPROD, IDULTDESTSOL, "
                                   "IDEXIGAPRGERCMP, IDAPROVITMSOLGR FROM "
                                   "PARCMPSUP WHERE CDFILIAL = :F"),
                    {{"F", ctx.text(0)}});
}

}  // namespace

void addStartupMethods(ServerModule& module) {
    module.method(QStringLiteral("GetParamGeral"), {arg::text()}, getParamGeral)
        .method(QStringLiteral("GetMudAutProd"), {arg::text()}, getMudAutProd)
        .method(QStringLiteral("GetAuxCmpSup"), {arg::text()}, getAuxCmpSup)
        .method(QStringLiteral("GetAgruFili"), {}, getAgruFili)
        .method(QStringLiteral("GetFiliAgrupFili"), {arg::text(), arg::text()}, getFiliAgrupFili)
        .method(QStringLiteral("GetAprovSoliGer"), {arg::text()}, getAprovSoliGer);
}

}  // namespace platform::server::modules
