#include "afdesk/core/header/header_check_order.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace afdesk {
namespace {

using C = HeaderCheck;
using Order = std::vector<HeaderCheck>;

TEST(HeaderCheckOrder, TheFocusedBoxsCheckComesFirstThenTheTablesOrder) {
    const Order table{C::CdFilDest, C::DtLanc,   C::CDCOMP,      C::Fornecedor,    C::ClienFilial,
                      C::EmpresaEmitente, C::Cobranca, C::TipoCtPagar, C::Transportadora};
    const struct {
        HeaderBox box;
        Order expected;
    } cases[] = {
        {HeaderBox::Other, table},
        {HeaderBox::Date, {C::DtLanc, C::CdFilDest, C::CDCOMP, C::Fornecedor, C::ClienFilial, C::EmpresaEmitente,
                           C::Cobranca, C::TipoCtPagar, C::Transportadora}},
        {HeaderBox::Supplier, {C::Fornecedor, C::CdFilDest, C::DtLanc, C::CDCOMP, C::ClienFilial,
                               C::EmpresaEmitente, C::Cobranca, C::TipoCtPagar, C::Transportadora}},
        {HeaderBox::Emitter, {C::ClienFilial, C::EmpresaEmitente, C::CdFilDest, C::DtLanc, C::CDCOMP,
                              C::Fornecedor, C::Cobranca, C::TipoCtPagar, C::Transportadora}},
        {HeaderBox::Carrier, {C::Transportadora, C::CdFilDest, C::DtLanc, C::CDCOMP, C::Fornecedor,
                              C::ClienFilial, C::EmpresaEmitente, C::Cobranca, C::TipoCtPagar}},
        // Leaving the branch, the buyer is not checked: it waits for its own confirmation.
        {HeaderBox::Branch, {C::CdFilDest, C::DtLanc, C::Fornecedor, C::ClienFilial, C::EmpresaEmitente,
                             C::Cobranca, C::TipoCtPagar, C::Transportadora}},
    };
    for (const auto& c : cases) EXPECT_EQ(headerCheckOrder(c.box), c.expected) << int(c.box);
}

TEST(HeaderCheckOrder, EveryBoxButTheBranchRunsEveryCheckOnce) {
    for (HeaderBox box : {HeaderBox::Other, HeaderBox::Date, HeaderBox::Buyer, HeaderBox::Supplier,
                          HeaderBox::Emitter, HeaderBox::Billing, HeaderBox::PayableType, HeaderBox::Carrier}) {
        Order order = headerCheckOrder(box);
        EXPECT_EQ(order.size(), 9u) << int(box);
        std::sort(order.begin(), order.end());
        EXPECT_EQ(std::unique(order.begin(), order.end()), order.end()) << int(box);
    }
}

}  // namespace
}  // namespace afdesk
