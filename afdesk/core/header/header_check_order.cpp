#include "afdesk/core/header/header_check_order.h"

#include <algorithm>
#include <initializer_list>

namespace afdesk {

namespace {

using C = HeaderCheck;

// The rest of the checks once a focused box's own ran, in the table's order.
std::vector<HeaderCheck> orderFrom(std::initializer_list<HeaderCheck> first, bool withBuyer = true) {
    std::vector<HeaderCheck> order(first);
    for (C c : {C::CdFilDest, C::DtLanc, C::CDCOMP, C::Fornecedor, C::ClienFilial, C::EmpresaEmitente, C::Cobranca,
                C::TipoCtPagar, C::Transportadora}) {
        if (c == C::CDCOMP && !withBuyer) continue;
        if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
    }
    return order;
}

}  // namespace

std::vector<HeaderCheck> headerCheckOrder(HeaderBox focused) {
    switch (focused) {
    case HeaderBox::Branch: return orderFrom({C::CdFilDest}, false);
    case HeaderBox::Buyer: return orderFrom({C::CDCOMP});
    case HeaderBox::Supplier: return orderFrom({C::Fornecedor});
    case HeaderBox::Emitter: return orderFrom({C::ClienFilial, C::EmpresaEmitente});
    case HeaderBox::Billing: return orderFrom({C::Cobranca});
    case HeaderBox::PayableType: return orderFrom({C::TipoCtPagar});
    case HeaderBox::Carrier: return orderFrom({C::Transportadora});
    case HeaderBox::Date: return orderFrom({C::DtLanc});
    case HeaderBox::Other: break;
    }
    return orderFrom({});
}

}  // namespace afdesk
