// Parameters the workspace reads at start-up and the filter dialog's lookups.
#include "lanca_autof_fields.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/remote/remote_names.h"

namespace platform::server::modules {

namespace {

namespace names = host::names::lancaAutoF;
using host::RemoteValue;

RemoteValue packetOf(CallContext& ctx, const Fields& layout, const QString& sql, const afdb::Params& params = {}) {
    return RemoteValue::packet(queryPacket(ctx.database(), layout, sql, params));
}

// Two rows: "PARAMGERAL" (PARAM = the marketplace integration flag) and
// "PARASUPRI" (PARAM = days of the alteration limit, DATA its base date,
// NRDIAANTENTRAF the delivery anticipation days) of the central's supply
// parameters; without supply parameters the second row is absent.
RemoteValue getParamGeral(CallContext& ctx, const QString& central) {
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
                    {{"C", central}});
}

RemoteValue getMudAutProd(CallContext& ctx, const QString& branch) {
    return packetOf(ctx, fields::mudAutProd(),
                    QStringLiteral("SELECT F.CDFILIAL, P.IDTPLANCITAF FROM FILIAL F "
                                   "LEFT JOIN PARCMPSUP P ON P.CDFILIAL = F.CDFILIAL WHERE "
                                   "F.CDFILIAL = :F"),
                    {{"F", branch}});
}

RemoteValue getAuxCmpSup(CallContext& ctx, const QString& branch) {
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
                    {{"F", branch}});
}

RemoteValue getAgruFili(CallContext& ctx) {
    return packetOf(ctx, fields::grupFili(),
                    QStringLiteral("SELECT CDGRUPFILI, NMGRUPFILI FROM GRUPFILI ORDER BY CDGRUPFILI"));
}

// The grouping's branches that belong to the central (all of them when the
// central is empty), unmarked.
RemoteValue getFiliAgrupFili(CallContext& ctx, const QString& grouping, const QString& central) {
    return packetOf(ctx, fields::filiAgrupFili(),
                    QStringLiteral("SELECT CAST(NULL AS VARCHAR(1)) AS IDMARCADO, F.CDFILIAL, "
                                   "G.CDGRUPFILI, F.NMFILIAL "
                                   "FROM FILIAGRUPFILI G JOIN FILIAL F ON F.CDFILIAL = G.CDFILIAL "
                                   "WHERE G.CDGRUPFILI = :G AND (CAST(:C1 AS VARCHAR(4)) IS NULL OR "
                                   "F.CDFILIAL = :C2 OR "
                                   "F.CDFILCENTCMP = :C3) ORDER BY F.CDFILIAL"),
                    {{"G", grouping}, {"C1", central}, {"C2", central}, {"C3", central}});
}

RemoteValue getAprovSoliGer(CallContext& ctx, const QString& branch) {
    return packetOf(ctx, fields::aprovSoliGer(),
                    QStringLiteral("SELECT CDFILIAL, IDUTAPROVSOL, CDGRUPPROD, "
                                   "CDSUBGRPROD, IDULTDESTSOL, "
                                   "IDEXIGAPRGERCMP, IDAPROVITMSOLGR FROM "
                                   "PARCMPSUP WHERE CDFILIAL = :F"),
                    {{"F", branch}});
}

// The methods that take one branch code.
void addByBranch(ServerModule& module, QLatin1String name, const char* argName,
                 RemoteValue (*read)(CallContext&, const QString&)) {
    Params p;
    const auto branch = p.text(argName);
    module.method(name, p, ResultKind::Packet, [=](CallContext& c) { return read(c, c[branch]); });
}

void addFiliAgrupFili(ServerModule& module) {
    Params p;
    const auto grouping = p.text("CDGRUPFILI");
    const auto central = p.text("CDFILCENTCMP");
    module.method(names::GetFiliAgrupFili, p, ResultKind::Packet,
                  [=](CallContext& c) { return getFiliAgrupFili(c, c[grouping], c[central]); });
}

}  // namespace

void addStartupMethods(ServerModule& module) {
    addByBranch(module, names::GetParamGeral, "CDFILCENTCMP", getParamGeral);
    addByBranch(module, names::GetMudAutProd, "CDFILIAL", getMudAutProd);
    addByBranch(module, names::GetAuxCmpSup, "CDFILIAL", getAuxCmpSup);
    module.method(names::GetAgruFili, {}, ResultKind::Packet, getAgruFili);
    addFiliAgrupFili(module);
    addByBranch(module, names::GetAprovSoliGer, "CDFILIAL", getAprovSoliGer);
}

}  // namespace platform::server::modules
