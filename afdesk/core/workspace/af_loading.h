#pragma once
// Loading the AF of the list's current row into the header and its dependent
// datasets, lazily, by the active tab, through the one-AF cache (`GetData`).
namespace host {
class Dataset;
}

namespace afdesk {

class LancaAutoF;

// Whether a dataset of the AF must be (re)loaded for the list's current row:
// it is closed, or it shows another AF and holds no unsaved changes. An empty
// dataset shows the AF it was last loaded for.
bool needsLoading(LancaAutoF& w, const host::Dataset& ds);

// Loads what the active tab shows; `force` reloads it whatever the datasets hold.
void GetData(LancaAutoF& w, bool force);

// Loads the header when it is closed or shows another AF than the list's row
// (and holds no unsaved changes).
void loadHeaderIfNeeded(LancaAutoF& w);

// Loads the taxes when the inner tab "Imposto" shows them and they belong to another AF.
void loadTaxesForInnerTab(LancaAutoF& w);

// Closes the header and the nine dependent datasets.
void closeAfDatasets(LancaAutoF& w);

// After the items were (re)loaded: the optional item columns shown or hidden,
// the product-code and delivery-date masks set.
void applyItemColumns(LancaAutoF& w);

}  // namespace afdesk
