// What the bulk alteration reads: the supply parameters of the purchasing
// branch, the items of open AFs, and the check of its pending changes.
#include "alt_af_methods.h"

#include "alt_af_changes.h"
#include "alt_af_fields.h"
#include "alt_af_verify.h"
#include "platform/server/modules/common/sql_conditions.h"

#include "platform/server/call_context.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/data/errors.h"
#include "host/remote/remote_names.h"

#include <QtCore/QDateTime>

namespace platform::server::modules::altaf {

namespace {

namespace names = host::names::altAF;
using host::RemoteValue;
using host::UserError;

RemoteValue getParaSupri(CallContext& ctx, const QString& branch) {
    return RemoteValue::packet(queryPacket(ctx.database(), paraSupri(),
                                           QStringLiteral("SELECT CDFILIAL, CDGRUPPROD, IDATUSOLILAF FROM PARASUPRI "
                                                          "WHERE CDFILIAL = :F"),
                                           {{"F", branch}}));
}

QDateTime dayStart(const host::DateTime& d, int addDays = 0) {
    const QDate day = QDateTime::fromMSecsSinceEpoch(d.msecs, Qt::UTC).date().addDays(addDays);
    return QDateTime(day, QTime(0, 0), Qt::UTC);
}

struct ItemFilter {
    QString branch, group, subGroup;
    OptionalDateTime from, to;
    QString allDates;  // "T": every delivery date
};

// The delivery period: "T" is every date; otherwise both dates, whole days. An
// inverted period lists nothing, as the screen does not check the order.
void addPeriod(const ItemFilter& f, SqlConditions& where) {
    const QString& all = f.allDates;
    if (all == QLatin1String("T")) return;
    if (!all.isEmpty()) throw UserError(QStringLiteral("Indicador de todas as datas inválido: \"%1\".").arg(all));
    const OptionalDateTime& from = f.from;
    const OptionalDateTime& to = f.to;
    if (!from || !to) throw UserError(QStringLiteral("Operação bloqueada. As duas datas devem ser preenchidas."));
    where.add(QStringLiteral("I.DTPROGENTAF >= %1 AND I.DTPROGENTAF < %2")
                  .arg(where.bind(dayStart(*from)), where.bind(dayStart(*to, 1))));
}

RemoteValue getAF(CallContext& ctx, const ItemFilter& f) {
    const QString &branch = f.branch, &group = f.group, &subGroup = f.subGroup;
    if (branch.isEmpty()) throw UserError(QStringLiteral("Filial deve ser informada."));
    if (group.isEmpty())
        throw UserError(QStringLiteral("A filial de compras não tem o grupo de produtos de Suprimentos parametrizado."));
    if (subGroup.isEmpty()) throw UserError(QStringLiteral("SubGrupo deve ser informado."));
    SqlConditions where;
    where.add(QStringLiteral("I.CDFILDEST = %1").arg(where.bind(branch)));
    where.add(QStringLiteral("P.CDGRUPPROD = %1").arg(where.bind(group)));
    where.add(QStringLiteral("P.CDSUBGRPROD = %1").arg(where.bind(subGroup)));
    addPeriod(f, where);
    static const PacketLayout layout = itemListLayout();
    const QString sql =
        QStringLiteral("SELECT ") + layout.columnList() +
        QStringLiteral(
            " FROM ITEMAUTF I JOIN AUTOFORNE A ON A.CDFILDEST = I.CDFILDEST AND A.CDFILLANC = I.CDFILLANC "
            "AND A.NRAUTOFORN = I.NRAUTOFORN JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO "
            "JOIN FORNECEDOR F ON F.CDFORNECED = A.CDFORNECED JOIN FILIAL FL ON FL.CDFILIAL = A.CDFILDEST "
            "LEFT JOIN MARCA M ON M.CDMARCA = I.CDMARCA "
            "WHERE (I.IDBAIXITMAF IS NULL OR I.IDBAIXITMAF = '1') AND (A.IDBAIXAAF IS NULL OR A.IDBAIXAAF = '1') "
            "AND (A.IDAFEXPIRADA IS NULL OR A.IDAFEXPIRADA <> 'S') AND A.CDFILDESTCON IS NULL") +
        where.andClause() + QStringLiteral(" ORDER BY I.DTPROGENTAF, P.CDARVPROD, I.NRAUTOFORN, I.CDFILLANC, I.CDMARCA");
    return RemoteValue::packet(queryPacket(ctx.database(), layout, sql, where.params()));
}

host::Packet decoded(const QByteArray& bytes) {
    if (bytes.isEmpty()) throw UserError(QStringLiteral("A lista de itens não foi enviada."));
    return host::decodePacket(bytes);
}

// [check rows, problems]: the problems text is empty when every change may be made.
RemoteValue getVerifica(CallContext& ctx, const QByteArray& items) {
    const QSqlDatabase db = ctx.database();
    const Verification v = verifyChanges(db, readChanges(decoded(items)), operatorRights(db, ctx.operatorCode()));
    host::Packet rows;
    rows.fields = resultErros();
    for (const Finding& f : v.findings)
        rows.rows.push_back({host::RowState::Unchanged, {host::Value(f.key), host::Value(f.code)}, {}, {}});
    return RemoteValue(RemoteValue::Array{RemoteValue::packet(host::encodePacket(rows)),
                                          RemoteValue(v.problems.join(QLatin1Char('\n')))});
}

}  // namespace

void addReadMethods(ServerModule& module) {
    Params paraSupri;
    const auto central = paraSupri.text("CDFILIAL");
    module.method(names::GetParaSupri, paraSupri, ResultKind::Packet,
                  [=](CallContext& c) { return getParaSupri(c, c[central]); });

    Params af;
    const auto branch = af.text("CDFILIAL");
    const auto group = af.text("CDGRUPPROD");
    const auto subGroup = af.text("CDSUBGRPROD");
    const auto from = af.dateTime("entregaInicial");
    const auto to = af.dateTime("entregaFinal");
    const auto allDates = af.text("todasDatas");
    module.method(names::GetAF, af, ResultKind::Packet, [=](CallContext& c) {
        return getAF(c, {c[branch], c[group], c[subGroup], c[from], c[to], c[allDates]});
    });

    Params verifica;
    const auto items = verifica.packet("cdsAF");
    module.method(names::GetVerifica, verifica, ResultKind::Array,
                  [=](CallContext& c) { return getVerifica(c, c[items]); });
}

host::Packet decodeItems(const QByteArray& bytes) { return decoded(bytes); }

}  // namespace platform::server::modules::altaf
