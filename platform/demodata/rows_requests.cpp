#include "request_rows.h"

#include "prng.h"

#include <algorithm>
#include <map>
#include <set>

namespace afdemo {

namespace {

constexpr std::uint64_t kRequestStream = 201;
const QVariant kNull;

}  // namespace

// Purchase requests of the stores: most approved and waiting to be imported into
// an AF, some pending approval, some rejected with a justification, and some
// already imported into an open AF, which they then point at.
void requestRows(const World& w, const std::vector<ImportedSample>& samples, RowBuffer& out) {
    TableRows& requests = out.table("SOLICMP", {"CDFILLAN", "NRSOLICMP", "CDFILSOLI", "DTSOLCMP", "CDOPERADOR", "IDSITUSOLI"});
    TableRows& items = out.table("ITEMSOLICMP", {"CDFILLAN", "NRSOLICMP", "CDPRODUTO", "CDMARCA", "DTPROGENTR",
                                                 "QTSOLIPROD", "IDSITUITSOL", "CDFORNECED", "CDJUSTSOL", "CDFILDEST",
                                                 "CDFILLANC", "NRAUTOFORN", "DTIMPORTACAO"});
    std::vector<int> stores;
    for (const Branch& b : w.branches)
        if (b.receivesAfs() && b.role == BranchRole::Store) stores.push_back(b.ordinal);
    std::map<int, int> numbers;  // per launching branch
    const int justifications = 8;
    for (int r = 0; r < w.counts.requests; ++r) {
        Prng rng = Prng::stream(w.options.seed, kRequestStream, std::uint64_t(r));
        const ImportedSample* imported = r % 4 == 0 && !samples.empty() ? &samples[std::size_t(r / 4) % samples.size()] : nullptr;
        const int store = imported ? imported->dest : rng.pick(stores);
        const Branch& b = w.branches[std::size_t(store)];
        const int lanc = rng.percent(70) ? store : w.centrals[std::size_t(b.centralIndex)];
        const QString number = code(++numbers[lanc], 10);
        const QString lancCode = w.branches[std::size_t(lanc)].code;
        const QDate date = imported ? imported->afDate.addDays(-rng.between(1, 10)) : w.base.addDays(-rng.between(1, 30));

        std::vector<int> sellers;
        for (int s = 0; s < int(w.suppliers.size()); ++s) {
            const Supplier& sup = w.suppliers[std::size_t(s)];
            if (sup.buyable() && std::find(sup.centrals.begin(), sup.centrals.end(), b.centralIndex) != sup.centrals.end())
                sellers.push_back(s);
        }
        const int seller = imported ? imported->supplier : rng.pick(sellers);
        const Supplier& sup = w.suppliers[std::size_t(seller)];
        std::set<int> used;
        const int count = rng.between(2, 6);
        bool open = false;
        for (int k = 0; k < count; ++k) {
            const bool isImported = imported && k == 0;
            const int p = isImported ? imported->product : rng.pick(sup.products);
            if (!used.insert(p).second || !w.canBuy(store, p)) continue;
            const Product& prod = w.products[std::size_t(p)];
            const int brand = isImported ? imported->brand : rng.pick(prod.brands);
            // "A" approved, "P" pending approval, "R" rejected, "I" imported into an AF.
            QString status = QStringLiteral("A");
            if (isImported) status = QStringLiteral("I");
            else if (rng.percent(20)) status = QStringLiteral("P");
            else if (rng.percent(15)) status = QStringLiteral("R");
            open = open || status == QLatin1String("A") || status == QLatin1String("P");
            const bool suggested = status != QLatin1String("R") && (isImported || rng.percent(60));
            items.add({lancCode, number, prod.code, rng.percent(80) || isImported ? QVariant(w.brands[std::size_t(brand)].code) : kNull,
                       dateText(isImported ? imported->date : date.addDays(rng.between(7, 20))),
                       6.0 * rng.between(1, 20), status, suggested ? QVariant(sup.code) : kNull,
                       status == QLatin1String("R") ? QVariant(code(rng.between(1, justifications), 4)) : kNull,
                       isImported ? QVariant(imported->key.dest) : kNull, isImported ? QVariant(imported->key.lanc) : kNull,
                       isImported ? QVariant(imported->key.number) : kNull,
                       isImported ? QVariant(dateText(imported->afDate)) : kNull});
        }
        requests.add({lancCode, number, b.code, dateText(date), w.buyers[std::size_t(r % w.buyers.size())].code,
                      open ? QStringLiteral("A") : QStringLiteral("F")});
    }
}

}  // namespace afdemo
