#include "filtro_af_lookups.h"

#include "afdesk/core/model/code_domains.h"
#include "afdesk/core/model/lookup_sql.h"

#include "host/data/dataset.h"
#include "host/services/inscricao.h"

namespace afdesk {

namespace {

using host::FieldDef;
using host::SqlDialect;

}  // namespace

std::unique_ptr<host::LookupQuery> makeQryPesqForn() {
    auto q = std::make_unique<host::LookupQuery>(QStringLiteral("qryPesqForn"));
    q->setSql(QStringLiteral("SELECT FORNECEDOR.IDTPIJURFORN, FORNECEDOR.NRINSJURFORN, FORNECEDOR.NMRAZSOCFORN, "
                             "FORNECEDOR.NMFANTFORN, FORNECEDOR.CDFORNECED FROM FORNECEDOR ORDER BY NRINSJURFORN"));
    host::Field& tipo = q->addField(FieldDef::string(QStringLiteral("IDTPIJURFORN"), 1, QStringLiteral("Tipo")));
    showDomain(tipo, tpiJurDomain());
    host::Field& inscricao =
        q->addField(FieldDef::string(QStringLiteral("NRINSJURFORN"), 20, QStringLiteral("Inscrição")));
    inscricao.onGetText = [](const host::Field& f, bool) {
        return host::FormataInscricao(f.asString(), f.dataset().field(QStringLiteral("IDTPIJURFORN")).asString());
    };
    q->addField(FieldDef::string(QStringLiteral("NMRAZSOCFORN"), 40, QStringLiteral("Razão Social")));
    q->addField(FieldDef::string(QStringLiteral("NMFANTFORN"), 40, QStringLiteral("Nome Fantasia")));
    q->addField(FieldDef::string(QStringLiteral("CDFORNECED"), 21, QStringLiteral("Código")).hidden());
    return q;
}

std::unique_ptr<host::LookupQuery> makeQryPesqComp() {
    auto q = std::make_unique<host::LookupQuery>(QStringLiteral("qryPesqComp"));
    setNullableSql(*q,
                   QStringLiteral("SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR WHERE "
                                  "(OPERADOR.CDOPERADOR = %1(:P_CDOPERADOR, OPERADOR.CDOPERADOR)) AND "
                                  "OPERADOR.CDOPERADOR = COMPRADOR.CDOPERADOR ORDER BY COMPRADOR.CDOPERADOR"),
                   QStringLiteral("SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR, "
                                  "PARAM(:P_CDOPERADOR) P_CDOPERADOR WHERE (OPERADOR.CDOPERADOR = "
                                  "NVLSTR(P_CDOPERADOR.PARAM, OPERADOR.CDOPERADOR)) AND OPERADOR.CDOPERADOR = "
                                  "COMPRADOR.CDOPERADOR ORDER BY COMPRADOR.CDOPERADOR"));
    q->addField(FieldDef::string(QStringLiteral("CDOPERADOR"), 12, QStringLiteral("Código")));
    q->addField(FieldDef::string(QStringLiteral("NMOPERADOR"), 40, QStringLiteral("Nome")));
    return q;
}

std::unique_ptr<host::LookupQuery> makeQryCentCmp() {
    auto q = std::make_unique<host::LookupQuery>(QStringLiteral("qryCentCmp"));
    const QString sql = QStringLiteral(
        "SELECT CAST(%1(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS VARCHAR(4)) AS CDFILIAL, FIL.NMFILIAL AS "
        "NMFILIAL_CENTRAL FROM FILIAL FIL, FILIAL WHERE FILIAL.CDFILIAL = :P_CDFILIAL AND %1(FILIAL.CDFILCENTCMP, "
        "FILIAL.CDFILIAL) = FIL.CDFILIAL");
    q->setSql(sql.arg(QStringLiteral("NVLSTR")));
    q->setSql(SqlDialect::SqlServer, sql.arg(QStringLiteral("ISNULL")));
    q->setSql(SqlDialect::SQLite, sql.arg(QStringLiteral("COALESCE")));
    q->setSql(SqlDialect::PostgreSQL, sql.arg(QStringLiteral("COALESCE")));
    q->addField(FieldDef::string(QStringLiteral("CDFILIAL"), 4, QStringLiteral("Código")));
    q->addField(FieldDef::string(QStringLiteral("NMFILIAL_CENTRAL"), 30, QStringLiteral("Nome")));
    return q;
}

std::unique_ptr<host::LookupQuery> makeQryFilial() {
    auto q = std::make_unique<host::LookupQuery>(QStringLiteral("qryFilial"));
    q->setSql(QStringLiteral("SELECT FILIAL.CDFILIAL, FILIAL.NMFILIAL FROM FILIAL WHERE (FILIAL.CDFILIAL = "
                             ":P_CDFILIAL OR :P_TCDFILIAL = 'T') AND (FILIAL.CDFILCENTCMP = :P_CDCENTCMP OR "
                             "FILIAL.CDFILIAL = :P_CDCENTCMP) ORDER BY CDFILIAL"));
    q->addField(FieldDef::string(QStringLiteral("CDFILIAL"), 4, QStringLiteral("Código")));
    q->addField(FieldDef::string(QStringLiteral("NMFILIAL"), 30, QStringLiteral("Nome")));
    return q;
}

void defineGrupFili(host::Dataset& ds) {
    ds.addField(FieldDef::string(QStringLiteral("CDGRUPFILI"), 10, QStringLiteral("Código")));
    ds.addField(FieldDef::string(QStringLiteral("NMGRUPFILI"), 40, QStringLiteral("Nome")));
}

void defineFiliAgrupFili(host::Dataset& ds) {
    ds.addField(FieldDef::string(QStringLiteral("IDMARCADO"), 1).asReadOnly());
    ds.addField(FieldDef::string(QStringLiteral("CDFILIAL"), 4, QStringLiteral("Código")));
    ds.addField(FieldDef::string(QStringLiteral("CDGRUPFILI"), 10).hidden());
    ds.addField(FieldDef::string(QStringLiteral("NMFILIAL"), 30, QStringLiteral("Nome")));
}

}  // namespace afdesk
