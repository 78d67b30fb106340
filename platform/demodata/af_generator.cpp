#include "af_generator.h"

#include "host/services/consiste.h"

#include <algorithm>
#include <stdexcept>

namespace afdemo {

namespace {

constexpr std::uint64_t kSlotStream = 101;
constexpr std::uint64_t kAfStream = 102;

// Kinds shown once by the first independent AFs, whatever the scale. The
// logistic operator's AFs come in five exit-side variants, hence five times.
const std::vector<AfKind> kCoverage = {
    AfKind::Open,         AfKind::Partial,  AfKind::Total,     AfKind::Manual,   AfKind::Ended,
    AfKind::Cancelled,    AfKind::Edi,      AfKind::Expired,   AfKind::Separated, AfKind::Logistic,
    AfKind::Web,          AfKind::Automatic, AfKind::Inconsistent, AfKind::OverLimit, AfKind::Migrated,
    AfKind::Logistic,     AfKind::Logistic, AfKind::Logistic,  AfKind::Logistic,
};

// Then, in proportion: mostly open and received AFs, as in a working company.
const std::vector<std::pair<AfKind, int>> kWeights = {
    {AfKind::Open, 22},     {AfKind::Partial, 12},  {AfKind::Total, 15},     {AfKind::Manual, 8},
    {AfKind::Ended, 6},     {AfKind::Cancelled, 6}, {AfKind::Edi, 5},        {AfKind::Expired, 4},
    {AfKind::Separated, 3}, {AfKind::Logistic, 5},  {AfKind::Web, 4},        {AfKind::Automatic, 4},
    {AfKind::Inconsistent, 3}, {AfKind::OverLimit, 2}, {AfKind::Migrated, 1},
};

constexpr int kConsolidationPercent = 2;

bool mayBeAutomatic(AfKind k) {
    switch (k) {
    case AfKind::Open:
    case AfKind::Partial:
    case AfKind::Total:
    case AfKind::Manual:
    case AfKind::Ended:
    case AfKind::Cancelled:
    case AfKind::Inconsistent: return true;
    default: return false;
    }
}

double drawQuantity(const Product& p, Prng& rng) {
    return p.unit == QLatin1String("KG") ? 5.0 * rng.between(2, 40) : 6.0 * rng.between(1, 20);
}

}  // namespace

double roundMoney(double value) { return host::RoundDec(value, 2); }

AfGenerator::AfGenerator(const World& world) : w(world) {
    for (int s = 0; s < int(w.suppliers.size()); ++s) {
        const Supplier& sup = w.suppliers[std::size_t(s)];
        if (!sup.buyable() || sup.products.empty()) continue;
        const bool web = w.products[std::size_t(sup.products.front())].web;
        (web ? m_web : m_nonWeb).push_back(s);
        if (!web && sup.dispatch == QLatin1String("2")) m_edi.push_back(s);
        if (!web && sup.level1 <= 1) m_logistic.push_back(s);  // the operators handle food and drinks
    }
    if (m_nonWeb.empty() || m_web.empty() || m_edi.empty() || m_logistic.empty())
        throw std::logic_error("demo world without the suppliers every AF kind needs");
    m_buyersByLevel.resize(w.level1s.size());
    for (int b = 0; b < int(w.buyers.size()); ++b)
        for (int l : w.buyers[std::size_t(b)].level1s) m_buyersByLevel[std::size_t(l)].push_back(b);
    for (const Incidence& i : w.incidences) m_incidences[{i.company, i.stateRegistration}].push_back(&i);
    for (AfKind k : kCoverage) m_coverage.push_back(int(k));

    // A supplier serving the flagship's central may send it an AF: the share of
    // such suppliers sets how often it must be chosen to reach a tenth.
    if (const int flagship = flagshipStore(); flagship >= 0) {
        const int central = w.branches[std::size_t(flagship)].centralIndex;
        int serving = 0;
        for (int s : m_nonWeb) {
            const auto& centrals = w.suppliers[std::size_t(s)].centrals;
            if (std::find(centrals.begin(), centrals.end(), central) != centrals.end()) ++serving;
        }
        const double share = m_nonWeb.empty() ? 1.0 : double(std::max(serving, 1)) / double(m_nonWeb.size());
        m_flagshipPercent = std::min(100, int(9.0 / share + 0.5));
    }
}

AfKind AfGenerator::kindFor(Prng& rng) {
    if (!m_coverage.empty()) {
        const AfKind k = AfKind(m_coverage.front());
        m_coverage.erase(m_coverage.begin());
        return k;
    }
    std::vector<int> weights;
    for (const auto& kw : kWeights) weights.push_back(kw.second);
    return kWeights[std::size_t(rng.weighted(weights))].first;
}

void AfGenerator::slot(int slotIndex, RowBuffer& out) {
    Prng rng = Prng::stream(w.options.seed, kSlotStream, std::uint64_t(slotIndex));
    const int first = rng.between(1, 19);
    const int second = rng.between(1, 19);
    const bool consolidate = slotIndex == 0 || rng.percent(kConsolidationPercent);
    if (consolidate && consolidation(slotIndex, 10, rng, out)) return;  // 10 + 10 per pair, as any slot
    const int counts[] = {first, 20 - first, second, 20 - second};
    for (int i = 0; i < 4; ++i) independent(slotIndex * 4 + i, counts[i], out);
}

int AfGenerator::flagshipStore() const {
    for (const Branch& b : w.branches)
        if (b.role == BranchRole::Store && b.receivesAfs()) return b.ordinal;
    return -1;
}

AfKey AfGenerator::nextKey(int dest, int lanc) {
    const QString lancCode = w.branches[std::size_t(lanc)].code;
    return {w.branches[std::size_t(dest)].code, lancCode, code(++m_lastNumber[lancCode], 10)};
}

QDate AfGenerator::dateFor(AfKind kind, Prng& rng) const {
    auto back = [&](int from, int to) { return w.base.addDays(-rng.between(from, to)); };
    switch (kind) {
    case AfKind::Partial: return back(25, 45);
    case AfKind::Total:
    case AfKind::Manual:
    case AfKind::Ended: return back(30, 150);
    case AfKind::Cancelled: return back(5, 120);
    case AfKind::Edi: return back(0, 40);
    case AfKind::Expired: return back(75, 150);
    case AfKind::Logistic: return back(30, 70);
    default: return back(0, 25);
    }
}

std::vector<QDate> AfGenerator::deliveryDates(const AfDraft& af, Prng& rng) const {
    const bool one = w.suppliers[std::size_t(af.supplier)].oneDeliveryDate;
    // A partly received AF usually still waits for a later delivery, after the base date.
    const bool later = af.kind == AfKind::Partial && !one;
    const int count = one ? 1 : rng.between(later ? 2 : 1, 3);
    const QDate first = af.date.addDays(rng.between(3, 15));
    std::vector<QDate> dates;
    for (int i = 0; i < count; ++i) dates.push_back(first.addDays(7 * i));
    if (later) dates.back() = w.base.addDays(rng.between(5, 20));
    // Only on the weekdays the supplier delivers, still one date after another.
    const QString& days = w.suppliers[std::size_t(af.supplier)].deliveryDays;
    for (std::size_t i = 0; i < dates.size(); ++i) {
        const QDate earliest = i == 0 ? dates[i] : std::max(dates[i], dates[i - 1].addDays(1));
        dates[i] = nextDeliveryDay(days, earliest);
    }
    return dates;
}

std::vector<int> AfGenerator::productsFor(const AfDraft& af, const std::vector<int>& dests) const {
    std::vector<int> out;
    for (int p : w.suppliers[std::size_t(af.supplier)].products) {
        bool ok = true;
        for (int d : dests) ok = ok && w.canBuy(d, p);
        if (ok) out.push_back(p);
    }
    return out;
}

// Distinct (product, delivery date, brand) keys, different products first.
bool AfGenerator::drawLines(AfDraft& af, int count, Prng& rng, const std::vector<int>& dests) const {
    const std::vector<int> products = productsFor(af, dests);
    if (products.empty()) return false;
    const std::vector<QDate> dates = deliveryDates(af, rng);
    const int nd = int(dates.size());
    int capacity = 0;
    int maxBrands = 0;
    for (int p : products) {
        const int nb = int(w.products[std::size_t(p)].brands.size());
        capacity += nb * nd;
        maxBrands = std::max(maxBrands, nb);
    }
    if (capacity < count) return false;
    const int np = int(products.size());
    const int offset = rng.between(0, np - 1);
    const int brandOffset = rng.between(0, 3);
    af.items.clear();
    for (int bi = 0; bi < maxBrands; ++bi)
        for (int di = 0; di < nd; ++di)
            for (int k = 0; k < np; ++k) {
                if (int(af.items.size()) == count) return true;
                const int p = products[std::size_t((offset + k) % np)];
                const std::vector<int>& brands = w.products[std::size_t(p)].brands;
                const int nb = int(brands.size());
                if (bi >= nb) continue;
                AfItem item;
                item.product = p;
                item.brand = brands[std::size_t((bi + k + brandOffset) % nb)];
                item.dateRank = (di + k) % nd;
                item.delivery = dates[std::size_t(item.dateRank)];
                af.items.push_back(item);
            }
    return int(af.items.size()) == count;
}

bool AfGenerator::choosePartners(AfDraft& af, Prng& rng) const {
    const std::vector<int>* pool = &m_nonWeb;
    if (af.kind == AfKind::Web) pool = &m_web;
    else if (af.kind == AfKind::Edi) pool = &m_edi;
    else if (af.kind == AfKind::Logistic) pool = &m_logistic;
    af.supplier = rng.pick(*pool);
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    std::vector<int> dests;
    for (const Branch& b : w.branches) {
        if (!b.receivesAfs()) continue;
        if (std::find(sup.centrals.begin(), sup.centrals.end(), b.centralIndex) == sup.centrals.end()) continue;
        if (af.kind == AfKind::Logistic && b.logisticOperator.isEmpty()) continue;
        // Stores order most; a central now and then for its own use.
        dests.push_back(b.ordinal);
        if (b.role == BranchRole::Store) dests.push_back(b.ordinal);
    }
    if (dests.empty()) return false;
    af.dest = rng.pick(dests);
    // The flagship store is a hypermarket: it receives about a tenth of all
    // AFs, so the large scales have one branch with a list of 10,000 AFs.
    if (std::find(dests.begin(), dests.end(), flagshipStore()) != dests.end() && rng.percent(m_flagshipPercent))
        af.dest = flagshipStore();
    const std::vector<int>& buyers = m_buyersByLevel[std::size_t(sup.level1)];
    if (af.kind == AfKind::OverLimit) {
        af.buyer = *std::min_element(buyers.begin(), buyers.end(), [&](int a, int b) {
            return w.buyers[std::size_t(a)].limit < w.buyers[std::size_t(b)].limit;
        });
    } else {
        af.buyer = rng.pick(buyers);
    }
    return true;
}

void AfGenerator::price(AfDraft& af, Prng& rng) const {
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    const int central = w.branches[std::size_t(af.dest)].centralIndex;
    for (AfItem& item : af.items) {
        const Product& p = w.products[std::size_t(item.product)];
        if (item.quantity == 0) item.quantity = drawQuantity(p, rng);
        const auto key = std::make_tuple(central, af.supplier, item.product, item.brand);
        const auto list = w.listPrices.find(key);
        const bool listed = list != w.listPrices.end() && list->second.validOn(af.date);
        if (af.automatic) {
            const auto quote = w.quotedPrices.find(key);
            const bool quoted = quote != w.quotedPrices.end() && quote->second.validOn(af.date);
            QString reason = QStringLiteral("0000000000");
            reason[0] = rng.percent(20) ? QLatin1Char('1') : QLatin1Char('0');
            reason[1] = rng.percent(25) ? QLatin1Char('8') : QLatin1Char('0');
            reason[2] = QLatin1Char("05A0"[rng.between(0, 3)]);
            reason[3] = rng.percent(30) ? QLatin1Char('2') : QLatin1Char('0');
            if (quoted) {
                item.priceCents = quote->second.priceCents;
                item.quotationNumber = quote->second.number;
                reason[4] = QLatin1Char('2');
            } else if (listed) {
                item.priceCents = list->second.priceCents;
                item.listNumber = list->second.number;
                reason[4] = QLatin1Char('1');
            } else {
                item.priceCents = int(p.priceCents * (0.9 + 0.2 * rng.unit()));
            }
            item.reason = reason;
        } else if (listed && rng.percent(60)) {
            item.priceCents = list->second.priceCents;
            item.listNumber = list->second.number;
        } else {
            item.priceCents = std::max(10, int(p.priceCents * (0.92 + 0.2 * rng.unit())));
        }
        if (sup.discountKind == QLatin1String("C")) item.discountPercent = sup.discount;
        item.discountValue = roundMoney(item.discountPercent * item.gross() / 100.0);
        if (p.brands.size() > 1 && rng.percent(20)) {
            const std::size_t at = std::size_t(std::find(p.brands.begin(), p.brands.end(), item.brand) - p.brands.begin());
            item.secondBrand = p.brands[(at + 1) % p.brands.size()];
        }
        item.alteredByHand = !af.automatic && rng.percent(15);
    }
}

void AfGenerator::independent(int afIndex, int itemCount, RowBuffer& out) {
    Prng rng = Prng::stream(w.options.seed, kAfStream, std::uint64_t(afIndex));
    AfDraft af;
    af.index = afIndex;
    af.kind = kindFor(rng);
    bool drawn = false;
    for (int attempt = 0; attempt < 100 && !drawn; ++attempt) {
        if (!choosePartners(af, rng)) continue;
        af.date = dateFor(af.kind, rng);
        drawn = drawLines(af, itemCount, rng, {af.dest});
    }
    if (!drawn) throw std::logic_error("demo AF could not be drawn");

    const Branch& dest = w.branches[std::size_t(af.dest)];
    const int central = w.centrals[std::size_t(dest.centralIndex)];
    af.lanc = rng.percent(80) || af.kind == AfKind::Logistic ? central : af.dest;
    af.automatic = af.kind == AfKind::Automatic || af.kind == AfKind::Edi || (mayBeAutomatic(af.kind) && rng.percent(30));
    if (af.kind == AfKind::Logistic) {
        af.operatorRole = QStringLiteral("2");
        af.logisticBranch = dest.logisticOperator;
        af.logisticVariant = m_logisticCount++ % 5;
    }
    if (af.kind == AfKind::Migrated && !m_previous.number.isEmpty()) af.migratedFrom = m_previous;
    price(af, rng);
    if (af.kind == AfKind::OverLimit) {
        double total = 0;
        for (const AfItem& item : af.items) total += item.net();
        const double limit = w.buyers[std::size_t(af.buyer)].limit;
        if (total <= limit) {
            const double factor = std::floor(limit / total) + 1;
            for (AfItem& item : af.items) {
                item.quantity *= factor;
                item.discountValue = roundMoney(item.discountPercent * item.gross() / 100.0);
            }
        }
    }
    for (std::size_t n = 0; n < af.items.size(); ++n) af.items[n].migrated = !af.migratedFrom.number.isEmpty() && n % 2 == 0;
    settle(af, rng);
    af.key = nextKey(af.dest, af.lanc);
    finish(af);
    af.returned = af.kind == AfKind::Total && rng.percent(10);
    if (af.kind == AfKind::Open && !af.automatic && m_samples.size() < 400) {
        const AfItem& first = af.items.front();
        m_samples.push_back({af.dest, af.key, af.supplier, first.product, first.brand, first.delivery, af.date});
    }
    writeAf(af, rng, out);
}

// One AF at the logistic operator and three store AFs consolidated into it, all
// of the same supplier and items; the operator's quantities are their sums.
bool AfGenerator::consolidation(int slotIndex, int itemCount, Prng& rng, RowBuffer& out) {
    const int centralNumber = rng.between(0, int(w.centrals.size()) - 1);
    int logistic = -1;
    std::vector<int> stores;
    for (const Branch& b : w.branches) {
        if (b.centralIndex != centralNumber) continue;
        if (b.role == BranchRole::LogisticOperator) logistic = b.ordinal;
    }
    if (logistic < 0) return false;
    for (const Branch& b : w.branches)
        if (b.receivesAfs() && b.logisticOperator == w.branches[std::size_t(logistic)].code) stores.push_back(b.ordinal);
    std::vector<int> suppliers;
    for (int s : m_logistic) {
        const auto& c = w.suppliers[std::size_t(s)].centrals;
        if (std::find(c.begin(), c.end(), centralNumber) != c.end()) suppliers.push_back(s);
    }
    if (stores.empty() || suppliers.empty()) return false;

    AfDraft hub;
    hub.index = slotIndex * 4;
    hub.kind = AfKind::Consolidating;
    hub.dest = logistic;
    hub.lanc = w.centrals[std::size_t(centralNumber)];
    std::vector<int> dests = {stores[0], stores[1 % stores.size()], stores[2 % stores.size()]};
    bool drawn = false;
    for (int attempt = 0; attempt < 50 && !drawn; ++attempt) {
        hub.supplier = rng.pick(suppliers);
        hub.date = dateFor(AfKind::Consolidating, rng);
        drawn = drawLines(hub, itemCount, rng, dests);
    }
    if (!drawn) return false;
    const std::vector<int>& buyers = m_buyersByLevel[std::size_t(w.suppliers[std::size_t(hub.supplier)].level1)];
    hub.buyer = rng.pick(buyers);
    hub.operatorRole = QStringLiteral("1");
    hub.logisticBranch = w.branches[std::size_t(logistic)].code;

    price(hub, rng);
    std::vector<AfDraft> parts;
    for (int j = 0; j < 3; ++j) {
        AfDraft part = hub;
        part.index = slotIndex * 4 + 1 + j;
        part.kind = AfKind::Consolidated;
        part.dest = dests[std::size_t(j)];
        part.operatorRole.clear();
        part.logisticBranch.clear();
        for (AfItem& item : part.items) {
            item.quantity = drawQuantity(w.products[std::size_t(item.product)], rng);
            item.discountValue = roundMoney(item.discountPercent * item.gross() / 100.0);
        }
        parts.push_back(std::move(part));
    }
    for (std::size_t n = 0; n < hub.items.size(); ++n) {
        AfItem& item = hub.items[n];
        item.quantity = 0;
        for (const AfDraft& part : parts) item.quantity += part.items[n].quantity;
        item.discountValue = roundMoney(item.discountPercent * item.gross() / 100.0);
    }

    hub.key = nextKey(hub.dest, hub.lanc);
    finish(hub);
    Prng hubRng = Prng::stream(w.options.seed, kAfStream, std::uint64_t(hub.index));
    writeAf(hub, hubRng, out);
    for (AfDraft& part : parts) {
        part.consolidatedInto = hub.key;
        part.key = nextKey(part.dest, part.lanc);
        finish(part);
        Prng partRng = Prng::stream(w.options.seed, kAfStream, std::uint64_t(part.index));
        writeAf(part, partRng, out);
    }
    return true;
}

}  // namespace afdemo
