// What the bulk alteration reads: the supply parameters of the purchasing
// branch, the items of open AFs, and the check of its pending changes.
#include "alt_af_methods.h"

#include "alt_af_changes.h"
#include "alt_af_fields.h"
#include "alt_af_verify.h"
#include "sql_conditions.h"

#include "platform/server/call_context.h"

#include "host/data/errors.h"

#include <QtCore/QDateTime>

namespace platform::server::modules::altaf {

namespace {

using host::RemoteValue;
using host::UserError;

RemoteValue getParaSupri(CallContext& ctx) {
    return RemoteValue::packet(queryPacket(ctx.database(), paraSupri(),
                                           QStringLiteral("SELECT CDFILIAL, CDGRUPPROD, IDATUSOLILAF FROM PARASUPRI "
                                                          "WHERE CDFILIAL = :F"),
                                           {{"F", ctx.text(0)}}));
}

QDateTime dayStart(const host::DateTime& d, int addDays = 0) {
    const QDate day = QDateTime::fromMSecsSinceEpoch(d.msecs, Qt::UTC).date().addDays(addDays);
    return QDateTime(day, QTime(0, 0), Qt::UTC);
}

// The delivery period: "T" is every date; otherwise both dates, whole days. An
// inverted period lists nothing, as the screen does not check the order.
void addPeriod(CallContext& ctx, SqlConditions& where) {
    const QString all = ctx.text(5);
    if (all == QLatin1String("T")) return;
    if (!all.isEmpty()) throw UserError(QStringLiteral("Indicador de todas as datas inválido: \"%1\".").arg(all));
    const std::optional<host::DateTime> from = ctx.dateTime(3), to = ctx.dateTime(4);
    if (!from || !to) throw UserError(QStringLiteral("Operação bloqueada. As duas datas devem ser preenchidas."));
    where.add(QStringLiteral("I.DTPROGENTAF >= %1 AND I.DTPROGENTAF < %2")
                  .arg(where.bind(dayStart(*from)), where.bind(dayStart(*to, 1))));
}

RemoteValue getAF(CallContext& ctx) {
    const QString branch = ctx.text(0), group = ctx.text(1), subGroup = ctx.text(2);
    if (branch.isEmpty()) throw UserError(QStringLiteral("Filial deve ser informada."));
    if (group.isEmpty())
        throw UserError(QStringLiteral("A filial de compras não tem o grupo de produtos de Suprimentos parametrizado."));
    if (subGroup.isEmpty()) throw UserError(QStringLiteral("SubGrupo deve ser informado."));
    SqlConditions where;
    where.add(QStringLiteral("I.CDFILDEST = %1").arg(where.bind(branch)));
    where.add(QStringLiteral("P.CDGRUPPROD = %1").arg(where.bind(group)));
    where.add(QStringLiteral("P.CDSUBGRPROD = %1").arg(where.bind(subGroup)));
    addPeriod(ctx, where);
    const QString sql =
        QStringLiteral(
            "SELECT P.NMPRODUTO, I.DTPROGENTAF, P.CDARVPROD, F.IDTPIJURFORN, F.NRINSJURFORN, F.NMFANTFORN, "
            "I.CDMARCA, M.NMMARCA, I.QTPROGENTAF, I.NRAUTOFORN, I.CDFILDEST, I.CDFILLANC, A.DTAUTOFORN, "
            "I.CDPRODUTO, CAST(COALESCE(FL.CDFILCENTCMP, FL.CDFILIAL) AS VARCHAR(4)) AS CDFILCENTCMP, "
            "I.IDBAIXITMAF, I.QTEFETENTRAF, A.CDOPERADOR, A.DSINCONSAF, I.DSINCONSITAF "
            "FROM ITEMAUTF I JOIN AUTOFORNE A ON A.CDFILDEST = I.CDFILDEST AND A.CDFILLANC = I.CDFILLANC "
            "AND A.NRAUTOFORN = I.NRAUTOFORN JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO "
            "JOIN FORNECEDOR F ON F.CDFORNECED = A.CDFORNECED JOIN FILIAL FL ON FL.CDFILIAL = A.CDFILDEST "
            "LEFT JOIN MARCA M ON M.CDMARCA = I.CDMARCA "
            "WHERE (I.IDBAIXITMAF IS NULL OR I.IDBAIXITMAF = '1') AND (A.IDBAIXAAF IS NULL OR A.IDBAIXAAF = '1') "
            "AND (A.IDAFEXPIRADA IS NULL OR A.IDAFEXPIRADA <> 'S') AND A.CDFILDESTCON IS NULL") +
        where.andClause() + QStringLiteral(" ORDER BY I.DTPROGENTAF, P.CDARVPROD, I.NRAUTOFORN, I.CDFILLANC, I.CDMARCA");
    return RemoteValue::packet(queryPacket(ctx.database(), itemList(), sql, where.params()));
}

host::Packet decoded(const QByteArray& bytes) {
    if (bytes.isEmpty()) throw UserError(QStringLiteral("A lista de itens não foi enviada."));
    return host::decodePacket(bytes);
}

// [check rows, problems]: the problems text is empty when every change may be made.
RemoteValue getVerifica(CallContext& ctx) {
    const Verification v = verifyChanges(ctx.database(), readChanges(decoded(ctx.packet(0))));
    host::Packet rows;
    rows.fields = resultErros();
    for (const Finding& f : v.findings)
        rows.rows.push_back({host::RowState::Unchanged, {host::Value(f.key), host::Value(f.code)}, {}, {}});
    return RemoteValue(RemoteValue::Array{RemoteValue::packet(host::encodePacket(rows)),
                                          RemoteValue(v.problems.join(QLatin1Char('\n')))});
}

}  // namespace

void addReadMethods(ServerModule& module) {
    module.method(QStringLiteral("GetParaSupri"), {arg::text()}, getParaSupri)
        .method(QStringLiteral("GetAF"),
                {arg::text(), arg::text(), arg::text(), arg::dateTime(), arg::dateTime(), arg::text()}, getAF)
        .method(QStringLiteral("GetVerifica"), {arg::packet()}, getVerifica);
}

host::Packet decodeItems(const QByteArray& bytes) { return decoded(bytes); }

}  // namespace platform::server::modules::altaf
