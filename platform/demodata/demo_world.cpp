#include "demo_world.h"

#include "catalogue_data.h"
#include "world_sourcing.h"
#include "prng.h"

#include "host/data/errors.h"
#include "host/services/consiste.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace afdemo {

namespace {

namespace cat = catalogue;

// Purposes of the random streams: a new purpose never shifts another's draws.
enum Purpose : std::uint64_t {
    kSupplierStream = 1,
    kProductStream,
    kStockStream,
};

QString numbered(const QString& text, int round) {
    return round == 0 ? text : text + QLatin1Char(' ') + QString::number(round + 1);
}

void buildCompanies(World& w) {
    w.companies = {QStringLiteral("01"), QStringLiteral("02")};
    w.companyNames = {QStringLiteral("Comercial Andrade S.A."), QStringLiteral("Andrade Sul Distribuidora Ltda")};
}

Branch makeBranch(World& w, BranchRole role, const QString& name, int centralIndex, const cat::CentralPlace& place) {
    Branch b;
    b.code = code(qint64(w.branches.size()) + 1, 4);
    b.name = name.left(30);
    b.role = role;
    b.centralIndex = centralIndex;
    b.company = w.companies[std::size_t(centralIndex % 2)];
    b.state = QString::fromUtf8(place.state);
    b.region = code(place.region + 1, 10);
    b.ordinal = int(w.branches.size());
    b.stateRegistration = code(110000000000LL + b.ordinal * 7919LL, 12);
    return b;
}

void addBranch(World& w, Branch b) {
    w.branchByCode[b.code] = int(w.branches.size());
    w.branches.push_back(std::move(b));
}

void buildBranches(World& w) {
    const auto& places = cat::centralPlaces();
    for (int c = 0; c < w.counts.centrals; ++c) {
        const cat::CentralPlace& place = places[std::size_t(c) % places.size()];
        const int round = c / int(places.size());
        const QString city = numbered(QString::fromUtf8(place.city), round);
        const int centralIndex = int(w.branches.size());
        w.centrals.push_back(centralIndex);
        addBranch(w, makeBranch(w, BranchRole::Central, QStringLiteral("Central de Compras ") + city, c, place));
        const QString centralCode = w.branches.back().code;
        const QString logisticCode = code(qint64(w.branches.size()) + 1 + w.counts.storesPerCentral, 4);
        for (int s = 0; s < w.counts.storesPerCentral; ++s) {
            const auto& cities = place.storeCities;
            const QString storeCity =
                numbered(QString::fromUtf8(cities[std::size_t(s) % cities.size()]), round * 10 + s / int(cities.size()));
            Branch store = makeBranch(w, BranchRole::Store, QStringLiteral("Loja ") + storeCity, c, place);
            store.central = centralCode;
            if (s % 2 == 0) store.logisticOperator = logisticCode;  // half the stores receive through the operator
            addBranch(w, std::move(store));
        }
        Branch logistic = makeBranch(w, BranchRole::LogisticOperator,
                                     QStringLiteral("Operador Logístico ") + QString::fromUtf8(place.logisticCity), c, place);
        logistic.central = centralCode;
        Q_ASSERT(logistic.code == logisticCode);
        addBranch(w, std::move(logistic));
    }
    // A store whose contract ended: listed, but without parameters and without AFs.
    Branch closed = makeBranch(w, BranchRole::Store, QStringLiteral("Loja Centro (encerrada)"), 0, places[0]);
    closed.central = w.branches[std::size_t(w.centrals[0])].code;
    closed.contractRescinded = true;
    closed.note = QStringLiteral("Contrato de locação rescindido; não recebe AFs.");
    addBranch(w, std::move(closed));
    // A franchised store: parameters of its own but no purchasing central (and
    // no logistic operator), so no AF can be destined to it.
    Branch franchise = makeBranch(w, BranchRole::Store, QStringLiteral("Loja Franqueada (sem central)"), 0, places[0]);
    franchise.note = QStringLiteral("Franquia: compra fora das centrais de compras.");
    addBranch(w, std::move(franchise));
}

// The parameter mix: consecutive branches get different values, so every rule
// that reads a branch parameter is reachable even in the small company.
void assignBranchParameters(World& w) {
    for (Branch& b : w.branches) {
        const int o = b.ordinal;
        const QString other = w.companies[std::size_t((b.centralIndex + 1) % 2)];
        b.companies = {b.company};
        static const char* emitters[] = {"1", "2", "3", ""};
        b.emitterType = QString::fromLatin1(emitters[o % 4]);
        if (b.emitterType == QLatin1String("2") || o % 3 == 0) {
            b.companies.push_back(other);
            if (b.emitterType == QLatin1String("2")) b.emitterCompany = other;
        }
        b.audited = o % 2 == 0;
        b.mainCustomer = o % 4 == 1 || o % 4 == 2;
        const int n = w.counts.carriers;
        b.carriers = {o % n, (o + 1) % n};
    }
}

void buildProductTree(World& w) {
    const auto& tree = cat::productTree();
    int nextCode = 1;
    int subGroup = 1;
    for (std::size_t l1 = 0; l1 < tree.size(); ++l1) {
        const QString tree1 = code(qint64(l1) + 1, 2);
        w.level1s.push_back({code(nextCode++, 10), tree1, QString::fromUtf8(tree[l1].name), -1, {}});
        for (std::size_t l2 = 0; l2 < tree[l1].children.size(); ++l2)
            w.level2s.push_back({code(nextCode++, 10), tree1 + code(qint64(l2) + 1, 2),
                                 QString::fromUtf8(tree[l1].children[l2].name), int(l1), code(subGroup++, 10)});
    }

    // Leaves go round the level-2 nodes, so each node has about the same number.
    const int nodes = int(w.level2s.size());
    std::vector<int> perNode(std::size_t(nodes), 0);
    for (int k = 0; k < w.counts.products; ++k) {
        const int node = k % nodes;
        const int j = perNode[std::size_t(node)]++;
        const Node& n2 = w.level2s[std::size_t(node)];
        const cat::Level1& l1 = tree[std::size_t(n2.parent)];
        int l2Index = 0;
        for (int i = 0; i < node; ++i) l2Index += w.level2s[std::size_t(i)].parent == n2.parent ? 1 : 0;
        const auto& bases = l1.children[std::size_t(l2Index)].bases;
        const cat::ProductBase& base = bases[std::size_t(j) % bases.size()];
        const int sizeIndex = int(std::size_t(j / int(bases.size())) % base.sizes.size());
        const int line = j / int(bases.size() * base.sizes.size());
        Prng rng = Prng::stream(w.options.seed, kProductStream, std::uint64_t(k));

        Product p;
        p.tree = n2.tree + code(j + 1, 3);
        QString name = QString::fromUtf8(base.name) + QLatin1Char(' ') + QString::fromUtf8(base.sizes[std::size_t(sizeIndex)].first);
        if (line > 0) name += QStringLiteral(" Linha ") + QString::number(line + 1);
        p.name = name.left(50);
        p.unit = QString::fromLatin1(base.unit);
        p.level1 = n2.parent;
        p.level2 = node;
        p.web = l1.web;
        p.priceCents = std::max(50, int(base.priceCents * base.sizes[std::size_t(sizeIndex)].second * (0.9 + 0.2 * rng.unit())));
        w.products.push_back(std::move(p));
    }
    for (Product& p : w.products) p.code = code(nextCode++, 10);
}

void buildBrands(World& w) {
    const auto& tree = cat::productTree();
    std::vector<std::vector<int>> byLevel(tree.size());
    for (std::size_t l1 = 0; l1 < tree.size(); ++l1)
        for (const char* name : tree[l1].brands) {
            byLevel[l1].push_back(int(w.brands.size()));
            w.brands.push_back({code(qint64(w.brands.size()) + 1, 5), QString::fromUtf8(name)});
        }
    for (int e = 0; e < w.counts.extraBrands; ++e) {
        byLevel[std::size_t(e) % tree.size()].push_back(int(w.brands.size()));
        w.brands.push_back({code(qint64(w.brands.size()) + 1, 5), QStringLiteral("Marca Regional %1").arg(e + 1)});
    }
    for (std::size_t k = 0; k < w.products.size(); ++k) {
        Product& p = w.products[k];
        const std::vector<int>& pool = byLevel[std::size_t(p.level1)];
        Prng rng = Prng::stream(w.options.seed, kProductStream, 1000000 + k);
        const int n = rng.between(2, std::min(4, int(pool.size())));
        const int first = rng.between(0, int(pool.size()) - 1);
        for (int i = 0; i < n; ++i) p.brands.push_back(pool[std::size_t(first + i) % pool.size()]);
    }
}

void buildBuyers(World& w) {
    struct Fixed {
        const char* code;
        const char* name;
        double limit;
    };
    static const Fixed fixed[] = {{"MARIA", "Maria Oliveira", 15000},     {"JOAO", "João Batista Lima", 50000},
                                  {"PAULA", "Ana Paula Costa", 100000},   {"PEDRO", "Pedro Henrique Alves", 30000},
                                  {"CARLA", "Carla Mendes", 250000}};
    static const double limits[] = {20000, 40000, 80000, 150000};
    const int levels = int(w.level1s.size());
    for (int b = 0; b < w.counts.buyers; ++b) {
        Buyer buyer;
        if (b < 5) {
            buyer.code = QString::fromLatin1(fixed[b].code);
            buyer.name = QString::fromUtf8(fixed[b].name);
            buyer.limit = fixed[b].limit;
        } else {
            buyer.code = QStringLiteral("COMPRADOR") + code(b + 1, 3);
            buyer.name = cat::firstNames()[b % cat::firstNames().size()] + QLatin1Char(' ') +
                         cat::lastNames()[(b * 7) % cat::lastNames().size()];
            buyer.limit = limits[b % 4];
        }
        buyer.level1s = {b % levels, (b + 2) % levels};
        buyer.manager = QStringLiteral("GERENTE");
        w.buyers.push_back(std::move(buyer));
    }
}

QString uniqueDocument(std::set<QString>& used, qint64 base, bool cpf) {
    for (qint64 n = base;; ++n) {
        const QString doc = cpf ? host::CompletaCPF(code(n % 1000000000LL, 9))
                                : host::CompletaCNPJ(code(n % 100000000LL, 8) + QStringLiteral("0001"));
        const bool valid = cpf ? host::CPFValido(doc) : host::CNPJValido(doc);
        if (valid && used.insert(doc).second) return doc;
    }
}

void termsOf(Supplier& s) {
    if (s.paymentKind != QLatin1String("V")) return;
    if (s.paymentForm == QLatin1String("01")) s.terms = {{0, 100}};
    else if (s.paymentForm == QLatin1String("02")) s.terms = {{30, 100}};
    else if (s.paymentForm == QLatin1String("03")) s.terms = {{30, 50}, {60, 50}};
    else if (s.paymentForm == QLatin1String("04")) s.terms = {{30, 30}, {60, 30}, {90, 40}};
    else s.terms = {{28, 100}};
}

void buildSuppliers(World& w) {
    std::set<QString> used;
    const auto& tree = cat::productTree();
    const int levels = int(w.level1s.size());
    const int centrals = int(w.centrals.size());
    for (int i = 0; i < w.counts.suppliers; ++i) {
        Prng rng = Prng::stream(w.options.seed, kSupplierStream, std::uint64_t(i));
        Supplier s;
        s.code = code(i + 1, 21);
        s.personType = i % 10 == 9 ? QStringLiteral("F") : QStringLiteral("J");
        const bool cpf = s.personType == QLatin1String("F");
        s.document = cpf ? uniqueDocument(used, 98765432LL + i * 7919LL, true)
                         : uniqueDocument(used, 12345678LL + i * 104729LL, false);
        const auto& names = cat::supplierNames();
        const int round = i / int(names.size() * cat::supplierPrefixes().size());
        if (cpf) {
            const QString last = cat::lastNames()[(i * 5) % cat::lastNames().size()];
            s.name = (cat::firstNames()[i % cat::firstNames().size()] + QLatin1Char(' ') + last + QLatin1Char(' ') +
                      cat::lastNames()[(i * 11 + 3) % cat::lastNames().size()]).left(40);
            s.tradeName = numbered(QStringLiteral("Sítio ") + last, round).left(40);
        } else {
            const QString core = numbered(names[i % names.size()], round);
            s.name = (cat::supplierPrefixes()[(i / names.size()) % cat::supplierPrefixes().size()] + QLatin1Char(' ') +
                      core + QLatin1Char(' ') + cat::supplierSuffixes()[i % cat::supplierSuffixes().size()]).left(40);
            s.tradeName = core.left(40);
        }
        static const char* freights[] = {"C", "C", "F", "T", "R", ""};
        s.freight = QString::fromLatin1(freights[rng.between(0, 5)]);
        s.chargeType = code(rng.between(1, 4), 2);
        switch (i % 3) {
        case 0:
            s.paymentKind = QStringLiteral("V");
            s.paymentForm = code(rng.between(1, 5), 2);
            break;
        case 1:
            s.paymentKind = QStringLiteral("F");
            s.fixedDay = 5.0 * rng.between(1, 5);
            s.instalments = rng.between(1, 3);
            s.nextMonth = rng.percent(50) ? QStringLiteral("E") : QStringLiteral("I");
            break;
        default: break;  // no payment form
        }
        termsOf(s);
        if (i % 6 == 0) {
            s.discount = 2.5;
            s.discountKind = QStringLiteral("C");
        } else if (i % 6 == 3) {
            s.discount = 3.0;
            s.discountKind = QStringLiteral("N");
        }
        s.active = i % 17 != 16;
        s.generatesPayables = i % 4 == 0;
        s.qualificationValidUntil = w.base.addDays(180);
        switch (i % 5) {
        case 0: break;
        case 3:
            s.qualification = QStringLiteral("0002");
            s.autoSupplier = i % 10 == 3;
            break;
        case 4:
            s.qualification = QStringLiteral("0001");
            if (i % 15 == 4) s.qualificationValidUntil = w.base.addDays(-20);  // expired last month
            // Expired earlier in the base month: still valid where the branch
            // counts validity to the end of the month (IDULTIDTVALQ 'M').
            if (i % 30 == 19) s.qualificationValidUntil = w.base.addDays(1 - w.base.day());
            break;
        default: s.qualification = QStringLiteral("0001");
        }
        if (i % 23 == 22) s.qualification = QStringLiteral("0003");  // under evaluation: may not sell
        s.oneDeliveryDate = i % 8 == 5;
        static const char* dispatch[] = {"1", "1", "1", "2", "0"};
        s.dispatch = QString::fromLatin1(dispatch[i % 5]);
        if (s.dispatch != QLatin1String("0") && i % 7 != 6)
            s.email = QStringLiteral("compras.%1@example.com").arg(s.code.right(4));

        s.level1 = i % levels;
        const auto& children = tree[std::size_t(s.level1)].children;
        int firstChild = 0;
        for (int n = 0; n < int(w.level2s.size()); ++n)
            if (w.level2s[std::size_t(n)].parent == s.level1) { firstChild = n; break; }
        const int start = (i / levels) % int(children.size());
        s.level2s.push_back(firstChild + start);
        if (children.size() > 1) s.level2s.push_back(firstChild + (start + 1) % int(children.size()));
        for (int p = 0; p < int(w.products.size()); ++p)
            if (std::find(s.level2s.begin(), s.level2s.end(), w.products[std::size_t(p)].level2) != s.level2s.end())
                s.products.push_back(p);
        // Weekdays some suppliers do not deliver on, so the typed delivery date can be refused; a few deliver any day.
        static const char* weekdays[] = {"NSNSNSN", "NSSSSSN", "NNSNSNN", "NSNNSNN"};
        if (i % 10 != 7) s.deliveryDays = QString::fromLatin1(weekdays[i % 4]);
        s.centrals.push_back(i % centrals);
        if (centrals > 1 && i % 3 == 0) s.centrals.push_back((i + 1) % centrals);
        s.state = w.branches[std::size_t(w.centrals[std::size_t(s.centrals.front())])].state;
        w.suppliers.push_back(std::move(s));
    }
}

// One product without brands under the first level-2 node of each level 1:
// its brand lookup comes back empty. Its node's suppliers sell it (PRODFORN)
// but no AF, list, quotation or request holds it, since those need a brand.
void addUnbrandedProducts(World& w) {
    w.unbrandedFrom = int(w.products.size());
    qint64 next = w.products.back().code.toLongLong() + 1;
    for (int l1 = 0; l1 < int(w.level1s.size()); ++l1) {
        int node = 0;
        while (w.level2s[std::size_t(node)].parent != l1) ++node;
        int taken = 0;
        for (const Product& p : w.products) taken += p.level2 == node ? 1 : 0;
        const Node& n2 = w.level2s[std::size_t(node)];
        Product p;
        p.code = code(next++, 10);
        p.tree = n2.tree + code(taken + 1, 3);
        p.name = (QStringLiteral("Produto sem marca - ") + n2.name).left(50);
        p.unit = QStringLiteral("UN");
        p.level1 = l1;
        p.level2 = node;
        p.web = cat::productTree()[std::size_t(l1)].web;
        p.priceCents = 1000;
        w.products.push_back(std::move(p));
    }
}

void buildCarriers(World& w) {
    std::set<QString> used;
    const auto& names = cat::carrierNames();
    for (int i = 0; i < w.counts.carriers; ++i) {
        Carrier c;
        c.personType = QStringLiteral("J");
        c.document = uniqueDocument(used, 87654321LL + i * 15485863LL, false);
        c.tradeName = numbered(names[i % names.size()], i / int(names.size())).left(40);
        c.name = (c.tradeName + QStringLiteral(" Ltda")).left(40);
        w.carriers.push_back(std::move(c));
    }
}

double icmsRate(const QString& state) {
    static const std::map<QString, double> rates = {{"SP", 18}, {"PR", 19}, {"MG", 18}, {"RS", 17},
                                                    {"GO", 19}, {"BA", 20.5}, {"PA", 19}};
    const auto found = rates.find(state);
    return found == rates.end() ? 18 : found->second;
}

void buildIncidences(World& w) {
    const auto& tree = cat::productTree();
    for (const Branch& b : w.branches) {
        if (!b.hasParameters()) continue;
        for (const QString& company : b.companies) {
            w.incidences.push_back({company, b.stateRegistration, QStringLiteral("01"), -1, icmsRate(b.state)});
            for (std::size_t l1 = 0; l1 < tree.size(); ++l1)
                if (tree[l1].ipiRate > 0)
                    w.incidences.push_back({company, b.stateRegistration, QStringLiteral("02"), int(l1), tree[l1].ipiRate});
        }
    }
}

void buildProductRules(World& w) {
    for (const Branch& b : w.branches) {
        if (!b.receivesAfs()) continue;
        for (int p = 0; p < int(w.products.size()); ++p)
            if ((p * 7 + b.ordinal) % 53 == 0) w.inactive[{b.ordinal, p}] = true;
        if (b.role == BranchRole::Store && b.ordinal % 5 == 4) w.notBought[{b.ordinal, 4}] = true;
    }
}

}  // namespace

