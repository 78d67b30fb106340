#include "reference_rows.h"

#include "catalogue_data.h"

#include <set>

namespace afdemo {

namespace {

namespace cat = catalogue;

const QVariant kNull;

QVariant orNull(const QString& text) { return text.isEmpty() ? kNull : QVariant(text); }
QString yes(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

void paymentRows(RowBuffer& out) {
    TableRows& charge = out.table("TIPOCOBR", {"CDTIPCOB", "NMTIPOCOBR"});
    charge.add({QStringLiteral("01"), QStringLiteral("Carteira")});
    charge.add({QStringLiteral("02"), QStringLiteral("Boleto Bancário")});
    charge.add({QStringLiteral("03"), QStringLiteral("Depósito em Conta")});
    charge.add({QStringLiteral("04"), QStringLiteral("Cobrança Simples")});

    // IDTIPODTPGTO: the date the terms count from, "E" delivery, "F" invoice.
    TableRows& forms = out.table("FORMPGTO", {"CDFORMPGTO", "NMFORMPGTO", "IDTIPODTPGTO"});
    forms.add({QStringLiteral("01"), QStringLiteral("À Vista"), QStringLiteral("E")});
    forms.add({QStringLiteral("02"), QStringLiteral("30 Dias"), QStringLiteral("F")});
    forms.add({QStringLiteral("03"), QStringLiteral("30/60 Dias"), QStringLiteral("F")});
    forms.add({QStringLiteral("04"), QStringLiteral("30/60/90 Dias"), QStringLiteral("F")});
    forms.add({QStringLiteral("05"), QStringLiteral("28 Dias da Entrega"), QStringLiteral("E")});

    TableRows& payables = out.table("TIPOCTPAGAR", {"CDTPCTPAGAR", "DSTPCTPAGAR"});
    payables.add({code(1, 6), QStringLiteral("Mercadorias para revenda")});
    payables.add({code(2, 6), QStringLiteral("Material de uso e consumo")});
    payables.add({code(3, 6), QStringLiteral("Serviços de terceiros")});

    // IDPERCOTCMP: "1" may quote and sell, "2" only when supplying automatically, "0" neither.
    TableRows& qualifications = out.table("QUALIFICACAO", {"CDQUALIF", "NMQUALIF", "IDPERCOTCMP"});
    qualifications.add({code(1, 4), QStringLiteral("Qualificado"), QStringLiteral("1")});
    qualifications.add({code(2, 4), QStringLiteral("Qualificado para fornecimento automático"), QStringLiteral("2")});
    qualifications.add({code(3, 4), QStringLiteral("Em avaliação"), QStringLiteral("0")});
}

void supplierRow(const Supplier& s, TableRows& t) {
    const bool fixed = s.paymentKind == QLatin1String("F");
    t.add({s.code, s.personType, s.document, s.name, s.tradeName, orNull(s.freight), s.chargeType,
           orNull(s.paymentForm), orNull(s.paymentKind), fixed ? QVariant(s.fixedDay) : kNull,
           fixed ? QVariant(s.instalments) : kNull, orNull(s.nextMonth), s.discount, orNull(s.discountKind),
           s.active ? QStringLiteral("A") : QStringLiteral("I"), yes(s.generatesPayables), orNull(s.qualification),
           yes(s.autoSupplier), s.qualification.isEmpty() ? kNull : QVariant(dateText(s.qualificationValidUntil)),
           yes(s.oneDeliveryDate), s.dispatch, orNull(s.email),
           s.email.isEmpty() ? kNull : QVariant(QStringLiteral("financeiro.%1@example.com").arg(s.code.right(4))),
           yes(s.dispatch == QLatin1String("1") && s.products.size() > 12)});
}

QString cityOf(const Supplier& s) {
    const auto& places = cat::centralPlaces();
    return QString::fromUtf8(places[std::size_t(s.centrals.front()) % places.size()].city);
}

void carrierRows(const World& w, RowBuffer& out) {
    TableRows& carriers = out.table("TRANSPORT", {"IDTPIJURTRAN", "NRINSJURTRAN", "NMRAZSOCTRAN", "NMFANTTRAN"});
    for (const Carrier& c : w.carriers) carriers.add({c.personType, c.document, c.name, c.tradeName});
    TableRows& links = out.table("RELFILTRAS", {"CDFILIAL", "IDTPIJURTRAN", "NRINSJURTRAN", "IDTRANSPRINC"});
    for (const Branch& b : w.branches) {
        if (!b.hasParameters()) continue;
        for (std::size_t i = 0; i < b.carriers.size(); ++i) {
            const Carrier& c = w.carriers[std::size_t(b.carriers[i])];
            links.add({b.code, c.personType, c.document, yes(i == 0)});
        }
    }
}

}  // namespace

void supplierRows(const World& w, RowBuffer& out) {
    paymentRows(out);
    TableRows& suppliers = out.table(
        "FORNECEDOR", {"CDFORNECED", "IDTPIJURFORN", "NRINSJURFORN", "NMRAZSOCFORN", "NMFANTFORN", "IDTPFRETFORN",
                       "CDTIPCOB", "CDFORMPGTO", "IDTPFORPGTFO", "NRDIAPGFIXFO", "NRPARCPGTOFO", "IDUTDIAPGTFO",
                       "VRPEDESCFORN", "IDTPDESCFORN", "IDSITUCADA", "IDGERCONTPGT", "CDQUALIF", "IDFORNAUTO",
                       "DTVALQUALIF", "IDGERAFDTENT", "IDTPENVAFFOR", "DSEMAILCOT", "DSMAILCOTCOP", "IDUTILZIPAF"});
    TableRows& addresses = out.table("ENDEFORN", {"CDFORNECED", "IDTPENDEFORN", "DSENDEFORN", "NMBAIRFORN",
                                                  "NMCIDAFORN", "SGESTADO", "NRCEPFORN"});
    TableRows& terms = out.table("PRAZOPGFOR", {"CDFORNECED", "NRDIASPGTOFO", "VRPERCPGTOFO"});
    TableRows& branches = out.table("FORNFILI", {"CDFORNECED", "CDFILIAL", "DSPERIENTR"});
    TableRows& regions = out.table("FORNREGI", {"CDFORNECED", "CDREGIAO"});
    for (int i = 0; i < int(w.suppliers.size()); ++i) {
        const Supplier& s = w.suppliers[std::size_t(i)];
        supplierRow(s, suppliers);
        const QString street = cat::streets()[i % cat::streets().size()];
        addresses.add({s.code, QStringLiteral("P"), QStringLiteral("%1, %2").arg(street).arg(100 + (i * 37) % 2900),
                       QStringLiteral("Distrito Industrial"), cityOf(s), s.state, code(10000000 + i * 7331 % 89999999, 8)});
        if (i % 4 == 1)
            addresses.add({s.code, QStringLiteral("C"), QStringLiteral("Caixa Postal %1").arg(1000 + i),
                           QStringLiteral("Centro"), cityOf(s), s.state, code(10000000 + i * 7331 % 89999999, 8)});
        for (const auto& [days, percent] : s.terms) terms.add({s.code, days, percent});
        std::set<QString> served;
        for (int c : s.centrals)
            for (const Branch& b : w.branches)
                if (b.centralIndex == c && b.hasParameters() && b.hasCentral()) {
                    branches.add({s.code, b.code, orNull(s.deliveryDays)});
                    served.insert(b.region);
                }
        for (const QString& region : served) regions.add({s.code, region});
    }
    carrierRows(w, out);
}

}  // namespace afdemo
