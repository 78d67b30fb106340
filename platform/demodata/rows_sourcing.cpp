#include "reference_rows.h"

#include <map>

namespace afdemo {

void sourcingRows(const World& w, RowBuffer& out) {
    TableRows& lists = out.table("LISTPREC", {"NRLISTPREC", "CDFORNECED", "CDFILCENTCMP", "DSLISTPREC", "DTLISTPREC"});
    TableRows& listItems = out.table("ITEMLISTPREC", {"NRLISTPREC", "CDPRODUTO", "CDMARCA", "VRPRECUNIITM",
                                                      "DTINIVALITM", "DTFINVALITM", "NRRANKING"});
    for (const PriceList& l : w.priceLists) {
        lists.add({l.number, w.suppliers[std::size_t(l.supplier)].code, w.branches[std::size_t(l.central)].code,
                   l.description, dateText(l.date)});
        for (const PriceListItem& i : l.items)
            listItems.add({l.number, w.products[std::size_t(i.product)].code, w.brands[std::size_t(i.brand)].code,
                           cents(i.priceCents), dateText(i.validFrom), dateText(i.validTo), i.ranking});
    }

    TableRows& quotations = out.table("COTAPREC", {"NRCOTPREC", "CDFILCENTCMP", "CDOPERADOR", "DTCOTPREC", "DTVALCOTPREC"});
    TableRows& quoted = out.table("ITEMCOTPREC", {"NRCOTPREC", "CDFORNECED", "CDPRODUTO", "CDMARCA", "VRPRECCOTA", "QTCOTADA"});
    for (const Quotation& q : w.quotations) {
        quotations.add({q.number, w.branches[std::size_t(q.central)].code, w.buyers[std::size_t(q.buyer)].code,
                        dateText(q.date), dateText(q.validUntil)});
        for (const QuotationItem& i : q.items)
            quoted.add({q.number, w.suppliers[std::size_t(i.supplier)].code, w.products[std::size_t(i.product)].code,
                        w.brands[std::size_t(i.brand)].code, cents(i.priceCents), i.quantity});
    }

    TableRows& surveys = out.table("APURPREC", {"NRAPURPREC", "CDFILCENTCMP", "CDOPERADOR", "DTINIAPUPREC",
                                                "DTFINAPUPREC", "IDSITUAPUR"});
    TableRows& surveyItems = out.table("ITEMAPURPREC", {"CDFILLAN", "NRSEQITMAP", "CDFORNECED", "CDFILIAL", "NRAPURPREC",
                                                        "CDPRODUTO", "CDMARCA", "DTENTRAPUT", "QTACOMP", "VRPRECUNIAP",
                                                        "IDIMPORTADO", "IDINCONSIST"});
    std::map<int, int> sequence;  // NRSEQITMAP counts per launching (central) branch
    for (const Survey& s : w.surveys) {
        const QString central = w.branches[std::size_t(s.central)].code;
        surveys.add({s.number, central, w.buyers[std::size_t(s.buyer)].code, dateText(s.start), dateText(s.end),
                     s.situation});
        for (const SurveyItem& i : s.items)
            surveyItems.add({central, code(++sequence[s.central], 10), w.suppliers[std::size_t(i.supplier)].code,
                             w.branches[std::size_t(i.branch)].code, s.number, w.products[std::size_t(i.product)].code,
                             w.brands[std::size_t(i.brand)].code, dateText(i.delivery), i.quantity, cents(i.priceCents),
                             i.imported ? QStringLiteral("S") : QStringLiteral("N"), QStringLiteral("N")});
    }
}

}  // namespace afdemo