QString code(qint64 number, int width) { return QString::number(number).rightJustified(width, QLatin1Char('0')); }

QString dateText(const QDate& date) { return date.toString(QStringLiteral("yyyy-MM-dd 00:00:00")); }

double cents(int value) { return value / 100.0; }

QDate nextDeliveryDay(const QString& deliveryDays, const QDate& from) {
    if (deliveryDays.isEmpty()) return from;
    for (int n = 0; n < 7; ++n) {
        const QDate d = from.addDays(n);
        if (deliveryDays[d.dayOfWeek() % 7] == QLatin1Char('S')) return d;  // position 0 is Sunday (Qt's 7)
    }
    throw std::logic_error("delivery weekdays without a delivery day");
}

bool Supplier::buyable() const {
    if (!active) return false;
    if (qualification.isEmpty()) return true;
    if (qualification == QLatin1String("0001")) return qualificationValidUntil >= demoBaseDate();
    if (qualification == QLatin1String("0002")) return autoSupplier && qualificationValidUntil >= demoBaseDate();
    return false;
}

bool World::canBuy(int branchOrdinal, int product) const {
    if (inactive.count({branchOrdinal, product})) return false;
    return notBought.count({branchOrdinal, products[std::size_t(product)].level1}) == 0;
}

std::vector<int> World::suppliersOf(int level1, bool webOnly) const {
    std::vector<int> out;
    for (int s = 0; s < int(suppliers.size()); ++s) {
        const Supplier& sup = suppliers[std::size_t(s)];
        if (!sup.buyable() || sup.products.empty()) continue;
        if (level1 >= 0 && sup.level1 != level1) continue;
        if (webOnly != products[std::size_t(sup.products.front())].web) continue;
        out.push_back(s);
    }
    return out;
}

