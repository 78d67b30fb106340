// The screens' lookup queries, in their SQLite and PostgreSQL forms (NVL/NVLSTR
// become COALESCE, outer-join marks become LEFT JOIN, the PARAM table of the
// default texts goes away), run against the schema with a small fixture. A
// query that names a missing column, mistypes a comparison or finds the wrong
// rows fails here, on both engines.
#include "platform/db/db_error.h"
#include "platform/db/sql_exec.h"
#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtSql/QSqlRecord>

namespace afdb {
namespace {

struct Lookup {
    const char* name;
    const char* sql;        // both engines, or SQLite when pgSql is set
    const char* pgSql;      // PostgreSQL text when it differs
    Params params;
    int rows;               // expected row count
    const char* column;     // optional: a column of the first row...
    QVariant value;         // ...and its expected value
};

class LookupQueriesTest : public testing::MigratedEngineTest {
protected:
    void SetUp() override {
        MigratedEngineTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        w = testing::seedMinimalWorld(connection());
        // The branch may not buy the tree level "01" ...
        testing::insertRow(connection(), "PRODNCMP", {{"CDFILIAL", w.branch}, {"CDPRODUTO", w.productLevel}});
    }
    void check(const Lookup& l) {
        const QString sql = QString::fromUtf8(engine() == Engine::PostgreSQL && l.pgSql ? l.pgSql : l.sql);
        try {
            QSqlQuery q = exec(connection(), sql, l.params);
            int rows = 0;
            QVariant first;
            while (q.next()) {
                if (rows++ == 0 && l.column) {
                    const int at = q.record().indexOf(QString::fromLatin1(l.column));
                    ASSERT_GE(at, 0) << l.name << ": no column " << l.column;
                    first = q.value(at);
                }
            }
            EXPECT_EQ(rows, l.rows) << l.name;
            if (l.column) {
                EXPECT_EQ(first.toString(), l.value.toString()) << l.name << "." << l.column;
            }
        } catch (const DbError& e) {
            ADD_FAILURE() << l.name << ": " << e.what();
        }
    }
    testing::MinimalWorld w;
};

TEST_P(LookupQueriesTest, RunOnTheSchema) {
    const QVariant none;
    const Lookup lookups[] = {
        {"qryAutGrupOp",
         "SELECT AUTGRUPOP.IDAUTGRUPOP FROM AUTGRUPOP, OPERGRUPOP WHERE AUTGRUPOP.IDAUTGRUPOP IN ('ENAF', 'CAAF', 'ABAF') "
         "AND AUTGRUPOP.CDGRUPOPER = OPERGRUPOP.CDGRUPOPER AND OPERGRUPOP.CDOPERADOR = :P_CDOPERADOR",
         nullptr, {{"P_CDOPERADOR", w.buyer}}, 1, "IDAUTGRUPOP", "ENAF"},
        {"qryAutGrupOp1",
         "SELECT AUTGRUPOP.IDAUTGRUPOP, OPERGRUPOP.CDOPERADOR FROM AUTGRUPOP, OPERGRUPOP WHERE AUTGRUPOP.IDAUTGRUPOP = "
         ":P_IDAUTGRUPOP AND AUTGRUPOP.CDGRUPOPER  = OPERGRUPOP.CDGRUPOPER",
         nullptr, {{"P_IDAUTGRUPOP", "EXAF"}}, 0, nullptr, none},
        {"qryOperGrupOp", "SELECT CDGRUPOPER FROM OPERGRUPOP WHERE CDOPERADOR = :P_CDOPERADOR AND CDGRUPOPER = :P_CDGRUPOPER",
         nullptr, {{"P_CDOPERADOR", w.buyer}, {"P_CDGRUPOPER", "01"}}, 1, nullptr, none},
        {"qryParamGeral", "SELECT IDCONSORCFIN, IDSISDOS, IDCACHPRODFI FROM PARAMGERAL", nullptr, {}, 1, "IDCACHPRODFI", "N"},
        {"qryFuncaoFili", "SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE COALESCE(IDFUNCAOFILI, '¿') = 'O'", nullptr, {}, 0,
         nullptr, none},
        {"qryDestNF",
         "SELECT FILIAL.CDEMPRESA, EMPRESA.NMEMPRESA FROM FILIAL, EMPRESA WHERE FILIAL.CDFILIAL = :P_CDFILIAL AND "
         "FILIAL.CDEMPRESA = EMPRESA.CDEMPRESA",
         nullptr, {{"P_CDFILIAL", w.branch}}, 1, "NMEMPRESA", "Empresa Teste"},
        {"qryProdCache",
         "SELECT CDPRODUTO, NMPRODUTO, SGUNIDADE, CDPRODESTO, CDARVPROD, VRFATOCONV FROM PRODUTO WHERE (CDARVPROD = "
         ":P_CDPRODUTO) AND (NOT EXISTS (SELECT CDPRODUTO FROM PRODFILI WHERE (CDFILIAL = :P_CDFILIAL ) AND (IDPRODATIV = "
         "'I' ) AND (CDPRODUTO = PRODUTO.CDPRODUTO))) /* WHERE */",
         nullptr, {{"P_CDPRODUTO", w.productTree}, {"P_CDFILIAL", w.branch}}, 1, "CDPRODUTO", w.product},
        {"qryPesqForn",
         "SELECT FORNECEDOR.IDTPIJURFORN, FORNECEDOR.NRINSJURFORN, FORNECEDOR.NMRAZSOCFORN, FORNECEDOR.NMFANTFORN, "
         "FORNECEDOR.CDFORNECED FROM FORNECEDOR ORDER BY NRINSJURFORN",
         nullptr, {}, 1, "CDFORNECED", w.supplier},
        {"qryPesqComp (all buyers)",
         "SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR WHERE (OPERADOR.CDOPERADOR = "
         "COALESCE(:P_CDOPERADOR, OPERADOR.CDOPERADOR)) AND OPERADOR.CDOPERADOR = COMPRADOR.CDOPERADOR ORDER BY "
         "COMPRADOR.CDOPERADOR",
         nullptr, {{"P_CDOPERADOR", QString()}}, 1, "NMOPERADOR", "Comprador Um"},
        {"qryPesqComp (not a buyer)",
         "SELECT COMPRADOR.CDOPERADOR, OPERADOR.NMOPERADOR FROM COMPRADOR, OPERADOR WHERE COMPRADOR.CDOPERADOR = "
         "COALESCE(:P_CDOPERADOR, COMPRADOR.CDOPERADOR) AND COMPRADOR.CDOPERADOR = OPERADOR.CDOPERADOR ORDER BY "
         "COMPRADOR.CDOPERADOR",
         nullptr, {{"P_CDOPERADOR", w.operatorCode}}, 0, nullptr, none},
        {"qryCentCmp",
         "SELECT CAST(COALESCE(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS VARCHAR(4)) AS CDFILIAL, FIL.NMFILIAL AS "
         "NMFILIAL_CENTRAL FROM FILIAL FIL, FILIAL WHERE FILIAL.CDFILIAL = :P_CDFILIAL AND COALESCE(FILIAL.CDFILCENTCMP, "
         "FILIAL.CDFILIAL) = FIL.CDFILIAL",
         nullptr, {{"P_CDFILIAL", w.branch}}, 1, "NMFILIAL_CENTRAL", "Central"},
        {"qryFilial (filter)",
         "SELECT FILIAL.CDFILIAL, FILIAL.NMFILIAL FROM FILIAL WHERE (FILIAL.CDFILIAL = :P_CDFILIAL OR :P_TCDFILIAL = 'T') "
         "AND (FILIAL.CDFILCENTCMP = :P_CDCENTCMP OR FILIAL.CDFILIAL = :P_CDCENTCMP) ORDER BY CDFILIAL",
         nullptr, {{"P_CDFILIAL", QString()}, {"P_TCDFILIAL", "T"}, {"P_CDCENTCMP", w.central}}, 2, "CDFILIAL", w.central},
        {"qryFilial (header)",
         "SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE CDFILIAL = COALESCE(:P_CDFILIAL, CDFILIAL) AND (CDFILCENTCMP = "
         ":P_CDCENTCMP OR CDFILIAL = :P_CDCENTCMP) ORDER BY CDFILIAL",
         nullptr, {{"P_CDFILIAL", w.branch}, {"P_CDCENTCMP", w.central}}, 1, "NMFILIAL", "Loja"},
        {"qryPesqEmpresa",
         "SELECT DISTINCT EL.CDEMPRESA, EP.NMEMPRESA FROM EMPRESA EP, EMPRCNTRFIL EL WHERE EL.CDEMPRESA = "
         "COALESCE(:P_CDEMPRESA, EL.CDEMPRESA) AND EL.CDFILIAL = :P_CDFILIAL AND EL.CDEMPRESA = EP.CDEMPRESA ORDER BY "
         "EL.CDEMPRESA",
         nullptr, {{"P_CDEMPRESA", QString()}, {"P_CDFILIAL", w.branch}}, 1, "CDEMPRESA", w.company},
        {"qryFornecedor",
         "SELECT FORNECEDOR.IDTPIJURFORN, FORNECEDOR.NRINSJURFORN, FORNECEDOR.NMRAZSOCFORN, FORNECEDOR.NMFANTFORN, "
         "FORNECEDOR.CDFORNECED, FORNECEDOR.IDTPFRETFORN, FORNECEDOR.CDTIPCOB, TIPOCOBR.NMTIPOCOBR, FORNECEDOR.CDFORMPGTO, "
         "FORMPGTO.NMFORMPGTO, FORNECEDOR.IDTPFORPGTFO, FORNECEDOR.NRDIAPGFIXFO, FORNECEDOR.NRPARCPGTOFO, "
         "FORNECEDOR.IDUTDIAPGTFO, FORNECEDOR.VRPEDESCFORN, FORNECEDOR.IDSITUCADA, FORNECEDOR.IDTPDESCFORN, "
         "FORNECEDOR.IDGERCONTPGT FROM FORNECEDOR LEFT JOIN TIPOCOBR ON (FORNECEDOR.CDTIPCOB = TIPOCOBR.CDTIPCOB) LEFT "
         "JOIN FORMPGTO ON (FORNECEDOR.CDFORMPGTO = FORMPGTO.CDFORMPGTO) WHERE (FORNECEDOR.NRINSJURFORN = "
         ":P_NRINSJURFORN) AND (FORNECEDOR.IDTPIJURFORN= :P_IDTPIJURFORN) ORDER BY FORNECEDOR.NRINSJURFORN",
         nullptr, {{"P_NRINSJURFORN", w.supplierDocument}, {"P_IDTPIJURFORN", "J"}}, 1, "NMTIPOCOBR", "Carteira"},
        {"qryQualifForn",
         "SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR, QUALIFICACAO WHERE FORNECEDOR.CDFORNECED = :P_CDFORNECED AND "
         "(FORNECEDOR.CDQUALIF IS NOT NULL AND FORNECEDOR.CDQUALIF = QUALIFICACAO.CDQUALIF AND "
         "((QUALIFICACAO.IDPERCOTCMP = '1') OR (QUALIFICACAO.IDPERCOTCMP = '2' AND FORNECEDOR.IDFORNAUTO = 'S')) AND ( "
         "(:P_IDULTIDTVALQ = 'D' AND :P_DTAUTOFORN <= FORNECEDOR.DTVALQUALIF) OR (:P_IDULTIDTVALQ = 'M' AND "
         ":P_DTAUTOFORN <= datetime(FORNECEDOR.DTVALQUALIF, 'start of month', '+1 month', '-1 day')) ) ) UNION "
         "SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR WHERE FORNECEDOR.CDFORNECED = :P_CDFORNECED AND "
         "FORNECEDOR.CDQUALIF IS NULL",
         "SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR, QUALIFICACAO WHERE FORNECEDOR.CDFORNECED = :P_CDFORNECED AND "
         "(FORNECEDOR.CDQUALIF IS NOT NULL AND FORNECEDOR.CDQUALIF = QUALIFICACAO.CDQUALIF AND "
         "((QUALIFICACAO.IDPERCOTCMP = '1') OR (QUALIFICACAO.IDPERCOTCMP = '2' AND FORNECEDOR.IDFORNAUTO = 'S')) AND ( "
         "(:P_IDULTIDTVALQ = 'D' AND CAST(:P_DTAUTOFORN AS TIMESTAMP) <= FORNECEDOR.DTVALQUALIF) OR (:P_IDULTIDTVALQ = "
         "'M' AND CAST(:P_DTAUTOFORN AS TIMESTAMP) <= date_trunc('month', FORNECEDOR.DTVALQUALIF) + INTERVAL '1 month' - "
         "INTERVAL '1 day') ) ) UNION SELECT FORNECEDOR.CDFORNECED FROM FORNECEDOR WHERE FORNECEDOR.CDFORNECED = "
         ":P_CDFORNECED AND FORNECEDOR.CDQUALIF IS NULL",
         {{"P_CDFORNECED", w.supplier}, {"P_IDULTIDTVALQ", "D"}, {"P_DTAUTOFORN", QDateTime(QDate(2024, 3, 5), QTime(0, 0))}},
         1, "CDFORNECED", w.supplier},
        {"qryOperRelacAux",
         "SELECT R.CDOPERADOR, R.IDEXSENHCMPOPER, R.IDCOTCMPOPER, R.IDAPURCMPOPER, R.IDAFCMPOPER FROM COMPROPER R, "
         "COMPRADOR C WHERE C.CDOPERADOR = R.CDCOMPRADOR AND C.CDOPERADOR = :P_CDCOMPRADOR AND R.CDOPERADOR = "
         ":P_OPERADORLOGADO",
         nullptr, {{"P_CDCOMPRADOR", w.buyer}, {"P_OPERADORLOGADO", w.operatorCode}}, 1, "IDAFCMPOPER", "S"},
        {"qryOperadorLogado", "SELECT CDOPERADOR FROM COMPRADOR WHERE CDOPERADOR = :P_OPERADORLOGADO", nullptr,
         {{"P_OPERADORLOGADO", w.operatorCode}}, 0, nullptr, none},
        {"qryPesqCobr", "SELECT CDTIPCOB, NMTIPOCOBR FROM TIPOCOBR WHERE CDTIPCOB = COALESCE(:P_CDTIPCOB, CDTIPCOB) ORDER BY CDTIPCOB",
         nullptr, {{"P_CDTIPCOB", QString()}}, 1, "NMTIPOCOBR", "Carteira"},
        {"qryTipoCtPagar",
         "SELECT CDTPCTPAGAR, DSTPCTPAGAR FROM TIPOCTPAGAR WHERE CDTPCTPAGAR = COALESCE(:P_TPCTPAGAR, CDTPCTPAGAR) ORDER BY "
         "CDTPCTPAGAR",
         nullptr, {{"P_TPCTPAGAR", "000001"}}, 0, nullptr, none},
        {"qryPesqTransp",
         "SELECT RELFILTRAS.IDTPIJURTRAN, RELFILTRAS.NRINSJURTRAN, TRANSPORT.NMRAZSOCTRAN, IDTRANSPRINC FROM TRANSPORT, "
         "RELFILTRAS WHERE RELFILTRAS.CDFILIAL = :P_CDFILDEST AND RELFILTRAS.IDTPIJURTRAN = COALESCE(:P_IDTPIJURTRAN, "
         "RELFILTRAS.IDTPIJURTRAN) AND RELFILTRAS.NRINSJURTRAN = COALESCE(:P_NRINSJURTRAN, RELFILTRAS.NRINSJURTRAN) AND "
         "RELFILTRAS.IDTPIJURTRAN = TRANSPORT.IDTPIJURTRAN AND RELFILTRAS.NRINSJURTRAN = TRANSPORT.NRINSJURTRAN ORDER BY "
         "IDTRANSPRINC DESC, RELFILTRAS.NRINSJURTRAN ASC, TRANSPORT.NMRAZSOCTRAN ASC",
         nullptr, {{"P_CDFILDEST", w.branch}, {"P_IDTPIJURTRAN", QString()}, {"P_NRINSJURTRAN", QString()}}, 0, nullptr, none},
        {"qryPesqClienFilial", "SELECT IDCLIENPRIN FROM CLIENFILIAL WHERE CDFILIAL = :P_CDFILIAL AND IDCLIENPRIN = 'S'",
         nullptr, {{"P_CDFILIAL", w.branch}}, 0, nullptr, none},
        {"qryFornec", "SELECT IDGERAFDTENT FROM FORNECEDOR WHERE CDFORNECED = :P_CDFORNECED ", nullptr,
         {{"P_CDFORNECED", w.supplier}}, 1, nullptr, none},
        {"qryFilialOL", "SELECT IDFUNCAOFILI FROM FILIAL WHERE CDFILIAL = :P_CDFILDEST", nullptr,
         {{"P_CDFILDEST", w.branch}}, 1, nullptr, none},
        {"buyer's products",
         "SELECT COUNT(*) as CONTA FROM PRODCOMP, PRODUTO WHERE (PRODUTO.CDPRODUTO = PRODCOMP.CDPRODUTO) AND (CDOPERADOR "
         "= :P_CDOPERADOR) AND (:P_CDPRODUTO LIKE PRODUTO.CDARVPROD || '%')",
         nullptr, {{"P_CDOPERADOR", w.buyer}, {"P_CDPRODUTO", w.productTree}}, 1, "CONTA", 1},
        {"products not bought for the branch",
         "SELECT CAST(COUNT(*) AS NUMERIC) AS CONTA FROM PRODNCMP, PRODUTO WHERE PRODNCMP.CDPRODUTO = PRODUTO.CDPRODUTO "
         "AND PRODNCMP.CDFILIAL = :P_CDFILDEST AND :P_CDPRODUTO LIKE PRODUTO.CDARVPROD||'%' AND PRODUTO.CDARVPROD > "
         "(SELECT COALESCE(MAX(PR.CDARVPROD), '0') FROM PRODCMPFILI, PRODUTO PR WHERE PRODCMPFILI.CDPRODUTO = "
         "PR.CDPRODUTO AND :P_CDPRODUTO LIKE PR.CDARVPROD||'%' AND PRODCMPFILI.CDFILIAL = :P_CDFILDEST)",
         nullptr, {{"P_CDFILDEST", w.branch}, {"P_CDPRODUTO", w.productTree}}, 1, "CONTA", 1},
        {"stock product",
         "SELECT CDPRODESTO FROM PRODUTO WHERE (CDPRODUTO = :P_CDPRODUTO) AND CDPRODESTO IS NOT NULL AND CDPRODESTO = "
         "CDPRODUTO",
         nullptr, {{"P_CDPRODUTO", w.product}}, 0, nullptr, none},
        {"qryVerMarca", "SELECT COUNT(*) AS CTMARCA FROM MARCA WHERE CDMARCA = :P_CDMARCA", nullptr,
         {{"P_CDMARCA", w.brand}}, 1, "CTMARCA", 1},
        {"qryMarca", "SELECT CDMARCA, NMMARCA FROM MARCA WHERE CDMARCA = :P_CDMARCA", nullptr, {{"P_CDMARCA", w.brand}}, 1,
         "NMMARCA", "Marca Um"},
        {"qryPesqMarcTodas", "SELECT MARCA.CDMARCA, MARCA.NMMARCA FROM MARCA /**/ ORDER BY MARCA.CDMARCA", nullptr, {}, 1,
         nullptr, none},
        {"qryInscEsta", "SELECT CDINSCESTA FROM FILIAL WHERE CDFILIAL = :P_CDFILDEST AND CDEMPRESA = :P_CDEMPRESA", nullptr,
         {{"P_CDFILDEST", w.branch}, {"P_CDEMPRESA", w.company}}, 1, "CDINSCESTA", "222"},
        {"qryIncid_Prod",
         "SELECT MAX(CDARVPROD) AS CDPRODUTO, INCIDENCIA.CDIMPOSTO, IMPOSTO.NMIMPOSTO FROM INCIDENCIA, PRODUTO, IMPOSTO "
         "WHERE (IMPOSTO.CDIMPOSTO = INCIDENCIA.CDIMPOSTO) AND (INCIDENCIA.IDENTRSAIDIN = 'E') AND (INCIDENCIA.CDEMPRESA = "
         ":P_CDEMPRESA) AND (INCIDENCIA.CDTIPOOPER = :P_TIPOOPER) AND (INCIDENCIA.CDINSCESTA = :P_CDINSCESTA) AND "
         "(PRODUTO.CDPRODUTO = INCIDENCIA.CDPRODUTO) AND (instr(:P_CDPRODUTO, PRODUTO.CDARVPROD) = 1 OR "
         "INCIDENCIA.CDPRODUTO IS NULL) GROUP BY INCIDENCIA.CDIMPOSTO, IMPOSTO.NMIMPOSTO",
         "SELECT MAX(CDARVPROD) AS CDPRODUTO, INCIDENCIA.CDIMPOSTO, IMPOSTO.NMIMPOSTO FROM INCIDENCIA, PRODUTO, IMPOSTO "
         "WHERE (IMPOSTO.CDIMPOSTO = INCIDENCIA.CDIMPOSTO) AND (INCIDENCIA.IDENTRSAIDIN = 'E') AND (INCIDENCIA.CDEMPRESA = "
         ":P_CDEMPRESA) AND (INCIDENCIA.CDTIPOOPER = :P_TIPOOPER) AND (INCIDENCIA.CDINSCESTA = :P_CDINSCESTA) AND "
         "(PRODUTO.CDPRODUTO = INCIDENCIA.CDPRODUTO) AND (strpos(:P_CDPRODUTO, PRODUTO.CDARVPROD) = 1 OR "
         "INCIDENCIA.CDPRODUTO IS NULL) GROUP BY INCIDENCIA.CDIMPOSTO, IMPOSTO.NMIMPOSTO",
         {{"P_CDPRODUTO", w.productTree}, {"P_CDEMPRESA", w.company}, {"P_TIPOOPER", "01"}, {"P_CDINSCESTA", "222"}}, 1,
         "CDPRODUTO", "01"},
        {"qryC_Incidencia",
         "SELECT INCIDENCIA.CDIMPOSTO, CDFISCAL FROM INCIDENCIA, PRODUTO WHERE (INCIDENCIA.IDENTRSAIDIN = 'E') AND "
         "(INCIDENCIA.CDEMPRESA = :P_CDEMPRESA) AND (INCIDENCIA.CDTIPOOPER = :P_TIPOOPER) AND (INCIDENCIA.CDIMPOSTO = "
         ":P_CDIMPOSTO) AND (INCIDENCIA.CDINSCESTA = :P_CDINSCESTA) AND (PRODUTO.CDPRODUTO = INCIDENCIA.CDPRODUTO) AND "
         "(PRODUTO.CDARVPROD = :P_CDPRODUTO)",
         nullptr,
         {{"P_CDEMPRESA", w.company}, {"P_TIPOOPER", "01"}, {"P_CDIMPOSTO", "01"}, {"P_CDINSCESTA", "222"},
          {"P_CDPRODUTO", "01"}},
         1, "CDFISCAL", "1102"},
        {"qryPesqFormPgto",
         "SELECT CDFORMPGTO, NMFORMPGTO, IDTIPODTPGTO FROM FORMPGTO WHERE CDFORMPGTO = COALESCE(:P_CDFORMPGTO, CDFORMPGTO) "
         "ORDER BY CDFORMPGTO",
         nullptr, {{"P_CDFORMPGTO", QString()}}, 1, "NMFORMPGTO", "Boleto"},
        {"qryEncargos", "SELECT CDENCARGO, NMENCARGO FROM ENCARGO ORDER BY CDENCARGO", nullptr, {}, 1, "NMENCARGO", "Frete"},
        {"qryPesqMensagens", "SELECT CDMENSCMP, NMMENSCMP FROM MENSCOMP ORDER BY CDMENSCMP", nullptr, {}, 0, nullptr, none},
        {"qryPesqJustSoli", "SELECT CDJUSTSOL, DSJUSTSOL FROM JUSTSOLI ORDER BY CDJUSTSOL", nullptr, {}, 0, nullptr, none},
        {"qryGerente",
         "SELECT GERECOMP.CDOPERCOMP, GERECOMP.CDOPERGERE, OPERADOR.NMOPERADOR FROM GERECOMP, OPERADOR WHERE "
         "(GERECOMP.CDOPERCOMP = :P_CDOPERCOMP) AND GERECOMP.CDOPERGERE = OPERADOR.CDOPERADOR AND OPERADOR.IDOPERATIVO = "
         "'A' ORDER BY GERECOMP.CDOPERGERE",
         nullptr, {{"P_CDOPERCOMP", w.buyer}}, 0, nullptr, none},
        {"qryFornEnvia",
         "SELECT F.CDFORNECED, F.NRINSJURFORN, F.NMFANTFORN, E.SGESTADO FROM FORNECEDOR F LEFT JOIN ENDEFORN E ON "
         "F.CDFORNECED = E.CDFORNECED AND E.IDTPENDEFORN = 'P' WHERE F.CDFORNECED = :P_CDFORNECED",
         nullptr, {{"P_CDFORNECED", w.supplier}}, 1, "SGESTADO", "SP"},
        {"title translation",
         "SELECT * FROM PROPRIED WHERE CDPROGRAMA = :PROGRAMA  AND NMCOMPONENTE = :COMPONENTE ORDER BY NMCOMPONENTE, "
         "NMPROPRIEDADE, NRVALORPROP",
         nullptr, {{"PROGRAMA", "LIB045AF"}, {"COMPONENTE", "TDesignQuickReport"}}, 0, nullptr, none},
        {"qryFilial (supplier import)",
         "SELECT FILIAL.CDFILIAL, FILIAL.NMFILIAL FROM FILIAL WHERE (FILIAL.CDFILIAL = :P_CDFILIAL OR :P_TCDFILIAL = 'T') "
         "AND (FILIAL.CDFILCENTCMP = :P_CDCENTCMP OR FILIAL.CDFILIAL = :P_CDCENTCMP) AND COALESCE(IDFUNCAOFILI, '¿') <> "
         "'O' AND FILIAL.CDREGIAO IS NOT NULL AND FILIAL.IDCNTRRESC <> 'S' ORDER BY CDFILIAL",
         nullptr, {{"P_CDFILIAL", QString()}, {"P_TCDFILIAL", "T"}, {"P_CDCENTCMP", w.central}}, 0, nullptr, none},
        {"qryProduto", "SELECT CDPRODUTO, CDARVPROD, NMPRODUTO FROM PRODUTO ORDER BY CDARVPROD", nullptr, {}, 2, "CDARVPROD",
         "01"},
        {"qryFilial (bulk alteration)",
         "SELECT CDFILIAL, NMFILIAL, IDCNTRRESC FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL OR :P_TCDFILIAL = 'T') ORDER BY "
         "CDFILIAL",
         nullptr, {{"P_CDFILIAL", w.branch}, {"P_TCDFILIAL", QString()}}, 1, "IDCNTRRESC", "N"},
        {"qrySubGrupo",
         "SELECT CDSUBGRPROD, NMSUBGRPROD FROM SUBGRUPPROD WHERE (CDGRUPPROD = :P_CDGRUPPROD) AND (CDSUBGRPROD = "
         ":P_CDSUBGRPROD OR :P_TCDSUBGRPROD = 'T') ORDER BY CDSUBGRPROD",
         nullptr, {{"P_CDGRUPPROD", "0000000001"}, {"P_CDSUBGRPROD", QString()}, {"P_TCDSUBGRPROD", "T"}}, 0, nullptr, none},
    };
    for (const Lookup& l : lookups) check(l);
}

AFDB_INSTANTIATE_ON_ENGINES(LookupQueriesTest);

}  // namespace
}  // namespace afdb
