#pragma once
// The workspace's page control: which tabs can be used, what changing to a tab
// does, what leaving one requires, and the menu items that mirror the tabs.
namespace afdesk {

class LancaAutoF;
enum class WorkspaceTab;
enum class ProdutosTab;

// The tabs and their menu items by the filter's outcome: "Filial Destino" and
// "AF" when the filter was confirmed and found branches, the others when it
// was confirmed. A disabled tab keeps its place.
void enableTabs(LancaAutoF& w);
// Menu items follow their tabs (inner tabs of "Produtos" too): enabled and
// visible alike, the active one checked.
void syncTabMenu(LancaAutoF& w);
// "Justificativa de Alteração" is shown only for a branch whose alterations are audited (IDAUDALTAF = "S").
void showJustificativa(LancaAutoF& w);

// Leaving a tab posts the pending edits of its datasets; a refusal is thrown
// (the change does not happen).
void leaveTab(LancaAutoF& w, WorkspaceTab tab);

// The tab-change handling. `withSender`: the user changed the tab, so a list
// showing another branch than the current one is read again first.
void tabChanged(LancaAutoF& w, bool withSender);

// Per tab, after its AF was loaded: the focus and the tool recomputation with the tab's data source.
void settleTab(LancaAutoF& w, WorkspaceTab tab);

// A tab's menu item: makes its tab active and runs the handling without a sender.
void tabMenuItem(LancaAutoF& w, WorkspaceTab tab);
// An inner tab's menu item: "Produtos" active (without the tab-change
// handling), the inner tab selected and its control focused.
void innerTabMenuItem(LancaAutoF& w, ProdutosTab inner);

// The per-branch state read again when the branch changes: the volume column,
// the read-only group, the permissions and the company of the session branch.
void refreshBranchState(LancaAutoF& w);

}  // namespace afdesk
