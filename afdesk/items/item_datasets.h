#pragma once
// The item-level datasets of the AF workspace: the AF's products and items,
// their scratch copies and the lookup and result tables the item entry fills.
// Each define... function adds the fields, in packet order, with their labels,
// formats, masks, calculated fields and coded texts, to a dataset that has
// none yet.
#include "afdesk/core/model/af_datasets.h"

#include <QtCore/QDate>
#include <functional>

namespace host {
class Dataset;
}

namespace afdesk {

// Where a migrated item came from ("0000000007 - 02/03/2024"), or empty when the
// migration table does not know it. Asked with the item's own dataset.
using MigrationOrigin = std::function<QString(const host::Dataset& items)>;

void defineItemAutfProduto(host::Dataset& ds);  // cdsItemAutf_Produto

// cdsItemAutF. IDITAFMIGRADA reads the item text (with its origin) while
// produtosTabActive answers true, else "AF Migrada".
void defineItemAutF(host::Dataset& ds, ScreenQuestion produtosTabActive = {}, MigrationOrigin origin = {});

void defineAuxItemAutF(host::Dataset& ds);      // cdsAuxItemAutF, never shown
void defineVdProdutoMarca(host::Dataset& ds);   // cdsVd_Produto_Marca
void defineProdExiste(host::Dataset& ds);       // cdsProdExiste
void definePesqMarca(host::Dataset& ds);        // cdsPesqMarca
void defineResultErros(host::Dataset& ds);      // cdsResultErros
void defineParamProdSup(host::Dataset& ds);     // cdsParamProdSup
void definePesqLista(host::Dataset& ds);        // cdsPesqLista
void definePesqValores(host::Dataset& ds);      // cdsPesqValores

// The figures the items dataset calculates: what is still to be delivered and
// the gross value (the discount is not subtracted). Null inputs count as 0.
double notYetDelivered(double ordered, double delivered);
double grossValue(double quantity, double unitPrice);

}  // namespace afdesk
