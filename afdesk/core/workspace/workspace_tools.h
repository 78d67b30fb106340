#pragma once
// The workspace's own tools beside the standard ones.
namespace afdesk {

class LancaAutoF;

// "Filtrar" (Ctrl+L): the filter dialog, then the tabs by its outcome.
void runFilter(LancaAutoF& w);
// The same for the exported entry point; true when the filter was confirmed.
bool runFilterFromEntry(LancaAutoF& w);
// "Importação SAC": the import screen is not part of this version yet.
void importaSAC(LancaAutoF& w);
// "Mudança Automática de Produto": the switch shows the branch's setting; changing it comes later.
void mudancaAutomatica(LancaAutoF& w);

}  // namespace afdesk
