// GetParamFilial, GetFilialDest and GetServAutoForne: the filter's three calls.
#include "af_criteria.h"
#include "lanca_autof_fields.h"
#include "lanca_autof_layouts.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/data/errors.h"
#include "host/remote/remote_names.h"

#include <QtCore/QDateTime>

namespace platform::server::modules {

namespace {

namespace names = host::names::lancaAutoF;
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

// The server's date (midnight), the base of the items' date checks.
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

// The AF list's layout, built once: every call reads it.
const PacketLayout& servAutoForneLayout() {
    static const PacketLayout layout = layouts::servAutoForne();
    return layout;
}

const QString& servAutoForneSql() {
    static const QString sql = QStringLiteral("SELECT ") + servAutoForneLayout().columnList() +
                               QStringLiteral(" FROM AUTOFORNE A JOIN FORNECEDOR F ON F.CDFORNECED = A.CDFORNECED "
                                              "LEFT JOIN FILIAL K ON K.CDFILIAL = A.CDFILDESTCON ");
    return sql;
}

// The criteria arguments both list calls share, in this order.
struct CriteriaParams {
    explicit CriteriaParams(Params& p)
        : buyers(p.text("compradores")), suppliers(p.text("fornecedores")), afFrom(p.dateTime("dataAfInicial")),
          afTo(p.dateTime("dataAfFinal")), consistency(p.text("consistencia")), limit(p.text("limite")),
          situations(p.textRef("situacoes")), openFlag(p.text("emAberto")),
          deliveryFrom(p.dateTime("entregaInicial")), deliveryTo(p.dateTime("entregaFinal")),
          afDatesEmpty(p.text("semDatasAf")), deliveryDatesEmpty(p.text("semDatasEntrega")) {}

    AfCriteria read(const CallContext& c) const {
        CriteriaArgs a;
        a.buyers = c[buyers];
        a.suppliers = c[suppliers];
        a.afFrom = c[afFrom];
        a.afTo = c[afTo];
        a.consistency = c[consistency];
        a.limit = c[limit];
        a.situations = c[situations];
        a.openFlag = c[openFlag];
        a.deliveryFrom = c[deliveryFrom];
        a.deliveryTo = c[deliveryTo];
        a.afDatesEmpty = c[afDatesEmpty];
        a.deliveryDatesEmpty = c[deliveryDatesEmpty];
        return parseCriteria(a);
    }

    Arg<QString> buyers, suppliers;
    Arg<OptionalDateTime> afFrom, afTo;
    Arg<QString> consistency, limit;
    RefArg<QString> situations;
    Arg<QString> openFlag;
    Arg<OptionalDateTime> deliveryFrom, deliveryTo;
    Arg<QString> afDatesEmpty, deliveryDatesEmpty;
};

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

struct FilialDestArgs {
    QString grouping, branchList, allBranches;
    AfCriteria criteria;
    QString central;
    bool branchMode = false;
};

RemoteValue getFilialDest(CallContext& ctx, const FilialDestArgs& a) {
    SqlConditions where;
    addCriteria(where, a.criteria, QStringLiteral("A"));
    const QString afConditions = where.takeAndClause();
    addGroupingCondition(ctx, where, a.grouping);
    addBranchListCondition(where, a.branchList, a.allBranches);
    if (!a.central.isEmpty())
        where.add(QStringLiteral("(D.CDFILCENTCMP = %1 OR D.CDFILIAL = %2)")
                      .arg(where.bind(a.central), where.bind(a.central)));
    if (a.branchMode) where.add(QStringLiteral("D.CDFILIAL = ") + where.bind(branchModeBranch(ctx)));
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

RemoteValue getServAutoForne(CallContext& ctx, const QString& dest, const AfCriteria& criteria, bool branchMode) {
    SqlConditions where;
    where.add(QStringLiteral("A.CDFILDEST = ") + where.bind(dest));
    addCriteria(where, criteria, QStringLiteral("A"));
    if (branchMode) where.add(QStringLiteral("A.CDFILDEST = ") + where.bind(branchModeBranch(ctx)));
    const QString sql = servAutoForneSql() + QStringLiteral("WHERE 1 = 1") + where.andClause() +
                        QStringLiteral(" ORDER BY A.DTAUTOFORN, A.CDFILLANC, A.NRAUTOFORN");
    return RemoteValue::packet(queryPacket(ctx.database(), servAutoForneLayout(), sql, where.params()));
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

QString servAutoForneSelect() { return servAutoForneSql(); }

void addListMethods(ServerModule& module) {
    module.method(names::GetParamFilial, {}, ResultKind::Packet, getParamFilial);

    Params filialDest;
    const auto grouping = filialDest.text("CDGRUPFILI");
    const auto branchList = filialDest.textRef("filiais");
    const auto allBranches = filialDest.textRef("todasFiliais");
    const CriteriaParams destCriteria(filialDest);
    const auto central = filialDest.text("CDFILCENTCMP");
    const auto destBranchMode = filialDest.boolean("modoFilial");
    module.method(names::GetFilialDest, filialDest, ResultKind::Packet, [=](CallContext& c) {
        return getFilialDest(c, {c[grouping], c[branchList], c[allBranches], destCriteria.read(c), c[central],
                                 c[destBranchMode]});
    });

    Params servAutoForne;
    const auto dest = servAutoForne.text("CDFILDEST");
    const CriteriaParams listCriteria(servAutoForne);
    const auto listBranchMode = servAutoForne.boolean("modoFilial");
    module.method(names::GetServAutoForne, servAutoForne, ResultKind::Packet, [=](CallContext& c) {
        return getServAutoForne(c, c[dest], listCriteria.read(c), c[listBranchMode]);
    });
}

}  // namespace platform::server::modules
