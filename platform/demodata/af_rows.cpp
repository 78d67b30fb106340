#include "af_generator.h"

#include "catalogue_data.h"

#include <map>

namespace afdemo {

namespace {

const QVariant kNull;

QVariant orNull(const QString& text) { return text.isEmpty() ? kNull : QVariant(text); }
QVariant dateOrNull(const QDate& d) { return d.isValid() ? QVariant(dateText(d)) : kNull; }
QString yes(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }
QString at(const QDate& d, const char* time) { return d.toString(QStringLiteral("yyyy-MM-dd ")) + QLatin1String(time); }

const QStringList kAfKey = {"CDFILDEST", "CDFILLANC", "NRAUTOFORN"};
const QStringList kItemKey = {"CDFILDEST", "CDFILLANC", "NRAUTOFORN", "CDPRODUTO", "DTPROGENTAF", "CDMARCA"};

const QStringList kHeaderColumns = kAfKey + QStringList{
    "IDAUTOFORNEX", "CDFORNECED", "DTAUTOFORN", "CDOPERADOR", "IDTIPOEMITAF", "IDTIPOFRETAF", "CDEMPRESA", "CDTIPCOB",
    "IDTPIJURTRAN", "NRINSJURTRAN", "IDSITUATUAAF", "IDAFFORALIM", "IDBAIXAAF", "IDBAIXAFSAI", "CDFORMPGTO",
    "IDTPFORPGTAF", "NRPARCPGTOAF", "NRDIAPGFIXAF", "IDUTDIAPGTAF", "IDTIPOLANCAF", "VRTOTALAF", "CDGERENTE",
    "CDTPCTPAGAR", "IDAFPRODWEB", "IDAFOPERLOG", "IDENVAFECEDI", "IDAFPILOTO", "CDFILIOPELOG", "IDSITUENVAFMCD",
    "CDFILDESTCON", "CDFILLANCCON", "NRAUTOFORCON", "NRSEQAPURAF", "DTPROGENTAF", "IDAFEXPIRADA", "IDDEVOLUCAONF",
    "IDBAIXITMFUTURA", "IDITAFMIGRADA", "IDITMSEPARADO", "DSINCONSAF", "DTINCLUSAOAF", "DTULTALTAF", "CDOPERULTALT"};

const QStringList kItemColumns = kItemKey + QStringList{
    "QTPROGENTAF", "VRPREUNIAF", "NRPARCITMAF", "VRPERDESAF", "CDSEGMARCA", "QTEFETENTRAF", "DTEFETENTAF",
    "IDBAIXITMAF", "IDBAIXITAFS", "TXOBSITMAF", "VRDESCITMAF", "QTVOLUITEMAF", "DTBAIXITMAF", "CDOPERBAIXA",
    "IDMOTPRESCAF", "NRLANCTONF", "IDTPLANITEAF", "NRCOTPREITAF", "NRLISTAITAF", "IDTIPOLANITM", "QTDISPITEMAFECC",
    "IDBAIXITMFUTURA", "IDITAFMIGRADA", "DTENTRITMSOL", "IDITMSEPARADO", "DSINCONSITAF"};

const QStringList kTaxColumns = kItemKey + QStringList{"CDIMPOSTO", "VRALIQITMAF", "VRIMPITMAF", "IDIMPDIGAF"};
const QStringList kTermColumns = kAfKey + QStringList{"NRDIASPGTOAF", "VRPERCPGTOAF"};
const QStringList kChargeColumns = kAfKey + QStringList{"DTENTRENCAF", "CDENCARGO", "VRENCARGOAF"};
const QStringList kMessageColumns = kAfKey + QStringList{"NRMENSAUTFOR", "DSMENSAF"};
const QStringList kLogColumns = {"CDFILDESMOV", "CDFILLANMOV", "NRAUTOMOV", "CDPRODMOV", "CDMARCMOV", "DTPROGENTMOV",
                                 "DTOPERAF", "DSALTERAF", "CDOPERADOR", "DSJUSTOPERMOV", "IDOPERAMOVAF",
                                 "DSRDMUSUMOVAF", "DSENDUSUMOVAF", "DSNMUSUMOVAF", "DSMETUSUMOVAF"};
const QStringList kMigrationColumns = {"CDFILDESTORIG", "CDFILLANCORIG", "NRAUTOFORNORIG", "CDPRODUTOORIG",
                                       "DTPROGENTAFORIG", "CDMARCAORIG", "CDFILDEST", "CDFILLANC", "NRAUTOFORN"};
const QStringList kPayableColumns = kAfKey + QStringList{"NRPARCPGTO", "DTVENCPGTO", "VRPARCPGTO", "CDTPCTPAGAR", "IDSITUPGTO"};
const QStringList kInvoiceColumns = {"CDFILIAL", "NRLANCTONF", "NRNOTAFISC", "CDSERIEENTR", "DTENTRSAID", "CDFORNECED",
                                     "IDDEVOLUCAONF"};
const QStringList kInvoiceItemColumns = {"CDFILIAL", "NRLANCTONF", "CDPRODUTO", "CDMARCA", "QTITEMPROD", "VRUNITITEM"};
const QStringList kSettlementColumns = {"CDFILIAL", "NRLANCTONF", "CDPRODUTO", "CDMARCA", "CDFILDEST", "CDFILLANC",
                                        "NRAUTOFORN", "DTPROGENTAF", "IDENTRSAIDA", "QTNFEFETAF"};

QVariantList keyValues(const AfKey& k) { return {k.dest, k.lanc, k.number}; }

QString statusText(const QString& code) {
    static const std::map<QString, QString> texts = {{"", "Em Aberto"}, {"1", "Baixa Parcial"}, {"2", "Baixa Total"},
                                                    {"3", "Baixa Manual"}, {"4", "Encerrada"}, {"5", "Cancelada"},
                                                    {"7", "EDI"}};
    const auto found = texts.find(code);
    return found == texts.end() ? QString() : found->second;
}

QString number3(double v) { return QString::number(v, 'f', 3).replace(QLatin1Char('.'), QLatin1Char(',')); }

}  // namespace

void AfGenerator::declareTables(RowBuffer& out) {
    out.table("AUTOFORNE", kHeaderColumns);
    out.table("ITEMAUTF", kItemColumns);
    out.table("IMPITMAF", kTaxColumns);
    out.table("PRAZOPGTAF", kTermColumns);
    out.table("ENCARGOAF", kChargeColumns);
    out.table("MENSAUTF", kMessageColumns);
    out.table("MOVOPAF", kLogColumns);
    out.table("AFMIGRA", kMigrationColumns);
    out.table("CONTPAGAF", kPayableColumns);
    out.table("NOTAFISC", kInvoiceColumns);
    out.table("ITNOTAFISC", kInvoiceItemColumns);
    out.table("BAIXAITAF", kSettlementColumns);
}

void AfGenerator::numberingRows(RowBuffer& out) const {
    TableRows& t = out.table("NUMAUTOFORN", {"CDFILLANC", "NRULTAUTOFORN"});
    for (const auto& [branch, last] : m_lastNumber) t.add({branch, last});
}

void AfGenerator::writeAf(const AfDraft& draft, Prng& rng, RowBuffer& out) {
    AfDraft af = draft;
    invoiceRows(af, rng, out);  // first: the items record their last invoice
    headerRow(af, rng, out);
    itemRows(af, out);
    taxRows(af, rng, out);
    termRows(af, out);
    chargeRows(af, rng, out);
    messageRows(af, rng, out);
    logRows(af, rng, out);
    migrationRows(af, out);
    payableRows(af, out);
    m_previous = af.key;
}

void AfGenerator::headerRow(const AfDraft& af, Prng& rng, RowBuffer& out) const {
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    const Buyer& buyer = w.buyers[std::size_t(af.buyer)];
    const Branch& dest = w.branches[std::size_t(af.dest)];

    QVariant carrierType, carrierDocument;
    if (sup.freight == QLatin1String("F") || rng.percent(25)) {
        const Carrier& c = w.carriers[std::size_t(dest.carriers.front())];
        carrierType = c.personType;
        carrierDocument = c.document;
    }
    const bool fixedDay = sup.paymentKind == QLatin1String("F");
    const bool edi = sup.dispatch == QLatin1String("2");
    const bool ediSent = edi && (af.entryStatus == QLatin1String("7") || af.entryStatus == QLatin1String("4") ||
                                 af.entryStatus == QLatin1String("5"));
    QVariant marketplace;
    if (edi) marketplace = af.entryStatus.isEmpty() ? QStringLiteral("N") : QStringLiteral("S");
    QVariant survey;
    const auto surveys = w.surveysByCentral.find(dest.centralIndex);
    if (af.automatic && surveys != w.surveysByCentral.end()) survey = rng.pick(surveys->second);
    QDate earliest = af.items.front().delivery;
    bool future = false, migrated = false;
    QString inconsistency;
    for (const AfItem& i : af.items) {
        earliest = std::min(earliest, i.delivery);
        future = future || i.future;
        migrated = migrated || i.migrated;
    }
    if (af.kind == AfKind::Inconsistent) inconsistency = catalogue::inconsistencies()[af.index % 3];
    const QDate changed = std::min(w.base, af.date.addDays(rng.between(0, 10)));

    out.table("AUTOFORNE", kHeaderColumns)
        .add(keyValues(af.key) + QVariantList{
            yes(rng.percent(8)), sup.code, dateText(af.date), buyer.code, af.emitterType, orNull(sup.freight),
            af.company, sup.chargeType, carrierType, carrierDocument,
            af.kind == AfKind::Inconsistent ? QStringLiteral("1") : QStringLiteral("0"), yes(af.overLimit),
            orNull(af.entryStatus), orNull(af.exitStatus),
            sup.paymentKind == QLatin1String("V") ? QVariant(sup.paymentForm) : kNull, orNull(sup.paymentKind),
            fixedDay ? QVariant(sup.instalments) : kNull, fixedDay ? QVariant(sup.fixedDay) : kNull,
            fixedDay ? QVariant(sup.nextMonth) : kNull, af.automatic ? QStringLiteral("A") : QStringLiteral("M"),
            af.total, af.overLimit && af.entryStatus.isEmpty() ? QVariant(buyer.manager) : kNull,
            rng.percent(90) ? QVariant(af.payableType) : kNull,
            yes(w.products[std::size_t(af.items.front().product)].web), orNull(af.operatorRole), yes(ediSent),
            yes(rng.percent(3)), orNull(af.logisticBranch), marketplace, orNull(af.consolidatedInto.dest),
            orNull(af.consolidatedInto.lanc), orNull(af.consolidatedInto.number), survey, dateText(earliest),
            yes(af.expired), yes(af.returned), yes(future), yes(migrated), yes(af.separated), orNull(inconsistency),
            at(af.date, "08:00:00"), at(changed, "17:30:00"), buyer.code});
}

void AfGenerator::itemRows(const AfDraft& af, RowBuffer& out) const {
    TableRows& t = out.table("ITEMAUTF", kItemColumns);
    static const char* notes[] = {"Entregar em caixas fechadas.", "Conferir lote e validade.",
                                  "Produto para a campanha de aniversário da loja."};
    for (std::size_t n = 0; n < af.items.size(); ++n) {
        const AfItem& i = af.items[n];
        const Product& p = w.products[std::size_t(i.product)];
        const QVariant note = (af.index + int(n)) % 11 == 0 ? QVariant(QString::fromUtf8(notes[n % 3])) : kNull;
        QVariant inconsistency;
        if (af.kind == AfKind::Inconsistent && n == 0) inconsistency = catalogue::inconsistencies()[3 + af.index % 2];
        t.add(keyValues(af.key) + QVariantList{
            p.code, dateText(i.delivery), w.brands[std::size_t(i.brand)].code, i.quantity, cents(i.priceCents),
            code(i.dateRank + 1, 2), i.discountPercent,
            i.secondBrand < 0 ? kNull : QVariant(w.brands[std::size_t(i.secondBrand)].code), i.received,
            dateOrNull(i.receivedOn.isValid() ? i.receivedOn : i.settledOn), orNull(i.status), orNull(i.exitStatus), note,
            i.discountValue, std::ceil(i.quantity / 6.0), dateOrNull(i.settledOn), orNull(i.settledBy), orNull(i.reason),
            orNull(i.invoiceEntry), af.automatic ? QStringLiteral("A") : QStringLiteral("M"), orNull(i.quotationNumber),
            orNull(i.listNumber), i.alteredByHand ? QVariant(QStringLiteral("M")) : kNull, kNull,
            i.future ? QStringLiteral("S") : QStringLiteral("N"), yes(i.migrated), kNull, yes(af.separated),
            inconsistency});
    }
}

void AfGenerator::taxRows(const AfDraft& af, Prng& rng, RowBuffer& out) const {
    TableRows& t = out.table("IMPITMAF", kTaxColumns);
    const Branch& dest = w.branches[std::size_t(af.dest)];
    const auto found = m_incidences.find({af.company, dest.stateRegistration});
    if (found == m_incidences.end()) return;
    for (const AfItem& i : af.items) {
        const Product& p = w.products[std::size_t(i.product)];
        for (const Incidence* inc : found->second) {
            if (inc->level1 >= 0 && inc->level1 != p.level1) continue;
            // Now and then the buyer typed the rate the supplier's invoice will bear.
            const bool typed = rng.percent(4);
            const double rate = typed ? 12.0 : inc->rate;
            t.add(keyValues(af.key) + QVariantList{p.code, dateText(i.delivery), w.brands[std::size_t(i.brand)].code,
                                                   inc->tax, rate, roundMoney(i.net() * rate / 100.0), yes(typed)});
        }
    }
}

void AfGenerator::termRows(const AfDraft& af, RowBuffer& out) const {
    TableRows& t = out.table("PRAZOPGTAF", kTermColumns);
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    if (sup.paymentKind != QLatin1String("V")) return;
    for (const auto& [days, percent] : sup.terms) t.add(keyValues(af.key) + QVariantList{days, percent});
}

void AfGenerator::chargeRows(const AfDraft& af, Prng& rng, RowBuffer& out) const {
    TableRows& t = out.table("ENCARGOAF", kChargeColumns);
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    std::map<QDate, double> grossByDate;
    for (const AfItem& i : af.items) grossByDate[i.delivery] += i.gross();
    const bool unloading = rng.percent(15);
    bool first = true;
    for (const auto& [date, gross] : grossByDate) {
        if (sup.freight == QLatin1String("F"))  // FOB: the freight is the buyer's
            t.add(keyValues(af.key) + QVariantList{dateText(date), QStringLiteral("01"), roundMoney(gross * 0.02)});
        if (unloading && first) t.add(keyValues(af.key) + QVariantList{dateText(date), QStringLiteral("03"), 45.0});
        first = false;
    }
}

void AfGenerator::messageRows(const AfDraft& af, Prng& rng, RowBuffer& out) const {
    TableRows& t = out.table("MENSAUTF", kMessageColumns);
    const QStringList& texts = catalogue::purchaseMessages();
    const int count = rng.between(0, 2);
    const int first = rng.between(0, int(texts.size()) - 1);
    for (int m = 0; m < count; ++m)
        t.add(keyValues(af.key) + QVariantList{code(m + 1, 2), texts[(first + m) % texts.size()]});
}

// Audited branches keep the log of who changed what and why.
void AfGenerator::logRows(const AfDraft& af, Prng& rng, RowBuffer& out) const {
    const Branch& dest = w.branches[std::size_t(af.dest)];
    if (!dest.audited) return;
    TableRows& t = out.table("MOVOPAF", kLogColumns);
    const QString buyer = w.buyers[std::size_t(af.buyer)].code;
    const QVariantList origin = {QStringLiteral("Cmp03900.rdmLancaAutoF"), QStringLiteral("127.0.0.1"),
                                 QStringLiteral("ESTACAO-") + af.key.lanc, QStringLiteral("FecharAF")};
    t.add(keyValues(af.key) + QVariantList{kNull, kNull, kNull, at(af.date, "09:00:00"), QStringLiteral("Inclusão da AF"),
                                           buyer, kNull, QStringLiteral("I")} + origin);
    const QDate when = std::min(w.base, af.date.addDays(rng.between(1, 5)));
    const QString justification = catalogue::justifications()[rng.between(0, int(catalogue::justifications().size()) - 1)];
    if (af.kind == AfKind::Cancelled || af.kind == AfKind::Ended) {
        t.add(keyValues(af.key) + QVariantList{kNull, kNull, kNull, at(when, "14:30:00"),
                                               QStringLiteral("Alteração da Baixa da AF: de Em Aberto para ") +
                                                   statusText(af.entryStatus),
                                               buyer, justification, QStringLiteral("A")} + origin);
    } else if (rng.percent(40)) {
        const AfItem& i = af.items.front();
        const double before = i.quantity + 6;
        t.add(keyValues(af.key) + QVariantList{w.products[std::size_t(i.product)].code, w.brands[std::size_t(i.brand)].code,
                                               dateText(i.delivery), at(when, "14:30:00"),
                                               QStringLiteral("Alteração da Quantidade: de %1 para %2")
                                                   .arg(number3(before), number3(i.quantity)),
                                               buyer, justification, QStringLiteral("A")} + origin);
    }
}

void AfGenerator::migrationRows(const AfDraft& af, RowBuffer& out) const {
    if (af.migratedFrom.number.isEmpty()) return;
    TableRows& t = out.table("AFMIGRA", kMigrationColumns);
    for (const AfItem& i : af.items)
        if (i.migrated)
            t.add(keyValues(af.migratedFrom) + QVariantList{w.products[std::size_t(i.product)].code, dateText(i.delivery),
                                                            w.brands[std::size_t(i.brand)].code} + keyValues(af.key));
}

// Payables exist once a received AF of a supplier that generates them was closed.
void AfGenerator::payableRows(const AfDraft& af, RowBuffer& out) const {
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    if (!sup.generatesPayables) return;
    if (af.entryStatus != QLatin1String("2") && af.entryStatus != QLatin1String("3")) return;
    std::vector<std::pair<QDate, double>> due;  // date, percent
    if (!sup.terms.empty()) {
        for (const auto& [days, percent] : sup.terms) due.push_back({af.date.addDays(int(days)), percent});
    } else if (sup.paymentKind == QLatin1String("F")) {
        const int n = std::max(1, int(sup.instalments));
        for (int k = 0; k < n; ++k) {
            const QDate month = af.date.addMonths(k + (sup.nextMonth == QLatin1String("E") ? 1 : 0));
            due.push_back({QDate(month.year(), month.month(), std::min(int(sup.fixedDay), month.daysInMonth())), 100.0 / n});
        }
    } else {
        due.push_back({af.date.addDays(30), 100});
    }
    TableRows& t = out.table("CONTPAGAF", kPayableColumns);
    double paid = 0;
    for (std::size_t k = 0; k < due.size(); ++k) {
        const double value = k + 1 == due.size() ? roundMoney(af.total - paid) : roundMoney(af.total * due[k].second / 100.0);
        paid += value;
        t.add(keyValues(af.key) + QVariantList{code(qint64(k) + 1, 2), dateText(due[k].first), value, af.payableType,
                                               due[k].first < w.base ? QStringLiteral("P") : QStringLiteral("A")});
    }
}

// One invoice per delivery date for what arrived (now and then two); the
// logistic operator's AFs arrive at the operator and leave for the store.
void AfGenerator::invoiceRows(AfDraft& af, Prng& rng, RowBuffer& out) {
    TableRows& invoices = out.table("NOTAFISC", kInvoiceColumns);
    TableRows& lines = out.table("ITNOTAFISC", kInvoiceItemColumns);
    TableRows& settlements = out.table("BAIXAITAF", kSettlementColumns);
    const Supplier& sup = w.suppliers[std::size_t(af.supplier)];
    const QString destCode = w.branches[std::size_t(af.dest)].code;

    auto issue = [&](const QString& branch, const QDate& date, bool returned) {
        const QString entry = code(++m_lastEntry[branch], 10);
        invoices.add({branch, entry, code(++m_lastInvoice[af.supplier] + 1000, 10), code(1, 5), dateText(date), sup.code,
                      yes(returned)});
        return entry;
    };
    auto settleSide = [&](bool exitSide) {
        const QString branch = exitSide || af.logisticBranch.isEmpty() || af.operatorRole != QLatin1String("2")
                                   ? destCode
                                   : af.logisticBranch;
        std::map<QDate, std::vector<AfItem*>> byDate;
        for (AfItem& i : af.items)
            if ((exitSide ? i.exitReceived : i.received) > 0) byDate[i.delivery].push_back(&i);
        for (auto& [delivery, items] : byDate) {
            const bool split = !exitSide && af.kind == AfKind::Total && rng.percent(25);
            const int parts = split ? 2 : 1;
            QDate day = std::min(delivery.addDays(rng.between(0, 2)), w.base.addDays(-1));
            for (int part = 0; part < parts; ++part) {
                const QString entry = issue(branch, day, false);
                for (AfItem* i : items) {
                    const double whole = exitSide ? i->exitReceived : i->received;
                    const double half = std::floor(whole / 2);
                    const double qty = !split ? whole : (part == 0 ? half : whole - half);
                    if (qty <= 0) continue;
                    const QString product = w.products[std::size_t(i->product)].code;
                    const QString brand = w.brands[std::size_t(i->brand)].code;
                    lines.add({branch, entry, product, brand, qty, cents(i->priceCents)});
                    settlements.add({branch, entry, product, brand, af.key.dest, af.key.lanc, af.key.number,
                                     dateText(i->delivery), exitSide ? QStringLiteral("S") : QStringLiteral("E"), qty});
                    if (!exitSide) {
                        i->receivedOn = day;
                        i->invoiceEntry = entry;
                    }
                }
                day = std::min(day.addDays(1), w.base.addDays(-1));
            }
        }
    };
    settleSide(false);
    settleSide(true);

    if (af.returned) {  // part of the first item went back to the supplier
        const AfItem& i = af.items.front();
        const QDate day = std::min(i.receivedOn.addDays(2), w.base.addDays(-1));
        const QString entry = issue(destCode, day, true);
        lines.add({destCode, entry, w.products[std::size_t(i.product)].code, w.brands[std::size_t(i.brand)].code,
                   std::min(i.received, 6.0), cents(i.priceCents)});
    }
}

}  // namespace afdemo
