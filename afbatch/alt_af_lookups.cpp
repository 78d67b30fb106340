#include "alt_af_lookups.h"

namespace afbatch {

namespace {

using host::FieldDef;
using host::SqlDialect;

// One text for the engines this platform runs (standard SQL for both).
void setPortable(host::LookupQuery& q, const QString& text) {
    q.setSql(SqlDialect::SQLite, text);
    q.setSql(SqlDialect::PostgreSQL, text);
}

}  // namespace

AltAfLookups::AltAfLookups() {
    qryCentCmp.setSql(QStringLiteral("SELECT CAST(NVLSTR(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS VARCHAR(4)) AS "
                                     "CDFILIAL FROM FILIAL WHERE FILIAL.CDFILIAL = :P_CDFILIAL"));
    qryCentCmp.setSql(SqlDialect::Oracle, QStringLiteral("SELECT NVL(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS CDFILIAL "
                                                         "FROM FILIAL WHERE FILIAL.CDFILIAL = :P_CDFILIAL"));
    setPortable(qryCentCmp, QStringLiteral("SELECT CAST(COALESCE(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS VARCHAR(4)) "
                                           "AS CDFILIAL FROM FILIAL WHERE FILIAL.CDFILIAL = :P_CDFILIAL"));
    qryCentCmp.addField(FieldDef::string("CDFILIAL", 4));

    qryFilial.setSql(QStringLiteral("SELECT CDFILIAL, NMFILIAL, IDCNTRRESC FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL "
                                    "OR :P_TCDFILIAL = 'T') ORDER BY CDFILIAL"));
    setPortable(qryFilial, qryFilial.sql(SqlDialect::Default));
    qryFilial.addField(FieldDef::string("CDFILIAL", 4, QStringLiteral("Código ")));
    qryFilial.addField(FieldDef::string("NMFILIAL", 30, QStringLiteral("Nome")));
    qryFilial.addField(FieldDef::string("IDCNTRRESC", 1).hidden());

    qrySubGrupo.setSql(QStringLiteral("SELECT CDSUBGRPROD, NMSUBGRPROD FROM SUBGRUPPROD WHERE (CDGRUPPROD = "
                                      ":P_CDGRUPPROD) AND (CDSUBGRPROD = :P_CDSUBGRPROD OR :P_TCDSUBGRPROD = 'T') "
                                      "ORDER BY CDSUBGRPROD"));
    setPortable(qrySubGrupo, qrySubGrupo.sql(SqlDialect::Default));
    qrySubGrupo.addField(FieldDef::string("CDSUBGRPROD", 10, QStringLiteral("Código ")));
    qrySubGrupo.addField(FieldDef::string("NMSUBGRPROD", 40, QStringLiteral("Nome")));

    qryMarca.setSql(QStringLiteral("SELECT CDMARCA, NMMARCA FROM MARCA WHERE CDMARCA = :P_CDMARCA"));
    setPortable(qryMarca, qryMarca.sql(SqlDialect::Default));
    qryMarca.addField(FieldDef::string("CDMARCA", 5));
    qryMarca.addField(FieldDef::string("NMMARCA", 20));

    qryPesqMarcTodas.setSql(QStringLiteral("SELECT MARCA.CDMARCA, MARCA.NMMARCA FROM MARCA /**/ ORDER BY MARCA.CDMARCA"));
    setPortable(qryPesqMarcTodas, qryPesqMarcTodas.sql(SqlDialect::Default));
    qryPesqMarcTodas.addField(FieldDef::string("CDMARCA", 5, QStringLiteral("Código")));
    qryPesqMarcTodas.addField(FieldDef::string("NMMARCA", 20, QStringLiteral("Nome")));
}

}  // namespace afbatch
