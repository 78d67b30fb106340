#pragma once
// The order in which the post checks the header: the check of the box the user
// is still in first, then the others in their table's order.
#include <vector>

namespace afdesk {

// The post's checks, in the names of the order table.
enum class HeaderCheck { CdFilDest, DtLanc, CDCOMP, Fornecedor, ClienFilial, EmpresaEmitente, Cobranca, TipoCtPagar,
                         Transportadora };

// The header's boxes as far as the order tells them apart.
enum class HeaderBox {
    Other,        // none of the below (or no focus)
    Branch,       // destination branch: the buyer waits for its own confirmation
    Date,         // launch date
    Buyer,
    Supplier,
    Emitter,      // invoice recipient, its company, or "AF Extra"
    Billing,      // collection type
    PayableType,  // type of account payable
    Carrier,      // carrier or freight
};

std::vector<HeaderCheck> headerCheckOrder(HeaderBox focused);

}  // namespace afdesk
