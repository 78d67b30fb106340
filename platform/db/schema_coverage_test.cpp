// The schema must hold every table and column that the screens' SQL texts name
// and every stored field of the datasets the server builds from it. The pairs
// below were collected from those texts and datasets; a missing one is a lookup
// or a server query that cannot run.
#include "platform/db/schema_catalog.h"
#include "platform/db/schema_v1.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>

namespace afdb {
namespace {

struct TableColumns {
    const char* table;
    const char* columns;  // blank-separated
};

// clang-format off
const TableColumns kNamedBySql[] = {
    // Permissions and operator groups
    {"AUTGRUPOP", "IDAUTGRUPOP CDGRUPOPER"},
    {"OPERGRUPOP", "CDGRUPOPER CDOPERADOR"},
    {"OPERADOR", "CDOPERADOR NMOPERADOR IDOPERATIVO DSSENHAHASH"},
    {"COMPRADOR", "CDOPERADOR"},
    {"COMPROPER", "CDOPERADOR CDCOMPRADOR IDEXSENHCMPOPER IDCOTCMPOPER IDAPURCMPOPER IDAFCMPOPER"},
    {"GERECOMP", "CDOPERCOMP CDOPERGERE"},
    // Parameters
    {"PARAMGERAL", "IDCONSORCFIN IDSISDOS IDCACHPRODFI"},
    {"PARASUPRI", "CDFILIAL CDGRUPOPER IDULTIDTVALQ IDVALDTAF IDBLOQUEAAF IDMARSEMQUA IDPROSEMMAR IDPROSEMFOR "
                  "IDUTQTDEVOLU CDTIPOOPER IDATUSOLILAF IDUTLPROCMPAF IDBLPRCOMEST CDGRUPPROD NRDIAANTENTRAF"},
    {"PARCMPSUP", "CDFILIAL IDTIPEMITGER CDEMPRESA IDCARPRECLAF IDOBLIBAFMAN IDAUDALTAF IDBLOQFORNCOTAF "
                  "IDVERPRODCMPFIL CDOPERADOR IDTPARQENVMA DSDIRLOGAUTF IDTPLANCITAF IDUTILIZAINTSAC IDUTAPROVSOL "
                  "IDULTDESTSOL IDEXIGAPRGERCMP IDAPROVITMSOLGR CDGRUPPROD CDSUBGRPROD"},
    // Branches and companies
    {"FILIAL", "CDFILIAL NMFILIAL IDFUNCAOFILI CDEMPRESA CDFILCENTCMP CDINSCESTA CDREGIAO IDCNTRRESC"},
    {"EMPRESA", "CDEMPRESA NMEMPRESA"},
    {"EMPRCNTRFIL", "CDEMPRESA CDFILIAL"},
    {"CLIENFILIAL", "CDFILIAL IDCLIENPRIN"},
    {"GRUPFILI", "CDGRUPFILI NMGRUPFILI"},
    {"FILIAGRUPFILI", "CDGRUPFILI CDFILIAL"},
    // Suppliers and carriers
    {"FORNECEDOR", "IDTPIJURFORN NRINSJURFORN NMRAZSOCFORN NMFANTFORN CDFORNECED IDTPFRETFORN CDTIPCOB CDFORMPGTO "
                   "IDTPFORPGTFO NRDIAPGFIXFO NRPARCPGTOFO IDUTDIAPGTFO VRPEDESCFORN IDSITUCADA IDTPDESCFORN "
                   "IDGERCONTPGT CDQUALIF IDFORNAUTO DTVALQUALIF IDGERAFDTENT IDTPENVAFFOR DSEMAILCOT DSMAILCOTCOP "
                   "IDUTILZIPAF"},
    {"ENDEFORN", "CDFORNECED SGESTADO IDTPENDEFORN"},
    {"QUALIFICACAO", "CDQUALIF IDPERCOTCMP"},
    {"PRAZOPGFOR", "CDFORNECED NRDIASPGTOFO VRPERCPGTOFO"},
    {"TIPOCOBR", "CDTIPCOB NMTIPOCOBR"},
    {"FORMPGTO", "CDFORMPGTO NMFORMPGTO IDTIPODTPGTO"},
    {"TIPOCTPAGAR", "CDTPCTPAGAR DSTPCTPAGAR"},
    {"TRANSPORT", "IDTPIJURTRAN NRINSJURTRAN NMRAZSOCTRAN"},
    {"RELFILTRAS", "CDFILIAL IDTPIJURTRAN NRINSJURTRAN IDTRANSPRINC"},
    // Products, brands, taxes
    {"PRODUTO", "CDPRODUTO NMPRODUTO SGUNIDADE CDPRODESTO CDARVPROD VRFATOCONV CDNVPRODUTO"},
    {"PRODFILI", "CDFILIAL IDPRODATIV CDPRODUTO"},
    {"PRODCOMP", "CDPRODUTO CDOPERADOR"},
    {"PRODNCMP", "CDPRODUTO CDFILIAL"},
    {"PRODCMPFILI", "CDPRODUTO CDFILIAL"},
    {"MARCA", "CDMARCA NMMARCA"},
    {"SUBGRUPPROD", "CDSUBGRPROD NMSUBGRPROD CDGRUPPROD"},
    {"INCIDENCIA", "CDIMPOSTO IDENTRSAIDIN CDEMPRESA CDTIPOOPER CDINSCESTA CDPRODUTO CDFISCAL"},
    {"IMPOSTO", "CDIMPOSTO NMIMPOSTO"},
    // Catalogues
    {"ENCARGO", "CDENCARGO NMENCARGO"},
    {"MENSCOMP", "CDMENSCMP NMMENSCMP"},
    {"JUSTSOLI", "CDJUSTSOL DSJUSTSOL"},
    {"PROPRIED", "CDPROGRAMA NMCOMPONENTE NMPROPRIEDADE NRVALORPROP STAGRVALPROP STVALORPROP"},
    // AF header: the stored fields of cdsAutoForne and cdsServAutoForne
    {"AUTOFORNE", "CDFILDEST CDFILLANC NRAUTOFORN IDAUTOFORNEX CDFORNECED DTAUTOFORN CDOPERADOR IDTIPOEMITAF "
                  "IDTIPOFRETAF CDEMPRESA CDTIPCOB IDTPIJURTRAN NRINSJURTRAN IDSITUATUAAF IDAFFORALIM IDBAIXAAF "
                  "IDBAIXAFSAI CDFORMPGTO IDTPFORPGTAF NRPARCPGTOAF NRDIAPGFIXAF IDUTDIAPGTAF IDTIPOLANCAF VRTOTALAF "
                  "CDGERENTE CDTPCTPAGAR IDAFPRODWEB IDAFOPERLOG IDENVAFECEDI IDAFPILOTO CDFILIOPELOG IDSITUENVAFMCD "
                  "CDFILDESTCON CDFILLANCCON NRAUTOFORCON NRSEQAPURAF DTPROGENTAF IDAFEXPIRADA IDDEVOLUCAONF "
                  "IDBAIXITMFUTURA IDITAFMIGRADA IDITMSEPARADO DSINCONSAF"},
    // AF items, taxes, terms, charges, messages (cdsItemAutF, cdsImpostoAF, cdsPrazoPgtAF, cdsEncargo, cdsMensagensAF)
    {"ITEMAUTF", "CDFILDEST CDFILLANC NRAUTOFORN CDPRODUTO DTPROGENTAF CDMARCA QTPROGENTAF VRPREUNIAF NRPARCITMAF "
                 "VRPERDESAF CDSEGMARCA QTEFETENTRAF DTEFETENTAF IDBAIXITMAF IDBAIXITAFS TXOBSITMAF VRDESCITMAF "
                 "QTVOLUITEMAF DTBAIXITMAF CDOPERBAIXA IDMOTPRESCAF NRLANCTONF IDTPLANITEAF NRCOTPREITAF NRLISTAITAF "
                 "IDTIPOLANITM QTDISPITEMAFECC IDBAIXITMFUTURA IDITAFMIGRADA DTENTRITMSOL IDITMSEPARADO DSINCONSITAF"},
    {"IMPITMAF", "CDFILDEST CDFILLANC NRAUTOFORN CDPRODUTO DTPROGENTAF CDMARCA CDIMPOSTO VRALIQITMAF VRIMPITMAF "
                 "IDIMPDIGAF"},
    {"PRAZOPGTAF", "CDFILDEST CDFILLANC NRAUTOFORN NRDIASPGTOAF VRPERCPGTOAF"},
    {"ENCARGOAF", "CDFILDEST CDFILLANC NRAUTOFORN DTENTRENCAF CDENCARGO VRENCARGOAF"},
    {"MENSAUTF", "CDFILDEST CDFILLANC NRAUTOFORN NRMENSAUTFOR DSMENSAF"},
    // Alteration log (cdsMovOpAF) and migrated items (cdsAfMigra)
    {"MOVOPAF", "CDFILDESMOV CDFILLANMOV NRAUTOMOV CDPRODMOV CDMARCMOV DTPROGENTMOV DTOPERAF DSALTERAF CDOPERADOR "
                "DSJUSTOPERMOV IDOPERAMOVAF DSRDMUSUMOVAF DSENDUSUMOVAF DSNMUSUMOVAF DSMETUSUMOVAF"},
    {"AFMIGRA", "NRAUTOFORN CDFILDEST CDFILLANC NRAUTOFORNORIG CDFILDESTORIG CDFILLANCORIG CDPRODUTOORIG "
                "DTPROGENTAFORIG CDMARCAORIG"},
    // Receipts (cdsNFBaixa)
    {"NOTAFISC", "CDFILIAL NRLANCTONF NRNOTAFISC DTENTRSAID CDSERIEENTR CDFORNECED"},
    {"ITNOTAFISC", "CDFILIAL NRLANCTONF CDPRODUTO CDMARCA QTITEMPROD VRUNITITEM"},
    {"BAIXAITAF", "CDFILIAL NRLANCTONF CDFILDEST CDFILLANC NRAUTOFORN CDMARCA CDPRODUTO DTPROGENTAF QTNFEFETAF"},
    // Purchase requests (cdsSolicitacao, cdsPrincipal)
    {"SOLICMP", "CDFILLAN NRSOLICMP CDFILSOLI DTSOLCMP"},
    {"ITEMSOLICMP", "CDFILLAN NRSOLICMP CDPRODUTO CDMARCA DTPROGENTR QTSOLIPROD"},
    {"ESTOQUE", "CDFILIAL CDPRODUTO QTESTOQUE"},
    {"CUSTPROD", "CDFILIAL CDPRODUTO VRCUSTO"},
    // Price lists (cdsPesqLista), price surveys (cdsApuracao, import proposal)
    {"ITEMLISTPREC", "CDPRODUTO CDMARCA VRPRECUNIITM DTINIVALITM DTFINVALITM"},
    {"APURPREC", "NRAPURPREC DTINIAPUPREC DTFINAPUPREC"},
    {"ITEMAPURPREC", "CDFILLAN NRSEQITMAP CDFORNECED CDFILIAL CDPRODUTO CDMARCA DTENTRAPUT QTACOMP VRPRECUNIAP"},
};
// clang-format on

class SchemaCoverageTest : public testing::MigratedEngineTest {};

TEST_P(SchemaCoverageTest, HoldsEveryTableAndColumnTheScreensAndServerName) {
    for (const TableColumns& entry : kNamedBySql) {
        const QStringList present = columnNames(connection(), QString::fromLatin1(entry.table));
        ASSERT_FALSE(present.isEmpty()) << "missing table " << entry.table;
        for (const QString& column : QString::fromLatin1(entry.columns).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            EXPECT_TRUE(present.contains(column)) << entry.table << "." << column.toStdString();
    }
}

TEST_P(SchemaCoverageTest, MatchesItsDescriptionOnThisEngine) {
    for (const schema::Table& t : schema::v1::allTables()) {
        QStringList expected;
        for (const schema::Column& c : t.columns) expected << c.name;
        EXPECT_EQ(columnNames(connection(), t.name), expected) << t.name.toStdString();
    }
}

AFDB_INSTANTIATE_ON_ENGINES(SchemaCoverageTest);

TEST(SchemaDescription, NamesAreUniqueAndKeysAreColumns) {
    QStringList tables;
    QStringList indexes;
    for (const schema::Table& t : schema::v1::allTables()) {
        EXPECT_FALSE(tables.contains(t.name)) << "duplicate table " << t.name.toStdString();
        tables << t.name;
        EXPECT_FALSE(t.primaryKey.isEmpty()) << t.name.toStdString() << " has no primary key";
        EXPECT_FALSE(t.purpose.isEmpty()) << t.name.toStdString();
        QStringList columns;
        for (const schema::Column& c : t.columns) {
            EXPECT_FALSE(columns.contains(c.name)) << t.name.toStdString() << "." << c.name.toStdString();
            columns << c.name;
        }
        for (const QString& k : t.primaryKey) EXPECT_TRUE(columns.contains(k)) << t.name.toStdString() << " key " << k.toStdString();
        for (const schema::ForeignKey& f : t.foreignKeys)
            for (const QString& c : f.columns) EXPECT_TRUE(columns.contains(c)) << t.name.toStdString() << " fk " << c.toStdString();
        for (const schema::Index& i : t.indexes) {
            EXPECT_FALSE(indexes.contains(i.name)) << "duplicate index " << i.name.toStdString();
            indexes << i.name;
        }
    }
}

// Every table appears in the schema map of docs/database.md.
TEST(SchemaDescription, EveryTableIsInTheSchemaMap) {
    QFile doc(QStringLiteral(AF_SOURCE_DIR "/docs/database.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly)) << "docs/database.md is missing";
    const QString text = QString::fromUtf8(doc.readAll());
    for (const schema::Table& t : schema::v1::allTables())
        EXPECT_TRUE(text.contains(QStringLiteral("| `%1` |").arg(t.name))) << t.name.toStdString() << " not in docs/database.md";
}

}  // namespace
}  // namespace afdb
