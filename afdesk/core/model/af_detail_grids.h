#pragma once
// The columns of the grids of an AF's details, left to right, with their
// titles and widths: the product and item grids of "Produtos", the messages,
// the payment terms, and the charge dates and charges of "Encargo". Configured
// on the grids themselves, they show their titles also while a new AF has no
// rows (and its tables are not loaded yet).
#include "platform/kit/grid_column.h"

#include <vector>

namespace afdesk {

std::vector<kit::GridColumn> productGridColumns();     // dbgProdutos (cdsItemAutf_Produto)
std::vector<kit::GridColumn> itemGridColumns();        // the standard grid (cdsItemAutF)
std::vector<kit::GridColumn> messageGridColumns();     // dbgMensagens (cdsMensagensAF)
std::vector<kit::GridColumn> termGridColumns();        // dbgPrazoPgt (cdsPrazoPgtAF)
std::vector<kit::GridColumn> chargeDateGridColumns();  // dbgDataEncargo (cdsDataEncargo)
std::vector<kit::GridColumn> chargeGridColumns();      // dbgEncargo (cdsEncargo)

// The item and product columns a setting shows: the volumes (branch parameter
// IDUTQTDEVOLU), the exit receipt (a logistic-operator branch exists) and the
// price list (purchasing module).
struct DetailColumnFlags {
    bool volumes = false;
    bool exitReceipt = false;
    bool priceList = false;
};
bool isOptionalDetailColumn(const QString& fieldName);
bool detailColumnShown(const QString& fieldName, const DetailColumnFlags& flags);

}  // namespace afdesk
