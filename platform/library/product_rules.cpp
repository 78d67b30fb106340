#include "product_rules.h"

namespace platform::library::rules {

// Every prefix of every code at the lengths codes have: one pass over the
// table, then a hashed membership test per product (not one scan per product).
QString isProduct() {
    return QStringLiteral(
        "P.CDARVPROD NOT IN (SELECT substr(C.CDARVPROD, 1, L.NRTAMANHO) FROM PRODUTO C, "
        "(SELECT DISTINCT length(CDARVPROD) AS NRTAMANHO FROM PRODUTO) L "
        "WHERE length(C.CDARVPROD) > L.NRTAMANHO)");
}

QString branchExists() { return QStringLiteral("EXISTS (SELECT 1 FROM FILIAL F WHERE F.CDFILIAL = :P_CDFILIAL)"); }

QString notInactive() {
    return QStringLiteral(
        "NOT EXISTS (SELECT 1 FROM PRODFILI I WHERE I.CDFILIAL = :P_CDFILIAL AND I.CDPRODUTO = P.CDPRODUTO "
        "AND I.IDPRODATIV = 'I')");
}

QString inMix() {
    return QStringLiteral(
        "(EXISTS (SELECT 1 FROM ESTOQUE E WHERE E.CDFILIAL = :P_CDFILIAL "
        "AND E.CDPRODUTO IN (P.CDPRODUTO, P.CDPRODESTO)) "
        "OR EXISTS (SELECT 1 FROM PRODFILI A WHERE A.CDFILIAL = :P_CDFILIAL AND A.CDPRODUTO = P.CDPRODUTO "
        "AND COALESCE(A.IDPRODATIV, 'A') <> 'I'))");
}

// A tree level excluded for the branch counts only when it is deeper than the
// deepest level the branch buys explicitly on the product's path.
QString notExcluded() {
    return QStringLiteral(
        "NOT EXISTS (SELECT 1 FROM PRODNCMP N, PRODUTO NL WHERE N.CDFILIAL = :P_CDFILIAL "
        "AND NL.CDPRODUTO = N.CDPRODUTO AND substr(P.CDARVPROD, 1, length(NL.CDARVPROD)) = NL.CDARVPROD "
        "AND NL.CDARVPROD > (SELECT COALESCE(MAX(XL.CDARVPROD), '0') FROM PRODCMPFILI X, PRODUTO XL "
        "WHERE X.CDFILIAL = :P_CDFILIAL AND XL.CDPRODUTO = X.CDPRODUTO "
        "AND substr(P.CDARVPROD, 1, length(XL.CDARVPROD)) = XL.CDARVPROD))");
}

bool mixOnly(const QString& idBlPrComEst) { return idBlPrComEst == QStringLiteral("S"); }

}  // namespace platform::library::rules
