#include "reference_rows.h"

#include "catalogue_data.h"
#include "prng.h"

#include <algorithm>

namespace afdemo {

namespace {

namespace cat = catalogue;

const QVariant kNull;

constexpr std::uint64_t kStockStream = 3;

QString yes(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

QString groupOf(int level1) { return code(cat::productTree()[std::size_t(level1)].group, 10); }

void treeRows(const World& w, RowBuffer& out) {
    TableRows& groups = out.table("GRUPPROD", {"CDGRUPPROD", "NMGRUPPROD"});
    groups.add({code(1, 10), QStringLiteral("Mercadorias para Revenda")});
    groups.add({code(2, 10), QStringLiteral("Material de Uso e Consumo")});

    TableRows& subGroups = out.table("SUBGRUPPROD", {"CDGRUPPROD", "CDSUBGRPROD", "NMSUBGRPROD"});
    for (const Node& n : w.level2s) subGroups.add({groupOf(n.parent), n.subGroup, n.name});

    TableRows& brands = out.table("MARCA", {"CDMARCA", "NMMARCA"});
    for (const Brand& b : w.brands) brands.add({b.code, b.name});

    TableRows& products = out.table("PRODUTO", {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "SGUNIDADE", "CDPRODESTO",
                                                "VRFATOCONV", "CDNVPRODUTO", "CDGRUPPROD", "CDSUBGRPROD", "IDPRODWEB",
                                                "TXOBSPRODUTO"});
    for (const Node& n : w.level1s)
        products.add({n.code, n.tree, n.name, kNull, kNull, kNull, QStringLiteral("01"), kNull, kNull, kNull, kNull});
    for (const Node& n : w.level2s)
        products.add({n.code, n.tree, n.name, kNull, kNull, kNull, QStringLiteral("02"), groupOf(n.parent), n.subGroup,
                      kNull, kNull});
    for (std::size_t k = 0; k < w.products.size(); ++k) {
        const Product& p = w.products[k];
        const QVariant note = k % 10 == 3 ? QVariant(QStringLiteral("Conferir a validade no recebimento.")) : kNull;
        products.add({p.code, p.tree, p.name, p.unit, p.code, 1.0, QStringLiteral("03"), groupOf(p.level1),
                      w.level2s[std::size_t(p.level2)].subGroup, yes(p.web), note});
    }
}

void qualificationRows(const World& w, RowBuffer& out) {
    TableRows& brands = out.table("MARCPROD", {"CDPRODUTO", "CDMARCA", "IDQUALIMARC", "DTVALQUALMARC"});
    int n = 0;
    for (const Product& p : w.products)
        for (int b : p.brands) {
            ++n;
            const bool qualified = n % 13 != 0;
            const QDate until = n % 9 == 0 ? w.base.addDays(-10) : w.base.addDays(365);  // some expired
            brands.add({p.code, w.brands[std::size_t(b)].code, yes(qualified), dateText(until)});
        }

    TableRows& supplied = out.table("PRODFORN", {"CDFORNECED", "CDPRODUTO", "IDQUALIPROD", "DTVALQUALPROD"});
    int m = 0;
    for (const Supplier& s : w.suppliers)
        for (int p : s.products) {
            ++m;
            const QDate until = m % 11 == 0 ? w.base.addDays(-15) : w.base.addDays(365);
            supplied.add({s.code, w.products[std::size_t(p)].code, QStringLiteral("S"), dateText(until)});
        }
    // The products without brands, sold by the suppliers of their node.
    for (const Supplier& s : w.suppliers)
        for (int p = w.unbrandedFrom; p < int(w.products.size()); ++p) {
            const Product& prod = w.products[std::size_t(p)];
            if (std::find(s.level2s.begin(), s.level2s.end(), prod.level2) != s.level2s.end())
                supplied.add({s.code, prod.code, QStringLiteral("S"), dateText(w.base.addDays(365))});
        }
}

void branchRuleRows(const World& w, RowBuffer& out) {
    TableRows& status = out.table("PRODFILI", {"CDFILIAL", "CDPRODUTO", "IDPRODATIV"});
    for (const auto& [key, inactive] : w.inactive)
        status.add({w.branches[std::size_t(key.first)].code, w.products[std::size_t(key.second)].code, QStringLiteral("I")});

    TableRows& buyerLevels = out.table("PRODCOMP", {"CDOPERADOR", "CDPRODUTO"});
    for (const Buyer& b : w.buyers)
        for (int l : b.level1s) buyerLevels.add({b.code, w.level1s[std::size_t(l)].code});

    TableRows& explicitBuy = out.table("PRODCMPFILI", {"CDFILIAL", "CDPRODUTO"});
    TableRows& neverBuy = out.table("PRODNCMP", {"CDFILIAL", "CDPRODUTO"});
    TableRows& logistic = out.table("PRODOPERLOG", {"CDFILIAL", "CDPRODUTO"});
    for (const Branch& b : w.branches) {
        if (b.role == BranchRole::Store && b.receivesAfs() && b.ordinal % 5 == 1)
            explicitBuy.add({b.code, w.level1s[5].code});
        if (b.role == BranchRole::LogisticOperator)
            for (const Product& p : w.products)
                if (p.level1 <= 1) logistic.add({b.code, p.code});
    }
    for (const auto& [key, never] : w.notBought)
        neverBuy.add({w.branches[std::size_t(key.first)].code, w.level1s[std::size_t(key.second)].code});
}

void stockRows(const World& w, RowBuffer& out) {
    TableRows& costTypes = out.table("TIPOCUSTO", {"NRTIPOCUSTO", "NMTIPOCUSTO"});
    costTypes.add({1, QStringLiteral("Custo Médio")});
    costTypes.add({2, QStringLiteral("Último Custo de Entrada")});
    costTypes.add({3, QStringLiteral("Custo de Reposição")});

    TableRows& stock = out.table("ESTOQUE", {"CDFILIAL", "CDPRODUTO", "QTESTOQUE"});
    TableRows& costs = out.table("CUSTPROD", {"CDFILIAL", "CDPRODUTO", "NRTIPOCUSTO", "VRCUSTO"});
    static const double factors[] = {0.62, 0.66, 0.70};
    for (const Branch& b : w.branches) {
        if (!b.receivesAfs()) continue;
        for (int p = 0; p < int(w.products.size()); ++p) {
            if ((p + b.ordinal) % 3 != 0) continue;
            const Product& prod = w.products[std::size_t(p)];
            Prng rng = Prng::stream(w.options.seed, kStockStream, std::uint64_t(b.ordinal) * 1000003u + std::uint64_t(p));
            stock.add({b.code, prod.code, double(rng.between(0, 400))});
            for (int type = 1; type <= 3; ++type)
                costs.add({b.code, prod.code, type, cents(int(prod.priceCents * factors[type - 1]) + rng.between(0, 20))});
        }
    }
}

void taxRows(const World& w, RowBuffer& out) {
    TableRows& operations = out.table("TIPOOPER", {"CDTIPOOPER", "NMTIPOOPER"});
    operations.add({QStringLiteral("01"), QStringLiteral("Compra para comercialização")});
    operations.add({QStringLiteral("02"), QStringLiteral("Compra para uso e consumo")});
    operations.add({QStringLiteral("03"), QStringLiteral("Transferência entre filiais")});

    TableRows& taxes = out.table("IMPOSTO", {"CDIMPOSTO", "NMIMPOSTO"});
    taxes.add({QStringLiteral("01"), QStringLiteral("ICMS")});
    taxes.add({QStringLiteral("02"), QStringLiteral("IPI")});
    taxes.add({QStringLiteral("03"), QStringLiteral("PIS")});
    taxes.add({QStringLiteral("04"), QStringLiteral("COFINS")});

    // NRSEQINCID is left to the engine: its sequence must stay ahead of what is stored.
    TableRows& incidences = out.table("INCIDENCIA", {"CDEMPRESA", "CDTIPOOPER", "CDINSCESTA", "CDIMPOSTO", "CDPRODUTO",
                                                     "IDENTRSAIDIN", "CDFISCAL", "VRALIQINCID"});
    for (const Incidence& i : w.incidences)
        incidences.add({i.company, QStringLiteral("01"), i.stateRegistration, i.tax,
                        i.level1 < 0 ? kNull : QVariant(w.level1s[std::size_t(i.level1)].code), QStringLiteral("E"),
                        QStringLiteral("1102"), i.rate});
}

}  // namespace

void productRows(const World& w, RowBuffer& out) {
    treeRows(w, out);
    qualificationRows(w, out);
    branchRuleRows(w, out);
    stockRows(w, out);
    taxRows(w, out);
}

}  // namespace afdemo
