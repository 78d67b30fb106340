#pragma once
// The workspace's reactions that keep the tools, tabs and menu items in step
// with the datasets: the header's state change, the items' (dtsPadrao), every
// other data source's changes and the focus moving between the grids.
namespace afdesk {

class LancaAutoF;

// dtsAutoForne changed state: the tools of the header tabs, the entry
// controls, the tabs by the active one, "Dados da AF" for a new AF.
void headerStateChanged(LancaAutoF& w);

// dtsPadrao changed state: the item grid, the inner tabs, the tools on
// "Produtos", the menu items and the "Baixar" button.
void standardStateChanged(LancaAutoF& w);
// The same rules after the items' rows changed (another item, a load); only a
// state change moves the focus.
void applyStandardRules(LancaAutoF& w, bool stateChange);

// The tabs and their menu items as the header state change sets them for the active tab.
void applyTabRules(LancaAutoF& w);

// Hooks the reactions above, the recomputation on the other data sources'
// changes and the recomputation when the focus moves to another grid.
void bindToolReactions(LancaAutoF& w);

}  // namespace afdesk
