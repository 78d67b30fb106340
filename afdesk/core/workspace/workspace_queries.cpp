#include "afdesk/core/workspace/workspace_queries.h"

namespace afdesk {

namespace {

using host::SqlDialect;

const QString kProductColumns =
    QStringLiteral("SELECT CDPRODUTO, NMPRODUTO, SGUNIDADE, CDPRODESTO, CDARVPROD, VRFATOCONV FROM PRODUTO ");

void copySql(const host::LookupQuery& from, host::LookupQuery& to) {
    to.setSql(from.sql(SqlDialect::Default));
    for (SqlDialect d : {SqlDialect::Oracle, SqlDialect::SqlServer, SqlDialect::InterBase, SqlDialect::SQLite,
                         SqlDialect::PostgreSQL})
        to.setSql(d, from.sql(d));
}

}  // namespace

WorkspaceQueries::WorkspaceQueries() {
    qryAutGrupOp.setSql(QStringLiteral(
        "SELECT AUTGRUPOP.IDAUTGRUPOP FROM AUTGRUPOP, OPERGRUPOP WHERE AUTGRUPOP.IDAUTGRUPOP IN ('ENAF', 'CAAF', "
        "'ABAF') AND AUTGRUPOP.CDGRUPOPER = OPERGRUPOP.CDGRUPOPER AND OPERGRUPOP.CDOPERADOR = :P_CDOPERADOR"));
    qryAutGrupOp1.setSql(QStringLiteral(
        "SELECT AUTGRUPOP.IDAUTGRUPOP, OPERGRUPOP.CDOPERADOR FROM AUTGRUPOP, OPERGRUPOP WHERE AUTGRUPOP.IDAUTGRUPOP "
        "= :P_IDAUTGRUPOP AND AUTGRUPOP.CDGRUPOPER  = OPERGRUPOP.CDGRUPOPER"));
    qryOperGrupOp.setSql(QStringLiteral(
        "SELECT CDGRUPOPER FROM OPERGRUPOP WHERE CDOPERADOR = :P_CDOPERADOR AND CDGRUPOPER = :P_CDGRUPOPER"));
    qryParamGeral.setSql(QStringLiteral("SELECT IDCONSORCFIN, IDSISDOS, IDCACHPRODFI FROM PARAMGERAL"));

    qryFuncaoFili.setSql(
        QStringLiteral("SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE NVLSTR(IDFUNCAOFILI, '¿') = 'O'"));
    qryFuncaoFili.setSql(SqlDialect::SqlServer,
                         QStringLiteral("SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE ISNULL(IDFUNCAOFILI, '¿') = 'O'"));
    const QString coalesce =
        QStringLiteral("SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE COALESCE(IDFUNCAOFILI, '¿') = 'O'");
    qryFuncaoFili.setSql(SqlDialect::SQLite, coalesce);
    qryFuncaoFili.setSql(SqlDialect::PostgreSQL, coalesce);

    qryDestNF.setSql(QStringLiteral(
        "SELECT FILIAL.CDEMPRESA, EMPRESA.NMEMPRESA FROM FILIAL, EMPRESA WHERE FILIAL.CDFILIAL = :P_CDFILIAL AND "
        "FILIAL.CDEMPRESA = EMPRESA.CDEMPRESA"));

    qryProdCache.setSql(kProductColumns + QStringLiteral(
        "WHERE (CDARVPROD = :P_CDPRODUTO) AND (NOT EXISTS (SELECT CDPRODUTO FROM PRODFILI WHERE (CDFILIAL = "
        ":P_CDFILIAL ) AND (IDPRODATIV = 'I' ) AND (CDPRODUTO = PRODUTO.CDPRODUTO))) /* WHERE */"));
    qrySemCache.setSql(kProductColumns + QStringLiteral("WHERE (CDARVPROD = :P_CDPRODUTO)"));
}

bool usesProductCache(WorkspaceQueries& queries) {
    host::Dataset& rows = queries.qryParamGeral.result();
    if (rows.isEmpty()) return false;
    rows.first();
    return rows.field(QStringLiteral("IDCACHPRODFI")).asString().trimmed() == QLatin1String("S");
}

void CacheProdFil(WorkspaceQueries& queries) {
    if (queries.qryVdProduto.active()) queries.qryVdProduto.close();
    if (!queries.qryParamGeral.active()) queries.qryParamGeral.open();
    const host::LookupQuery& chosen = usesProductCache(queries) ? queries.qryProdCache : queries.qrySemCache;
    copySql(chosen, queries.qryVdProduto);
    queries.qryVdProduto.clearParams();
    for (const char* name : {"P_CDPRODUTO", "P_CDFILIAL"}) {
        const QVariant v = chosen.param(QString::fromLatin1(name));
        if (v.isValid()) queries.qryVdProduto.setParam(QString::fromLatin1(name), v);
    }
}

}  // namespace afdesk
