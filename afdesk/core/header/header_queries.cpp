#include "afdesk/core/header/header_queries.h"

#include "afdesk/core/model/code_domains.h"
#include "afdesk/core/model/lookup_sql.h"

#include "host/services/inscricao.h"

namespace afdesk {

namespace {

using host::FieldDef;
using host::SqlDialect;

void codeAndName(host::LookupQuery& q, const char* code, int codeSize, const char* name, int nameSize,
                 const char* nameLabel = "Nome") {
    q.addField(FieldDef::string(QString::fromLatin1(code), codeSize, QStringLiteral("Código")));
    q.addField(FieldDef::string(QString::fromLatin1(name), nameSize, QString::fromUtf8(nameLabel)));
}

// Person type shown as its text, inscription through its type's mask.
void personColumns(host::LookupQuery& q, const QString& typeField, const QString& numberField) {
    host::Field& type = q.addField(FieldDef::string(typeField, 1, QStringLiteral("Tipo")));
    showDomain(type, tpiJurDomain());
    host::Field& number = q.addField(FieldDef::string(numberField, 20, QStringLiteral("Inscrição")));
    number.onGetText = [typeField](const host::Field& f, bool) {
        return host::FormataInscricao(f.asString(), f.dataset().field(typeField).asString());
    };
}

const QString kFornecedorColumns = QStringLiteral(
    "SELECT FORNECEDOR.IDTPIJURFORN, FORNECEDOR.NRINSJURFORN, FORNECEDOR.NMRAZSOCFORN, FORNECEDOR.NMFANTFORN, "
    "FORNECEDOR.CDFORNECED, FORNECEDOR.IDTPFRETFORN, FORNECEDOR.CDTIPCOB, TIPOCOBR.NMTIPOCOBR, FORNECEDOR.CDFORMPGTO, "
    "FORMPGTO.NMFORMPGTO, FORNECEDOR.IDTPFORPGTFO, FORNECEDOR.NRDIAPGFIXFO, FORNECEDOR.NRPARCPGTOFO, "
    "FORNECEDOR.IDUTDIAPGTFO, FORNECEDOR.VRPEDESCFORN, FORNECEDOR.IDSITUCADA, FORNECEDOR.IDTPDESCFORN, "
    "FORNECEDOR.IDGERCONTPGT ");
const QString kFornecedorOuterJoins = QStringLiteral(
    "FROM FORNECEDOR, TIPOCOBR, FORMPGTO WHERE (FORNECEDOR.CDTIPCOB = TIPOCOBR.CDTIPCOB(+)) AND "
    "(FORNECEDOR.CDFORMPGTO = FORMPGTO.CDFORMPGTO(+)) ");
const QString kFornecedorLeftJoins = QStringLiteral(
    "FROM FORNECEDOR LEFT JOIN TIPOCOBR ON (FORNECEDOR.CDTIPCOB = TIPOCOBR.CDTIPCOB) LEFT JOIN FORMPGTO ON "
    "(FORNECEDOR.CDFORMPGTO = FORMPGTO.CDFORMPGTO) ");

// The supplier columns the header copies; numbers typed so every engine hands doubles.
void supplierFields(host::LookupQuery& q) {
    personColumns(q, QStringLiteral("IDTPIJURFORN"), QStringLiteral("NRINSJURFORN"));
    q.addField(FieldDef::string(QStringLiteral("NMRAZSOCFORN"), 40, QStringLiteral("Razão Social")));
    q.addField(FieldDef::string(QStringLiteral("NMFANTFORN"), 40, QStringLiteral("Nome Fantasia")));
    q.addField(FieldDef::string(QStringLiteral("CDFORNECED"), 21, QStringLiteral("Código")).hidden());
    q.addField(FieldDef::string(QStringLiteral("IDTPFRETFORN"), 1).hidden());
    q.addField(FieldDef::string(QStringLiteral("CDTIPCOB"), 2).hidden());
    q.addField(FieldDef::string(QStringLiteral("NMTIPOCOBR"), 20).hidden());
    q.addField(FieldDef::string(QStringLiteral("CDFORMPGTO"), 2).hidden());
    q.addField(FieldDef::string(QStringLiteral("NMFORMPGTO"), 30).hidden());
    q.addField(FieldDef::string(QStringLiteral("IDTPFORPGTFO"), 1).hidden());
    q.addField(FieldDef::floating(QStringLiteral("NRDIAPGFIXFO")).hidden());
    q.addField(FieldDef::floating(QStringLiteral("NRPARCPGTOFO")).hidden());
    q.addField(FieldDef::string(QStringLiteral("IDUTDIAPGTFO"), 1).hidden());
    q.addField(FieldDef::floating(QStringLiteral("VRPEDESCFORN")).hidden());
    q.addField(FieldDef::string(QStringLiteral("IDSITUCADA"), 1).hidden());
    q.addField(FieldDef::string(QStringLiteral("IDTPDESCFORN"), 1).hidden());
    q.addField(FieldDef::string(QStringLiteral("IDGERCONTPGT"), 1).hidden());
}

void defineFilial(host::LookupQuery& q) {
    setNullableSql(q,
                   QStringLiteral("SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE CDFILIAL = %1(:P_CDFILIAL, CDFILIAL) AND "
                                  "(CDFILCENTCMP = :P_CDCENTCMP OR CDFILIAL = :P_CDCENTCMP) ORDER BY CDFILIAL"),
                   QStringLiteral("SELECT CDFILIAL, NMFILIAL FROM FILIAL, PARAM(:P_CDFILIAL) P_CDFILIAL WHERE CDFILIAL = "
                                  "NVLSTR(P_CDFILIAL.PARAM, CDFILIAL) AND (CDFILCENTCMP = :P_CDCENTCMP OR CDFILIAL = "
                                  ":P_CDCENTCMP) ORDER BY CDFILIAL"));
    codeAndName(q, "CDFILIAL", 4, "NMFILIAL", 30);
}

void defineBranchCompany(host::LookupQuery& q) {
    q.setSql(QStringLiteral("SELECT FILIAL.CDEMPRESA, EMPRESA.NMEMPRESA FROM FILIAL, EMPRESA WHERE "
                            "FILIAL.CDFILIAL = :P_CDFILIAL AND FILIAL.CDEMPRESA = EMPRESA.CDEMPRESA"));
    codeAndName(q, "CDEMPRESA", 2, "NMEMPRESA", 40);
}

void definePesqEmpresa(host::LookupQuery& q) {
    setNullableSql(q,
                   QStringLiteral("SELECT DISTINCT EL.CDEMPRESA, EP.NMEMPRESA FROM EMPRESA EP, EMPRCNTRFIL EL WHERE "
                                  "EL.CDEMPRESA = %1(:P_CDEMPRESA, EL.CDEMPRESA) AND EL.CDFILIAL = :P_CDFILIAL AND "
                                  "EL.CDEMPRESA = EP.CDEMPRESA ORDER BY EL.CDEMPRESA"),
                   QStringLiteral("SELECT DISTINCT EL.CDEMPRESA, EP.NMEMPRESA FROM EMPRESA EP, EMPRCNTRFIL EL, "
                                  "PARAM(:P_CDEMPRESA) P_CDEMPRESA WHERE EL.CDEMPRESA = NVLSTR(P_CDEMPRESA.PARAM, "
                                  "EL.CDEMPRESA) AND EL.CDFILIAL = :P_CDFILIAL AND EL.CDEMPRESA = EP.CDEMPRESA ORDER BY "
                                  "EL.CDEMPRESA"));
    codeAndName(q, "CDEMPRESA", 2, "NMEMPRESA", 40);
}

void defineFornecedor(host::LookupQuery& q) {
    const QString where = QStringLiteral(
        "(FORNECEDOR.NRINSJURFORN = :P_NRINSJURFORN) AND (FORNECEDOR.IDTPIJURFORN= :P_IDTPIJURFORN) ORDER BY "
        "FORNECEDOR.NRINSJURFORN");
    const QString joined = kFornecedorColumns + kFornecedorLeftJoins + QStringLiteral("WHERE ") + where;
    q.setSql(joined);
    q.setSql(SqlDialect::Oracle, kFornecedorColumns + kFornecedorOuterJoins + QStringLiteral("AND ") + where);
    supplierFields(q);
}

void definePesqForn(host::LookupQuery& q) {
    q.setSql(kFornecedorColumns + kFornecedorLeftJoins + QStringLiteral("ORDER BY FORNECEDOR.NRINSJURFORN"));
    q.setSql(SqlDialect::Oracle,
             kFornecedorColumns + kFornecedorOuterJoins + QStringLiteral("ORDER BY FORNECEDOR.NRINSJURFORN"));
    supplierFields(q);
}

void defineQualifForn(host::LookupQuery& q) {
    // %1: the AF date as a date; %2: the last day of the qualification's month.
    const QString sql = QStringLiteral(
        "SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR, QUALIFICACAO WHERE FORNECEDOR.CDFORNECED = :P_CDFORNECED AND "
        "(FORNECEDOR.CDQUALIF IS NOT NULL AND FORNECEDOR.CDQUALIF = QUALIFICACAO.CDQUALIF AND "
        "((QUALIFICACAO.IDPERCOTCMP = '1') OR (QUALIFICACAO.IDPERCOTCMP = '2' AND FORNECEDOR.IDFORNAUTO = 'S')) AND ( "
        "(:P_IDULTIDTVALQ = 'D' AND %1 <= FORNECEDOR.DTVALQUALIF) OR (:P_IDULTIDTVALQ = 'M' AND %1 <= %2) ) ) UNION "
        "SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR WHERE FORNECEDOR.CDFORNECED = :P_CDFORNECED AND "
        "FORNECEDOR.CDQUALIF IS NULL");
    const QString oracle = sql.arg(QStringLiteral("TO_DATE(:P_DTAUTOFORN)"), QStringLiteral("LAST_DAY(FORNECEDOR.DTVALQUALIF)"));
    q.setSql(oracle);
    q.setSql(SqlDialect::Oracle, oracle);
    q.setSql(SqlDialect::InterBase, oracle);
    q.setSql(SqlDialect::SqlServer,
             sql.arg(QStringLiteral("CAST(:P_DTAUTOFORN AS DATETIME)"),
                     QStringLiteral("DATEADD(day, -1, DATEADD(month, 1, DATEADD(day, 1 - DAY(FORNECEDOR.DTVALQUALIF), "
                                    "FORNECEDOR.DTVALQUALIF)))")));
    q.setSql(SqlDialect::SQLite,
             sql.arg(QStringLiteral(":P_DTAUTOFORN"),
                     QStringLiteral("datetime(FORNECEDOR.DTVALQUALIF, 'start of month', '+1 month', '-1 day')")));
    q.setSql(SqlDialect::PostgreSQL,
             sql.arg(QStringLiteral("CAST(:P_DTAUTOFORN AS TIMESTAMP)"),
                     QStringLiteral("date_trunc('month', FORNECEDOR.DTVALQUALIF) + INTERVAL '1 month' - "
                                    "INTERVAL '1 day'")));
    q.addField(FieldDef::string(QStringLiteral("CDFORNECED"), 21));
}

void definePesqComp(host::LookupQuery& q) {
    setNullableSql(q,
                   QStringLiteral("SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR WHERE "
                                  "COMPRADOR.CDOPERADOR = %1(:P_CDOPERADOR, COMPRADOR.CDOPERADOR) AND "
                                  "COMPRADOR.CDOPERADOR = OPERADOR.CDOPERADOR ORDER BY COMPRADOR.CDOPERADOR"),
                   QStringLiteral("SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR, "
                                  "PARAM(:P_CDOPERADOR) P_CDOPERADOR WHERE COMPRADOR.CDOPERADOR = "
                                  "NVLSTR(P_CDOPERADOR.PARAM, COMPRADOR.CDOPERADOR) AND COMPRADOR.CDOPERADOR = "
                                  "OPERADOR.CDOPERADOR ORDER BY COMPRADOR.CDOPERADOR"));
    codeAndName(q, "CDOPERADOR", 12, "NMOPERADOR", 40);
}

void defineOperRelacAux(host::LookupQuery& q) {
    q.setSql(QStringLiteral("SELECT R.CDOPERADOR, R.IDEXSENHCMPOPER, R.IDCOTCMPOPER, R.IDAPURCMPOPER, "
                            "R.IDAFCMPOPER FROM COMPROPER R, COMPRADOR C WHERE C.CDOPERADOR = R.CDCOMPRADOR "
                            "AND C.CDOPERADOR = :P_CDCOMPRADOR AND R.CDOPERADOR = :P_OPERADORLOGADO"));
    q.addField(FieldDef::string(QStringLiteral("CDOPERADOR"), 12));
    for (const char* flag : {"IDEXSENHCMPOPER", "IDCOTCMPOPER", "IDAPURCMPOPER", "IDAFCMPOPER"})
        q.addField(FieldDef::string(QString::fromLatin1(flag), 1));
}

void defineIsBuyer(host::LookupQuery& q) {
    q.setSql(QStringLiteral("SELECT CDOPERADOR FROM COMPRADOR WHERE CDOPERADOR = :P_OPERADORLOGADO"));
    q.addField(FieldDef::string(QStringLiteral("CDOPERADOR"), 12));
}

void definePesqCobr(host::LookupQuery& q) {
    setNullableSql(q,
                   QStringLiteral("SELECT CDTIPCOB, NMTIPOCOBR FROM TIPOCOBR WHERE CDTIPCOB = %1(:P_CDTIPCOB, CDTIPCOB) "
                                  "ORDER BY CDTIPCOB"),
                   QStringLiteral("SELECT CDTIPCOB, NMTIPOCOBR FROM TIPOCOBR, PARAM(:P_CDTIPCOB) P_CDTIPCOB WHERE "
                                  "CDTIPCOB = NVLSTR(P_CDTIPCOB.PARAM, CDTIPCOB) ORDER BY CDTIPCOB"));
    codeAndName(q, "CDTIPCOB", 2, "NMTIPOCOBR", 20);
}

void defineTipoCtPagar(host::LookupQuery& q) {
    setNullableSql(q,
                   QStringLiteral("SELECT CDTPCTPAGAR, DSTPCTPAGAR FROM TIPOCTPAGAR WHERE CDTPCTPAGAR = "
                                  "%1(:P_TPCTPAGAR, CDTPCTPAGAR) ORDER BY CDTPCTPAGAR"),
                   QStringLiteral("SELECT CDTPCTPAGAR, DSTPCTPAGAR FROM TIPOCTPAGAR, PARAM(:P_TPCTPAGAR) P_TPCTPAGAR "
                                  "WHERE CDTPCTPAGAR = NVLSTR(P_TPCTPAGAR.PARAM, CDTPCTPAGAR) ORDER BY CDTPCTPAGAR"));
    codeAndName(q, "CDTPCTPAGAR", 6, "DSTPCTPAGAR", 40, "Descrição");
}

void definePesqTransp(host::LookupQuery& q) {
    setNullableSql(
        q,
        QStringLiteral("SELECT RELFILTRAS.IDTPIJURTRAN, RELFILTRAS.NRINSJURTRAN, TRANSPORT.NMRAZSOCTRAN, IDTRANSPRINC "
                       "FROM TRANSPORT, RELFILTRAS WHERE RELFILTRAS.CDFILIAL = :P_CDFILDEST AND RELFILTRAS.IDTPIJURTRAN "
                       "= %1(:P_IDTPIJURTRAN, RELFILTRAS.IDTPIJURTRAN) AND RELFILTRAS.NRINSJURTRAN = "
                       "%1(:P_NRINSJURTRAN, RELFILTRAS.NRINSJURTRAN) AND RELFILTRAS.IDTPIJURTRAN = "
                       "TRANSPORT.IDTPIJURTRAN AND RELFILTRAS.NRINSJURTRAN = TRANSPORT.NRINSJURTRAN ORDER BY "
                       "IDTRANSPRINC DESC, RELFILTRAS.NRINSJURTRAN ASC, TRANSPORT.NMRAZSOCTRAN ASC"),
        QStringLiteral("SELECT RELFILTRAS.IDTPIJURTRAN, RELFILTRAS.NRINSJURTRAN, TRANSPORT.NMRAZSOCTRAN, IDTRANSPRINC "
                       "FROM TRANSPORT, RELFILTRAS, PARAM(:P_IDTPIJURTRAN) P_IDTPIJURTRAN, PARAM(:P_NRINSJURTRAN) "
                       "P_NRINSJURTRAN WHERE RELFILTRAS.CDFILIAL = :P_CDFILDEST AND RELFILTRAS.IDTPIJURTRAN = "
                       "NVLSTR(P_IDTPIJURTRAN.PARAM, RELFILTRAS.IDTPIJURTRAN) AND RELFILTRAS.NRINSJURTRAN = "
                       "NVLSTR(P_NRINSJURTRAN.PARAM, RELFILTRAS.NRINSJURTRAN) AND RELFILTRAS.IDTPIJURTRAN = "
                       "TRANSPORT.IDTPIJURTRAN AND RELFILTRAS.NRINSJURTRAN = TRANSPORT.NRINSJURTRAN ORDER BY "
                       "IDTRANSPRINC DESC, RELFILTRAS.NRINSJURTRAN ASC, TRANSPORT.NMRAZSOCTRAN ASC"));
    personColumns(q, QStringLiteral("IDTPIJURTRAN"), QStringLiteral("NRINSJURTRAN"));
    q.addField(FieldDef::string(QStringLiteral("NMRAZSOCTRAN"), 40, QStringLiteral("Razão Social")));
    host::Field& principal = q.addField(FieldDef::string(QStringLiteral("IDTRANSPRINC"), 1, QStringLiteral("Principal")));
    principal.onGetText = [](const host::Field& f, bool) {
        const QString code = f.asString().trimmed();
        if (code == QLatin1String("S")) return QStringLiteral("Sim");
        if (code == QLatin1String("N")) return QStringLiteral("Não");
        return code;
    };
}

}  // namespace

HeaderQueries::HeaderQueries() {
    defineFilial(qryFilial);
    defineBranchCompany(qryEmpresaDest);
    defineBranchCompany(qryDestNF);
    definePesqEmpresa(qryPesqEmpresa);
    defineFornecedor(qryFornecedor);
    definePesqForn(qryPesqForn);
    defineQualifForn(qryQualifForn);
    definePesqComp(qryPesqComp);
    defineOperRelacAux(qryOperRelacAux);
    defineIsBuyer(qryOperadorLogado);
    defineIsBuyer(qryCompradorAF);
    definePesqCobr(qryPesqCobr);
    defineTipoCtPagar(qryTipoCtPagar);
    definePesqTransp(qryPesqTransp);
    qryPesqClienFilial.setSql(
        QStringLiteral("SELECT IDCLIENPRIN FROM CLIENFILIAL WHERE CDFILIAL = :P_CDFILIAL AND IDCLIENPRIN = 'S'"));
    qryPesqClienFilial.addField(FieldDef::string(QStringLiteral("IDCLIENPRIN"), 1));
    qryFornec.setSql(QStringLiteral("SELECT IDGERAFDTENT FROM FORNECEDOR WHERE CDFORNECED = :P_CDFORNECED"));
    qryFornec.addField(FieldDef::string(QStringLiteral("IDGERAFDTENT"), 1));
}

}  // namespace afdesk
