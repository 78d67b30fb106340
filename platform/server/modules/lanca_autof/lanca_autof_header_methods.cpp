// What the header entry asks the server about a new AF: whether its
// destination branch can receive AFs at all, and the supplier's default
// payment terms copied into a new AF.
#include "lanca_autof_fields.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/data/errors.h"
#include "host/remote/remote_names.h"

namespace platform::server::modules {

namespace {

namespace names = host::names::lancaAutoF;
using host::RemoteValue;

// One row per branch, three '0'/'1' columns, in the order of the answer:
// - SEMCENTRAL: no purchasing central. A branch has one when it names one
//   (CDFILCENTCMP), is a central itself (IDFUNCAOFILI 'C') or is named as the
//   central of another branch: a central serves itself.
// - SEMPARAM: the purchasing (PARCMPSUP) or the supply (PARASUPRI) parameters
//   are missing; the workspace reads both for every AF of the branch.
// - SEMOPERLOG: no logistic operator can distribute for it: CDFILIOPELOG must
//   name another branch that is a logistic operator (IDFUNCAOFILI 'O') whose
//   contract is still in force.
QString parCentCmpSql() {
    return QStringLiteral(
        "SELECT "
        "CASE WHEN F.CDFILCENTCMP IS NOT NULL OR F.IDFUNCAOFILI = 'C' "
        "OR EXISTS (SELECT 1 FROM FILIAL S WHERE S.CDFILCENTCMP = F.CDFILIAL) "
        "THEN '0' ELSE '1' END AS SEMCENTRAL, "
        "CASE WHEN EXISTS (SELECT 1 FROM PARCMPSUP P WHERE P.CDFILIAL = F.CDFILIAL) "
        "AND EXISTS (SELECT 1 FROM PARASUPRI S WHERE S.CDFILIAL = F.CDFILIAL) "
        "THEN '0' ELSE '1' END AS SEMPARAM, "
        "CASE WHEN EXISTS (SELECT 1 FROM FILIAL O WHERE O.CDFILIAL = F.CDFILIOPELOG "
        "AND O.CDFILIAL <> F.CDFILIAL AND O.IDFUNCAOFILI = 'O' "
        "AND COALESCE(O.IDCNTRRESC, 'N') <> 'S') "
        "THEN '0' ELSE '1' END AS SEMOPERLOG "
        "FROM FILIAL F WHERE F.CDFILIAL = :F");
}

// GetParCentCmp(CDFILDEST) answers three characters read by position, "1"
// meaning the branch lacks something:
//   1: a purchasing central ("Filial não possui central de compras.");
//   2: purchasing and supply parameters ("Filial não possui parametrização de
//      compras e suprimentos.");
//   3: a logistic operator, so its AFs cannot be distributed through one (the
//      header disables "Distribuição Através do Operador Logístico").
// An unknown branch is an error, never "111": the caller would take it for a
// branch that exists and lacks everything.
RemoteValue getParCentCmp(CallContext& ctx, const QString& branch) {
    if (branch.trimmed().isEmpty()) throw host::UserError(QStringLiteral("Filial destino deve ser informada."));
    QSqlQuery q = afdb::exec(ctx.database(), parCentCmpSql(), {{"F", branch}});
    if (!q.next()) throw host::UserError(QStringLiteral("Filial %1 não cadastrada.").arg(branch.trimmed()));
    QString flags;
    for (int i = 0; i < 3; ++i) flags += q.value(i).toString() == QLatin1String("1") ? QLatin1Char('1') : QLatin1Char('0');
    return RemoteValue(flags);
}

// GetPrazoAF(CDFORNECED): the supplier's default payment terms in day order;
// a supplier without terms (or unknown) answers an empty packet.
RemoteValue getPrazoAF(CallContext& ctx, const QString& supplier) {
    return RemoteValue::packet(queryPacket(ctx.database(), fields::prazoPgFor(),
                                           QStringLiteral("SELECT CDFORNECED, NRDIASPGTOFO, VRPERCPGTOFO "
                                                          "FROM PRAZOPGFOR WHERE CDFORNECED = :S "
                                                          "ORDER BY NRDIASPGTOFO"),
                                           {{"S", supplier}}));
}

}  // namespace

void addHeaderMethods(ServerModule& module) {
    Params parCentCmp;
    const auto branch = parCentCmp.text("CDFILDEST");
    module.method(names::GetParCentCmp, parCentCmp, ResultKind::Text,
                  [=](CallContext& c) { return getParCentCmp(c, c[branch]); });

    Params prazoAF;
    const auto supplier = prazoAF.text("CDFORNECED");
    module.method(names::GetPrazoAF, prazoAF, ResultKind::Packet,
                  [=](CallContext& c) { return getPrazoAF(c, c[supplier]); });
}

}  // namespace platform::server::modules
