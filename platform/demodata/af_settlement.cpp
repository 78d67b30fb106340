#include "af_generator.h"

#include <algorithm>
#include <cmath>

namespace afdemo {

namespace {

// The AF's entry (or exit) code from its items' codes.
QString derive(const std::vector<AfItem>& items, bool exitSide) {
    int c = 0, k = 0, i = 0, j = 0, l = 0;
    for (const AfItem& item : items) {
        const QString& s = exitSide ? item.exitStatus : item.status;
        ++c;
        if (s == QLatin1String("1")) ++k;
        else if (s == QLatin1String("2")) ++i;
        else if (s == QLatin1String("3")) ++j;
        else if (s.isEmpty()) ++l;
    }
    if (c == 0) return {};
    if (k > 0) return QStringLiteral("1");
    if (l > 0 && l < c) return QStringLiteral("1");
    if (i == c) return QStringLiteral("2");
    if (j == c) return QStringLiteral("3");
    if (l == c) return {};
    return QStringLiteral("3");
}

double partOf(double quantity, Prng& rng) {
    if (quantity < 2) return 0;
    return std::max(1.0, std::min(quantity - 1, std::floor(quantity * (0.3 + 0.4 * rng.unit()))));
}

}  // namespace

// Receipts the kind implies; only deliveries before the base date can have arrived.
void AfGenerator::settle(AfDraft& af, Prng& rng) const {
    const QString buyer = w.buyers[std::size_t(af.buyer)].code;
    auto receive = [&](AfItem& item, double quantity, const QString& status) {
        item.received = quantity;
        item.status = status;
        if (quantity > 0) item.receivedOn = std::min(item.delivery.addDays(rng.between(0, 3)), w.base.addDays(-1));
    };
    auto settleByHand = [&](AfItem& item, double quantity) {
        receive(item, quantity, QStringLiteral("3"));
        item.settledOn = std::min(item.delivery.addDays(rng.between(1, 10)), w.base);
        item.settledBy = buyer;
    };
    auto ship = [](AfItem& item, double quantity, const QString& status) {  // exit side, to the store
        item.exitReceived = quantity;
        item.exitStatus = status;
    };
    for (std::size_t n = 0; n < af.items.size(); ++n) {
        AfItem& item = af.items[n];
        const bool arrived = item.delivery < w.base;
        switch (af.kind) {
        case AfKind::Partial:
            if (n == 0) receive(item, partOf(item.quantity, rng), QStringLiteral("1"));
            else if (!arrived) item.future = true;
            else if (rng.percent(40)) receive(item, item.quantity, QStringLiteral("2"));
            else if (rng.percent(50)) receive(item, partOf(item.quantity, rng), QStringLiteral("1"));
            break;
        case AfKind::Total: receive(item, item.quantity, QStringLiteral("2")); break;
        case AfKind::Manual:
            if (n > 0 && rng.percent(50)) receive(item, item.quantity, QStringLiteral("2"));
            else settleByHand(item, rng.percent(50) ? partOf(item.quantity, rng) : 0);
            break;
        case AfKind::Ended:
            if (n % 2 == 0) receive(item, item.quantity, QStringLiteral("2"));
            else receive(item, rng.percent(50) ? partOf(item.quantity, rng) : 0, QStringLiteral("4"));
            break;
        case AfKind::Cancelled: item.status = QStringLiteral("5"); break;  // nothing arrived, nothing will
        case AfKind::Edi:
            if (n % 4 == 3 && arrived) receive(item, item.quantity, QStringLiteral("2"));
            break;
        case AfKind::Logistic: {
            const int v = af.logisticVariant;
            if (v == 1 && n == 0) receive(item, partOf(item.quantity, rng), QStringLiteral("1"));
            if (v >= 2) receive(item, item.quantity, QStringLiteral("2"));
            if (v == 2 && n == 0) ship(item, partOf(item.quantity, rng), QStringLiteral("1"));
            else if (v == 2 && rng.percent(50)) ship(item, item.quantity, QStringLiteral("2"));
            if (v == 3) ship(item, item.quantity, QStringLiteral("2"));
            if (v == 4) ship(item, rng.percent(50) ? partOf(item.quantity, rng) : 0, QStringLiteral("3"));
            break;
        }
        default: break;
        }
    }
}

void AfGenerator::finish(AfDraft& af) {
    switch (af.kind) {
    case AfKind::Ended: af.entryStatus = QStringLiteral("4"); break;
    case AfKind::Cancelled: af.entryStatus = QStringLiteral("5"); break;
    case AfKind::Edi: af.entryStatus = QStringLiteral("7"); break;
    default: af.entryStatus = derive(af.items, false);
    }
    if (af.kind == AfKind::Logistic) af.exitStatus = derive(af.items, true);
    af.expired = af.kind == AfKind::Expired;
    af.separated = af.kind == AfKind::Separated;
    const Branch& dest = w.branches[std::size_t(af.dest)];
    af.emitterType = dest.emitterType.isEmpty() ? QStringLiteral("1") : dest.emitterType;
    af.company = af.emitterType == QLatin1String("2") ? dest.emitterCompany : dest.company;
    af.payableType = w.products[std::size_t(af.items.front().product)].web ? code(2, 6) : code(1, 6);
    double total = 0;
    for (const AfItem& item : af.items) total += item.net();
    af.total = roundMoney(total);
    af.overLimit = af.total > w.buyers[std::size_t(af.buyer)].limit;
    m_items += qint64(af.items.size());
}

}  // namespace afdemo
