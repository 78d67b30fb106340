#pragma once
// What the workspace does when the current row of the branch list
// (cdsFilialDest) or of the AF list (cdsServAutoForne) changes, and the rules
// of the list's edit states.
namespace afdesk {

class LancaAutoF;

// The branch row changed: its parameters row becomes current, "Importação SAC"
// follows IDUTILIZAINTSAC, "Justificativa de Alteração" follows IDAUDALTAF and
// the branch's purchase-request approval parameters are read. `force` runs it
// even for the row it last ran for (after a filter run).
void branchRowChanged(LancaAutoF& w, bool force);

// The AF row changed: the AF's datasets are closed, the cache is cleared
// unless the "AF" tab is active, and the new AF is loaded for the active tab.
void afListRowChanged(LancaAutoF& w, bool force);

// While the list is edited or inserted the tabs "AF" and "Filial Destino"
// cannot be used; then the tools are recomputed with the list.
void afListStateChanged(LancaAutoF& w);

// After a list row is posted the dependents still being edited are posted;
// cancelling an inserted row closes the seven datasets of the new AF.
void bindListRowRules(LancaAutoF& w);

// Reads the AF list again for the current branch with the filter's criteria.
void reloadList(LancaAutoF& w);

}  // namespace afdesk
