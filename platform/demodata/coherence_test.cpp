// The demo company hangs together: what the schema cannot enforce (soft
// relations between tables, totals, receipts) holds for every row.
#include "demo_test_fixture.h"

#include "platform/db/sql_values.h"

#include "host/testing/qt_printers.h"

#include <map>

namespace afdemo::testing {
namespace {

// Money is kept in cents: a computed amount may differ from the exact product by half a cent.
const char* const kAfJoin = "I.CDFILDEST = A.CDFILDEST AND I.CDFILLANC = A.CDFILLANC AND I.NRAUTOFORN = A.NRAUTOFORN";

struct Rule {
    const char* what;
    QString violations;  // SELECT COUNT(*) of the rows that break the rule
};

QString q(const char* text) { return QString::fromUtf8(text).replace(QStringLiteral("$AF"), QString::fromLatin1(kAfJoin)); }

const std::vector<Rule>& rules() {
    static const std::vector<Rule> r = {
        {"o comprador da AF é um comprador",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE NOT EXISTS (SELECT 1 FROM COMPRADOR C WHERE C.CDOPERADOR = A.CDOPERADOR)")},
        {"toda AF tem itens", q("SELECT COUNT(*) FROM AUTOFORNE A WHERE NOT EXISTS (SELECT 1 FROM ITEMAUTF I WHERE $AF)")},
        {"o total da AF é a soma dos itens (quantidade x preço - desconto)",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE ABS(A.VRTOTALAF - (SELECT SUM(I.QTPROGENTAF * I.VRPREUNIAF - "
           "COALESCE(I.VRDESCITMAF, 0)) FROM ITEMAUTF I WHERE $AF)) > 0.00501")},
        {"o desconto do item é o percentual sobre o bruto",
         q("SELECT COUNT(*) FROM ITEMAUTF I WHERE ABS(I.VRDESCITMAF - I.VRPERDESAF * I.QTPROGENTAF * I.VRPREUNIAF / 100) > 0.00501")},
        {"recebido não passa do pedido", q("SELECT COUNT(*) FROM ITEMAUTF I WHERE I.QTEFETENTRAF > I.QTPROGENTAF")},
        {"as baixas de entrada somam o recebido do item",
         q("SELECT COUNT(*) FROM ITEMAUTF I WHERE ABS(I.QTEFETENTRAF - COALESCE((SELECT SUM(B.QTNFEFETAF) FROM BAIXAITAF B "
           "WHERE B.IDENTRSAIDA = 'E' AND B.CDFILDEST = I.CDFILDEST AND B.CDFILLANC = I.CDFILLANC AND B.NRAUTOFORN = "
           "I.NRAUTOFORN AND B.CDPRODUTO = I.CDPRODUTO AND B.DTPROGENTAF = I.DTPROGENTAF AND B.CDMARCA = I.CDMARCA), 0)) > 1e-9")},
        {"as baixas de saída não passam do pedido",
         q("SELECT COUNT(*) FROM ITEMAUTF I WHERE COALESCE((SELECT SUM(B.QTNFEFETAF) FROM BAIXAITAF B WHERE B.IDENTRSAIDA "
           "= 'S' AND B.CDFILDEST = I.CDFILDEST AND B.CDFILLANC = I.CDFILLANC AND B.NRAUTOFORN = I.NRAUTOFORN AND "
           "B.CDPRODUTO = I.CDPRODUTO AND B.DTPROGENTAF = I.DTPROGENTAF AND B.CDMARCA = I.CDMARCA), 0) > I.QTPROGENTAF")},
        {"o item de nota cobre o que baixou",
         q("SELECT COUNT(*) FROM ITNOTAFISC N WHERE (SELECT SUM(B.QTNFEFETAF) FROM BAIXAITAF B WHERE B.CDFILIAL = "
           "N.CDFILIAL AND B.NRLANCTONF = N.NRLANCTONF AND B.CDPRODUTO = N.CDPRODUTO AND B.CDMARCA = N.CDMARCA) > N.QTITEMPROD")},
        {"a nota é do fornecedor da AF e chegou à filial destino ou ao seu operador logístico",
         q("SELECT COUNT(*) FROM BAIXAITAF B JOIN NOTAFISC N ON N.CDFILIAL = B.CDFILIAL AND N.NRLANCTONF = B.NRLANCTONF "
           "JOIN AUTOFORNE A ON A.CDFILDEST = B.CDFILDEST AND A.CDFILLANC = B.CDFILLANC AND A.NRAUTOFORN = B.NRAUTOFORN "
           "WHERE N.CDFORNECED <> A.CDFORNECED OR NOT (N.CDFILIAL = A.CDFILDEST OR (A.IDAFOPERLOG = '2' AND "
           "B.IDENTRSAIDA = 'E' AND N.CDFILIAL = A.CDFILIOPELOG))")},
        {"nada foi recebido depois da data base", q("SELECT COUNT(*) FROM NOTAFISC WHERE DTENTRSAID >= :BASE")},
        {"nenhuma AF é posterior à data base", q("SELECT COUNT(*) FROM AUTOFORNE WHERE DTAUTOFORN > :BASE")},
        {"a entrega não é anterior à AF",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF WHERE I.DTPROGENTAF < A.DTAUTOFORN")},
        {"a entrega da AF é a primeira entrega dos itens",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.DTPROGENTAF <> (SELECT MIN(I.DTPROGENTAF) FROM ITEMAUTF I WHERE $AF)")},
        {"a marca do item é marca do produto",
         q("SELECT COUNT(*) FROM ITEMAUTF I WHERE NOT EXISTS (SELECT 1 FROM MARCPROD M WHERE M.CDPRODUTO = I.CDPRODUTO "
           "AND M.CDMARCA = I.CDMARCA) OR (I.CDSEGMARCA IS NOT NULL AND NOT EXISTS (SELECT 1 FROM MARCPROD M WHERE "
           "M.CDPRODUTO = I.CDPRODUTO AND M.CDMARCA = I.CDSEGMARCA))")},
        {"o fornecedor da AF vende o produto",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF WHERE NOT EXISTS (SELECT 1 FROM PRODFORN F WHERE "
           "F.CDFORNECED = A.CDFORNECED AND F.CDPRODUTO = I.CDPRODUTO)")},
        {"o fornecedor atende a filial destino",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE NOT EXISTS (SELECT 1 FROM FORNFILI F WHERE F.CDFORNECED = "
           "A.CDFORNECED AND F.CDFILIAL = A.CDFILDEST)")},
        {"o comprador compra o nível do produto",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO WHERE "
           "NOT EXISTS (SELECT 1 FROM PRODCOMP C JOIN PRODUTO L ON L.CDPRODUTO = C.CDPRODUTO WHERE C.CDOPERADOR = "
           "A.CDOPERADOR AND P.CDARVPROD LIKE L.CDARVPROD || '%')")},
        {"a filial destino pode comprar o produto",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO WHERE EXISTS (SELECT 1 FROM "
           "PRODFILI F WHERE F.CDFILIAL = I.CDFILDEST AND F.CDPRODUTO = I.CDPRODUTO AND F.IDPRODATIV = 'I') OR EXISTS "
           "(SELECT 1 FROM PRODNCMP N JOIN PRODUTO L ON L.CDPRODUTO = N.CDPRODUTO WHERE N.CDFILIAL = I.CDFILDEST AND "
           "P.CDARVPROD LIKE L.CDARVPROD || '%')")},
        {"fora do limite é exatamente total acima do limite do comprador",
         q("SELECT COUNT(*) FROM AUTOFORNE A JOIN COMPRADOR C ON C.CDOPERADOR = A.CDOPERADOR WHERE (CASE WHEN "
           "A.VRTOTALAF > C.VRLIMITECOMP THEN 'S' ELSE 'N' END) <> A.IDAFFORALIM")},
        {"o gerente da AF é gerente do comprador",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.CDGERENTE IS NOT NULL AND NOT EXISTS (SELECT 1 FROM GERECOMP G "
           "WHERE G.CDOPERCOMP = A.CDOPERADOR AND G.CDOPERGERE = A.CDGERENTE)")},
        {"a empresa emitente pode faturar para a filial destino",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE NOT EXISTS (SELECT 1 FROM EMPRCNTRFIL E WHERE E.CDEMPRESA = "
           "A.CDEMPRESA AND E.CDFILIAL = A.CDFILDEST)")},
        {"emitente \"Cliente Principal\" só em filial com cliente principal",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.IDTIPOEMITAF = '3' AND NOT EXISTS (SELECT 1 FROM CLIENFILIAL C "
           "WHERE C.CDFILIAL = A.CDFILDEST AND C.IDCLIENPRIN = 'S')")},
        {"a transportadora atende a filial destino",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.NRINSJURTRAN IS NOT NULL AND NOT EXISTS (SELECT 1 FROM RELFILTRAS R "
           "WHERE R.CDFILIAL = A.CDFILDEST AND R.IDTPIJURTRAN = A.IDTPIJURTRAN AND R.NRINSJURTRAN = A.NRINSJURTRAN)")},
        {"prazos de pagamento somam 100% nas AFs pela forma de pagamento",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.IDTPFORPGTAF = 'V' AND ABS(COALESCE((SELECT SUM(T.VRPERCPGTOAF) "
           "FROM PRAZOPGTAF T WHERE T.CDFILDEST = A.CDFILDEST AND T.CDFILLANC = A.CDFILLANC AND T.NRAUTOFORN = "
           "A.NRAUTOFORN), 0) - 100) > 1e-9")},
        {"só AFs pela forma de pagamento têm prazos",
         q("SELECT COUNT(*) FROM PRAZOPGTAF I JOIN AUTOFORNE A ON $AF WHERE COALESCE(A.IDTPFORPGTAF, 'X') <> 'V'")},
        {"prazos do fornecedor somam 100% quando ele paga pela forma de pagamento",
         q("SELECT COUNT(*) FROM FORNECEDOR F WHERE F.IDTPFORPGTFO = 'V' AND ABS(COALESCE((SELECT SUM(T.VRPERCPGTOFO) "
           "FROM PRAZOPGFOR T WHERE T.CDFORNECED = F.CDFORNECED), 0) - 100) > 1e-9")},
        {"só fornecedores pela forma de pagamento têm prazos",
         q("SELECT COUNT(*) FROM PRAZOPGFOR T JOIN FORNECEDOR F ON F.CDFORNECED = T.CDFORNECED WHERE "
           "COALESCE(F.IDTPFORPGTFO, 'X') <> 'V'")},
        {"AF só para filial com central de compras e parâmetros",
         q("SELECT COUNT(*) FROM AUTOFORNE A JOIN FILIAL F ON F.CDFILIAL = A.CDFILDEST WHERE (F.CDFILCENTCMP IS NULL "
           "AND F.IDFUNCAOFILI <> 'C') OR NOT EXISTS (SELECT 1 FROM PARCMPSUP P WHERE P.CDFILIAL = F.CDFILIAL) OR NOT "
           "EXISTS (SELECT 1 FROM PARASUPRI S WHERE S.CDFILIAL = F.CDFILIAL)")},
        {"o operador logístico de uma filial é um operador logístico da mesma central",
         q("SELECT COUNT(*) FROM FILIAL F JOIN FILIAL O ON O.CDFILIAL = F.CDFILIOPELOG WHERE O.IDFUNCAOFILI <> 'O' OR "
           "O.CDFILCENTCMP <> F.CDFILCENTCMP")},
        {"a empresa do emitente padrão \"Empresa Informada\" pode faturar para a filial",
         q("SELECT COUNT(*) FROM PARCMPSUP P WHERE P.IDTIPEMITGER = '2' AND NOT EXISTS (SELECT 1 FROM EMPRCNTRFIL E "
           "WHERE E.CDEMPRESA = P.CDEMPRESA AND E.CDFILIAL = P.CDFILIAL)")},
        {"emitente padrão \"Cliente Principal\" só em filial com cliente principal",
         q("SELECT COUNT(*) FROM PARCMPSUP P WHERE P.IDTIPEMITGER = '3' AND NOT EXISTS (SELECT 1 FROM CLIENFILIAL C "
           "WHERE C.CDFILIAL = P.CDFILIAL AND C.IDCLIENPRIN = 'S')")},
        {"filial com transportadoras tem exatamente uma principal",
         q("SELECT COUNT(*) FROM FILIAL F WHERE EXISTS (SELECT 1 FROM RELFILTRAS R WHERE R.CDFILIAL = F.CDFILIAL) AND "
           "(SELECT COUNT(*) FROM RELFILTRAS R WHERE R.CDFILIAL = F.CDFILIAL AND R.IDTRANSPRINC = 'S') <> 1")},
        {"no máximo um cliente principal por filial",
         q("SELECT COUNT(*) FROM FILIAL F WHERE (SELECT COUNT(*) FROM CLIENFILIAL C WHERE C.CDFILIAL = F.CDFILIAL AND "
           "C.IDCLIENPRIN = 'S') > 1")},
        {"encargos caem em datas de entrega da AF",
         q("SELECT COUNT(*) FROM ENCARGOAF E WHERE NOT EXISTS (SELECT 1 FROM ITEMAUTF I WHERE I.CDFILDEST = E.CDFILDEST "
           "AND I.CDFILLANC = E.CDFILLANC AND I.NRAUTOFORN = E.NRAUTOFORN AND I.DTPROGENTAF = E.DTENTRENCAF)")},
        {"o imposto do item é a alíquota sobre o líquido",
         q("SELECT COUNT(*) FROM IMPITMAF T JOIN ITEMAUTF I ON I.CDFILDEST = T.CDFILDEST AND I.CDFILLANC = T.CDFILLANC "
           "AND I.NRAUTOFORN = T.NRAUTOFORN AND I.CDPRODUTO = T.CDPRODUTO AND I.DTPROGENTAF = T.DTPROGENTAF AND "
           "I.CDMARCA = T.CDMARCA WHERE ABS(T.VRIMPITMAF - (I.QTPROGENTAF * I.VRPREUNIAF - I.VRDESCITMAF) * "
           "T.VRALIQITMAF / 100) > 0.006")},
        {"impostos gerados seguem a incidência da filial e empresa",
         q("SELECT COUNT(*) FROM IMPITMAF T JOIN AUTOFORNE A ON A.CDFILDEST = T.CDFILDEST AND A.CDFILLANC = T.CDFILLANC "
           "AND A.NRAUTOFORN = T.NRAUTOFORN JOIN FILIAL F ON F.CDFILIAL = A.CDFILDEST WHERE T.IDIMPDIGAF = 'N' AND NOT "
           "EXISTS (SELECT 1 FROM INCIDENCIA N WHERE N.CDEMPRESA = A.CDEMPRESA AND N.CDINSCESTA = F.CDINSCESTA AND "
           "N.CDIMPOSTO = T.CDIMPOSTO AND N.VRALIQINCID = T.VRALIQITMAF)")},
        {"AF web tem só produtos web, e vice-versa",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.IDAFPRODWEB <> (CASE WHEN EXISTS (SELECT 1 FROM ITEMAUTF I JOIN "
           "PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO WHERE $AF AND P.IDPRODWEB <> 'S') THEN 'N' ELSE 'S' END)")},
        {"preço de lista é o da lista",
         q("SELECT COUNT(*) FROM ITEMAUTF I WHERE I.NRLISTAITAF IS NOT NULL AND NOT EXISTS (SELECT 1 FROM ITEMLISTPREC L "
           "WHERE L.NRLISTPREC = I.NRLISTAITAF AND L.CDPRODUTO = I.CDPRODUTO AND L.CDMARCA = I.CDMARCA AND "
           "L.VRPRECUNIITM = I.VRPREUNIAF)")},
        {"preço cotado é o da cotação do fornecedor",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF WHERE I.NRCOTPREITAF IS NOT NULL AND NOT EXISTS "
           "(SELECT 1 FROM ITEMCOTPREC C WHERE C.NRCOTPREC = I.NRCOTPREITAF AND C.CDFORNECED = A.CDFORNECED AND "
           "C.CDPRODUTO = I.CDPRODUTO AND C.CDMARCA = I.CDMARCA AND C.VRPRECCOTA = I.VRPREUNIAF)")},
        {"AF consolidada aponta uma AF consolidadora do mesmo fornecedor",
         q("SELECT COUNT(*) FROM AUTOFORNE A JOIN AUTOFORNE C ON C.CDFILDEST = A.CDFILDESTCON AND C.CDFILLANC = "
           "A.CDFILLANCCON AND C.NRAUTOFORN = A.NRAUTOFORCON WHERE COALESCE(C.IDAFOPERLOG, 'X') <> '1' OR "
           "C.CDFORNECED <> A.CDFORNECED")},
        {"a consolidadora pede a soma das consolidadas",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF WHERE A.IDAFOPERLOG = '1' AND I.QTPROGENTAF <> "
           "(SELECT SUM(J.QTPROGENTAF) FROM ITEMAUTF J JOIN AUTOFORNE B ON J.CDFILDEST = B.CDFILDEST AND J.CDFILLANC = "
           "B.CDFILLANC AND J.NRAUTOFORN = B.NRAUTOFORN WHERE B.CDFILDESTCON = A.CDFILDEST AND B.CDFILLANCCON = "
           "A.CDFILLANC AND B.NRAUTOFORCON = A.NRAUTOFORN AND J.CDPRODUTO = I.CDPRODUTO AND J.DTPROGENTAF = "
           "I.DTPROGENTAF AND J.CDMARCA = I.CDMARCA)")},
        {"AF distribuída pelo operador logístico usa o operador da filial destino",
         q("SELECT COUNT(*) FROM AUTOFORNE A JOIN FILIAL F ON F.CDFILIAL = A.CDFILDEST WHERE A.IDAFOPERLOG = '2' AND "
           "(A.CDFILIOPELOG IS NULL OR F.CDFILIOPELOG IS NULL OR A.CDFILIOPELOG <> F.CDFILIOPELOG)")},
        {"baixa de saída só em AF do operador logístico",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.IDBAIXAFSAI IS NOT NULL AND COALESCE(A.IDAFOPERLOG, 'X') <> '2'")},
        {"AF expirada tem todas as entregas vencidas",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE A.IDAFEXPIRADA = 'S' AND EXISTS (SELECT 1 FROM ITEMAUTF I WHERE $AF "
           "AND I.DTPROGENTAF >= :BASE)")},
        {"itens separados exatamente nas AFs separadas",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF WHERE I.IDITMSEPARADO <> A.IDITMSEPARADO")},
        {"itens cancelados exatamente nas AFs canceladas",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN AUTOFORNE A ON $AF WHERE (COALESCE(I.IDBAIXITMAF, '-') = '5') <> "
           "(COALESCE(A.IDBAIXAAF, '-') = '5')")},
        {"AF para operador logístico só com produtos relacionados a um operador logístico",
         q("SELECT COUNT(*) FROM ITEMAUTF I JOIN FILIAL D ON D.CDFILIAL = I.CDFILDEST JOIN PRODUTO P ON P.CDPRODUTO = "
           "I.CDPRODUTO WHERE D.IDFUNCAOFILI = 'O' AND NOT EXISTS (SELECT 1 FROM PRODOPERLOG R JOIN FILIAL F ON "
           "F.CDFILIAL = R.CDFILIAL JOIN PRODUTO L ON L.CDPRODUTO = R.CDPRODUTO WHERE F.IDFUNCAOFILI = 'O' AND "
           "P.CDARVPROD LIKE L.CDARVPROD || '%')")},
        {"AF migrada tem a origem registrada, e a origem existe",
         q("SELECT (SELECT COUNT(*) FROM AUTOFORNE A WHERE A.IDITAFMIGRADA = 'S' AND NOT EXISTS (SELECT 1 FROM AFMIGRA I "
           "WHERE $AF)) + (SELECT COUNT(*) FROM AFMIGRA M WHERE NOT EXISTS (SELECT 1 FROM AUTOFORNE O WHERE "
           "O.CDFILDEST = M.CDFILDESTORIG AND O.CDFILLANC = M.CDFILLANCORIG AND O.NRAUTOFORN = M.NRAUTOFORNORIG))")},
        {"as contas a pagar somam o total da AF",
         q("SELECT COUNT(*) FROM AUTOFORNE A WHERE EXISTS (SELECT 1 FROM CONTPAGAF I WHERE $AF) AND ABS(A.VRTOTALAF - "
           "(SELECT SUM(I.VRPARCPGTO) FROM CONTPAGAF I WHERE $AF)) > 0.005")},
        {"solicitação importada aponta uma AF da filial com o produto",
         q("SELECT COUNT(*) FROM ITEMSOLICMP S JOIN SOLICMP H ON H.CDFILLAN = S.CDFILLAN AND H.NRSOLICMP = S.NRSOLICMP "
           "WHERE S.IDSITUITSOL = 'I' AND (S.CDFILDEST <> H.CDFILSOLI OR NOT EXISTS (SELECT 1 FROM ITEMAUTF I WHERE "
           "I.CDFILDEST = S.CDFILDEST AND I.CDFILLANC = S.CDFILLANC AND I.NRAUTOFORN = S.NRAUTOFORN AND I.CDPRODUTO = "
           "S.CDPRODUTO))")},
        {"o último número de AF é o maior de cada filial de lançamento",
         q("SELECT COUNT(*) FROM NUMAUTOFORN U WHERE U.NRULTAUTOFORN <> (SELECT MAX(CAST(A.NRAUTOFORN AS INTEGER)) FROM "
           "AUTOFORNE A WHERE A.CDFILLANC = U.CDFILLANC) OR NOT EXISTS (SELECT 1 FROM AUTOFORNE A WHERE A.CDFILLANC = "
           "U.CDFILLANC AND CAST(A.NRAUTOFORN AS INTEGER) = 1)")},
    };
    return r;
}

class DemoCoherenceTest : public GeneratedDemoTest {};

TEST_P(DemoCoherenceTest, SoftRelationsHold) {
    const afdb::Params base = {{"BASE", QDateTime(demoBaseDate(), QTime(0, 0), Qt::UTC)}};
    for (const Rule& rule : rules()) {
        SCOPED_TRACE(rule.what);
        const bool usesBase = rule.violations.contains(QStringLiteral(":BASE"));
        EXPECT_EQ(count(rule.violations, usesBase ? base : afdb::Params{}), 0);
    }
}

// The settlement code of an AF from its items' codes, as the workspace derives it.
QString derived(const std::vector<QString>& codes) {
    int c = 0, k = 0, i = 0, j = 0, l = 0;
    for (const QString& s : codes) {
        ++c;
        k += s == QLatin1String("1");
        i += s == QLatin1String("2");
        j += s == QLatin1String("3");
        l += s.isEmpty();
    }
    if (c == 0 || l == c) return {};
    if (k > 0 || (l > 0 && l < c)) return QStringLiteral("1");
    if (i == c) return QStringLiteral("2");
    return QStringLiteral("3");
}

TEST_P(DemoCoherenceTest, SettlementCodesFollowTheItems) {
    struct Af {
        QString entry, exit, role;
        std::vector<QString> items, exitItems;
    };
    std::map<QString, Af> afs;
    QSqlQuery h = afdb::exec(db(), QStringLiteral("SELECT CDFILDEST, CDFILLANC, NRAUTOFORN, IDBAIXAAF, IDBAIXAFSAI, "
                                                  "IDAFOPERLOG FROM AUTOFORNE"));
    while (h.next())
        afs[h.value(0).toString() + h.value(1).toString() + h.value(2).toString()] = {
            h.value(3).toString(), h.value(4).toString(), h.value(5).toString(), {}, {}};
    QSqlQuery i = afdb::exec(db(), QStringLiteral("SELECT CDFILDEST, CDFILLANC, NRAUTOFORN, IDBAIXITMAF, IDBAIXITAFS FROM ITEMAUTF"));
    while (i.next()) {
        Af& af = afs[i.value(0).toString() + i.value(1).toString() + i.value(2).toString()];
        af.items.push_back(i.value(3).toString());
        af.exitItems.push_back(i.value(4).toString());
    }
    int frozen = 0;
    for (const auto& [key, af] : afs) {
        SCOPED_TRACE(key.toStdString());
        if (af.entry == QLatin1String("4") || af.entry == QLatin1String("5") || af.entry == QLatin1String("7")) {
            ++frozen;  // ended, cancelled and EDI keep their code whatever the items say
        } else {
            EXPECT_EQ(af.entry, derived(af.items));
        }
        if (af.role == QLatin1String("2")) {
            EXPECT_EQ(af.exit, derived(af.exitItems));
        }
    }
    EXPECT_GT(frozen, 0);
}

TEST_P(DemoCoherenceTest, CountsFollowTheScale) {
    EXPECT_EQ(summary().afs, 200);
    EXPECT_EQ(summary().items, 2000);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM AUTOFORNE")), 200);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITEMAUTF")), 2000);
    qint64 rows = 0;
    for (const char* t : {"AUTOFORNE", "ITEMAUTF", "IMPITMAF", "BAIXAITAF", "FORNECEDOR", "PRODUTO", "OPERADOR"})
        rows += count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(t)));
    EXPECT_GT(summary().rows, rows);
}

AFDB_INSTANTIATE_ON_ENGINES(DemoCoherenceTest);

}  // namespace
}  // namespace afdemo::testing
