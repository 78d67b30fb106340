#include "world_sourcing.h"

#include "prng.h"

#include <algorithm>
#include <set>

namespace afdemo {

namespace {

enum Purpose : std::uint64_t {  // continues the numbering of demo_world.cpp
    kPriceListStream = 4,
    kQuotationStream,
    kSurveyStream,
};

// Suppliers that may sell on the base date and serve the central's branches.
std::vector<int> sellersAt(const World& w, int central, int level1, bool anyLevel) {
    std::vector<int> out;
    for (int s = 0; s < int(w.suppliers.size()); ++s) {
        const Supplier& sup = w.suppliers[std::size_t(s)];
        if (!sup.buyable() || sup.products.empty()) continue;
        if (!anyLevel && sup.level1 != level1) continue;
        if (std::find(sup.centrals.begin(), sup.centrals.end(), central) == sup.centrals.end()) continue;
        out.push_back(s);
    }
    return out;
}

}  // namespace

void buildPriceLists(World& w) {
    std::set<std::pair<int, int>> used;  // (central, supplier): one list each
    for (int k = 0; k < w.counts.priceLists; ++k) {
        Prng rng = Prng::stream(w.options.seed, kPriceListStream, std::uint64_t(k));
        const int c = k % int(w.centrals.size());
        std::vector<int> candidates = sellersAt(w, c, 0, true);
        std::erase_if(candidates, [&](int s) { return used.count({c, s}) > 0; });
        if (candidates.empty()) continue;
        const int s = rng.pick(candidates);
        used.insert({c, s});
        const Supplier& sup = w.suppliers[std::size_t(s)];
        PriceList list;
        list.number = code(qint64(w.priceLists.size()) + 1, 10);
        list.supplier = s;
        list.central = w.centrals[std::size_t(c)];
        list.date = w.base.addDays(-rng.between(20, 120));
        list.description = (QStringLiteral("Tabela ") + sup.tradeName.left(20) + list.date.toString(QStringLiteral(" MM/yyyy"))).left(40);
        const bool expired = k % 4 == 3;
        for (int p : sup.products) {
            if (int(list.items.size()) >= 60) break;
            const Product& prod = w.products[std::size_t(p)];
            PriceListItem item;
            item.product = p;
            item.brand = rng.pick(prod.brands);
            item.priceCents = std::max(10, int(prod.priceCents * (0.85 + 0.15 * rng.unit())));
            item.validFrom = list.date;
            item.validTo = expired ? w.base.addDays(-3) : list.date.addDays(180);
            list.items.push_back(item);
        }
        w.priceLists.push_back(std::move(list));
    }
    // Ranking: per central and product, the cheapest list first.
    std::map<std::pair<int, int>, std::vector<PriceListItem*>> byProduct;
    for (PriceList& l : w.priceLists)
        for (PriceListItem& i : l.items) byProduct[{l.central, i.product}].push_back(&i);
    for (auto& [key, items] : byProduct) {
        std::stable_sort(items.begin(), items.end(),
                         [](const PriceListItem* a, const PriceListItem* b) { return a->priceCents < b->priceCents; });
        for (std::size_t r = 0; r < items.size(); ++r) items[r]->ranking = int(r) + 1;
    }
    for (const PriceList& l : w.priceLists) {
        const int c = w.branches[std::size_t(l.central)].centralIndex;
        for (const PriceListItem& i : l.items)
            w.listPrices[{c, l.supplier, i.product, i.brand}] = {l.number, i.priceCents, i.validFrom, i.validTo};
    }
}

void buildQuotations(World& w) {
    for (int k = 0; k < w.counts.quotations; ++k) {
        Prng rng = Prng::stream(w.options.seed, kQuotationStream, std::uint64_t(k));
        const int c = k % int(w.centrals.size());
        const int level1 = k % (int(w.level1s.size()) - 1);  // goods for resale
        std::vector<int> sellers = sellersAt(w, c, level1, false);
        if (sellers.empty()) continue;
        Quotation q;
        q.number = code(qint64(w.quotations.size()) + 1, 10);
        q.central = w.centrals[std::size_t(c)];
        q.buyer = k % int(w.buyers.size());
        q.date = w.base.addDays(-rng.between(10, 90));
        q.validUntil = q.date.addDays(60);
        for (std::size_t n = 0; n < sellers.size() && n < 3; ++n) {
            const Supplier& sup = w.suppliers[std::size_t(sellers[n])];
            for (std::size_t j = 0; j < sup.products.size() && j < 15; ++j) {
                const Product& prod = w.products[std::size_t(sup.products[j])];
                QuotationItem item;
                item.supplier = sellers[n];
                item.product = sup.products[j];
                item.brand = prod.brands.front();
                item.priceCents = std::max(10, int(prod.priceCents * (0.8 + 0.25 * rng.unit())));
                item.quantity = 12.0 * rng.between(1, 20);
                q.items.push_back(item);
                w.quotedPrices[{c, item.supplier, item.product, item.brand}] = {q.number, item.priceCents, q.date, q.validUntil};
            }
        }
        w.quotations.push_back(std::move(q));
    }
}

void buildSurveys(World& w) {
    for (int k = 0; k < w.counts.surveys; ++k) {
        Prng rng = Prng::stream(w.options.seed, kSurveyStream, std::uint64_t(k));
        const int c = k % int(w.centrals.size());
        const int central = w.centrals[std::size_t(c)];
        std::vector<int> sellers = sellersAt(w, c, 0, true);
        if (sellers.empty()) continue;
        Survey s;
        s.number = code(qint64(w.surveys.size()) + 1, 10);
        s.central = central;
        s.buyer = k % int(w.buyers.size());
        s.start = w.base.addDays(k % 2 == 0 ? -rng.between(5, 20) : -rng.between(35, 75));  // open and closed ones
        s.end = s.start.addDays(30);
        s.situation = s.end < w.base ? QStringLiteral("F") : QStringLiteral("A");
        std::vector<int> stores;
        for (const Branch& b : w.branches)
            if (b.centralIndex == c && b.role == BranchRole::Store && b.receivesAfs()) stores.push_back(b.ordinal);
        for (int n = 0; n < 2; ++n) {
            const int sup = rng.pick(sellers);
            const Supplier& supplier = w.suppliers[std::size_t(sup)];
            for (std::size_t bi = 0; bi < stores.size() && bi < 3; ++bi) {
                for (int j = 0; j < 4; ++j) {
                    const int p = rng.pick(supplier.products);
                    SurveyItem item;
                    item.supplier = sup;
                    item.branch = stores[bi];
                    item.product = p;
                    item.brand = rng.pick(w.products[std::size_t(p)].brands);
                    item.delivery = s.end.addDays(rng.between(3, 15));
                    item.quantity = 6.0 * rng.between(1, 40);
                    item.priceCents = std::max(10, int(w.products[std::size_t(p)].priceCents * (0.85 + 0.2 * rng.unit())));
                    item.imported = s.situation == QLatin1String("F");
                    s.items.push_back(item);
                }
            }
        }
        w.surveysByCentral[c].push_back(s.number);
        w.surveys.push_back(std::move(s));
    }
}

}  // namespace afdemo
