#pragma once
// The workspace's life: creation, the first activation (the filter dialog,
// parameters, permissions), every activation and deactivation (the message
// filter), and the close.
namespace afdesk {

class LancaAutoF;

// After the standard grid screen's creation: connections, masks, flags, the first tab.
void createWorkspace(LancaAutoF& w);
// The first activation's set-up, then what every activation does. A failing
// step ends the set-up with its message; the screen stays with what was loaded.
void onFirstActivation(LancaAutoF& w);
void firstActivation(LancaAutoF& w);
void everyActivation(LancaAutoF& w);
void deactivation(LancaAutoF& w);
// Whether the workspace may close: an AF being entered or altered is dropped
// only after "Cancelar operação?".
bool mayClose(LancaAutoF& w);
// The workspace's part of closing: the filter dialog, the message hook, the connections.
void closeWorkspace(LancaAutoF& w);

// Start-up lookups that steer later work.
void openReadOnlyGroup(LancaAutoF& w);  // qryOperGrupOp with the branch's CDGRUPOPER
void openDestNF(LancaAutoF& w);         // qryDestNF for the session branch
void openFuncaoFili(LancaAutoF& w);     // qryFuncaoFili: the logistic-operator columns

// After the filter dialog closed with confirmation or not: the branch row's
// reactions, the tab and menu enabling, "Filial Destino" when a list is empty.
void afterFilter(LancaAutoF& w, bool confirmed);

}  // namespace afdesk
