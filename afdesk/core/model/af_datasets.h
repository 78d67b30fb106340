#pragma once
// The header- and list-level datasets of the AF workspace: their fields in
// packet order, with labels, formats, masks, calculated fields and the text
// handlers of their coded fields. Each define... function adds the fields to
// a dataset that has none yet; the dataset keeps its own name.
#include <QtCore/QString>
#include <functional>

namespace host {
class Dataset;
}

namespace afdesk {

// A question about the screen asked while a text is computed ("is the tab
// Produtos active?"); an empty function answers false.
using ScreenQuestion = std::function<bool()>;

// cdsServAutoForne, the AF list. IDITAFMIGRADA reads "Item de AF Migrado" while
// produtosTabActive answers true, else "AF Migrada".
void defineServAutoForne(host::Dataset& list, ScreenQuestion produtosTabActive = {});

// cdsAutoForne, the AF header. `list` is the AF list: the receipt-situation
// texts of the header follow the list's current row. It must outlive the header.
void defineAutoForne(host::Dataset& header, const host::Dataset& list);

// cdsFilialDest, the destination branches with their parameters.
void defineFilialDest(host::Dataset& branches);
// Its rows are read-only: every edit is refused silently, and so is an insert
// while the tab "Filial Destino" is active (elsewhere a typed branch adds its row).
void guardFilialDest(host::Dataset& branches, ScreenQuestion filialDestTabActive);

void defineAuxParCmp(host::Dataset& ds);       // cdsAuxParCmp
void defineParamFilial(host::Dataset& ds);     // cdsParamFilial
void defineParamGeral(host::Dataset& ds);      // cdsParamGeral
void defineControleFilial(host::Dataset& ds);  // cdsControleFilial
void defineDadosAF(host::Dataset& ds);         // cdsDadosAF, the findings of a save

// cdsParamGeral: the view row whose ID is `id` ("PARAMGERAL", "PARASUPRI"), or
// -1 when there is none or the dataset is closed. The cursor does not move.
int paramGeralRow(const host::Dataset& paramGeral, const QString& id);
// True when the general parameters turn the marketplace update on (PARAMGERAL, PARAM = "S").
bool marketplaceEnabled(const host::Dataset& paramGeral);

// cdsDadosAF: DSERRO of the first row whose CDERRO is `code`, or an empty text.
// The cursor does not move; a closed dataset has no findings.
QString descricaoErro(const host::Dataset& dadosAF, const QString& code);

}  // namespace afdesk