DemoCounts demoCounts(int scale) {
    if (scale < 1 || scale > kMaxScale)
        throw host::UserError(QStringLiteral("Escala %1 inválida: informe um número de 1 a %2.").arg(scale).arg(kMaxScale));
    DemoCounts c;
    c.afs = kAfsPerScale * scale;
    c.items = qint64(c.afs) * kItemsPerAf;
    c.centrals = 2 + scale / 100;
    c.storesPerCentral = 4 + scale / 50;
    c.suppliers = 40 + 2 * scale;
    c.products = 120 + 4 * scale;
    c.extraBrands = scale / 5;
    c.buyers = 5 + scale / 50;
    c.carriers = 6 + scale / 50;
    c.requests = 12 + 2 * scale;
    c.priceLists = 6 + scale / 10;
    c.quotations = 4 + scale / 10;
    c.surveys = 3 + scale / 20;
    return c;
}

QDate demoBaseDate() { return QDate(2024, 6, 14); }

World buildWorld(const DemoOptions& options) {
    World w;
    w.options = options;
    w.counts = demoCounts(options.scale);
    w.base = demoBaseDate();
    buildCompanies(w);
    buildBranches(w);
    assignBranchParameters(w);
    buildProductTree(w);
    buildBrands(w);
    buildBuyers(w);
    buildSuppliers(w);
    addUnbrandedProducts(w);
    buildCarriers(w);
    buildIncidences(w);
    buildProductRules(w);
    buildPriceLists(w);
    buildQuotations(w);
    buildSurveys(w);
    return w;
}

}  // namespace afdemo
