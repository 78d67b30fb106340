#pragma once
// What the standard tools do on each tab of the workspace, one unit each
// (workspace_tool_<name>.cpp). The screen's doInsert ... doCancel forward here;
// they run inside the kit's exception boundary, so a refusal (Abort) ends the
// tool silently and a UserError shows its message.
namespace afdesk {

class LancaAutoF;

void incluir(LancaAutoF& w);    // "Incluir"
void alterar(LancaAutoF& w);    // "Alterar"
void excluir(LancaAutoF& w);    // "Excluir"
void procurar(LancaAutoF& w);   // "Procurar"
void verificar(LancaAutoF& w);  // "Verificar"
void confirmar(LancaAutoF& w);  // "Confirmar"
void cancelar(LancaAutoF& w);   // "Cancelar"

// The AF's local changes dropped (a roll-back of every AF dataset back to the
// server's state, under the reload-suppressed marker), "AF" made active.
void rollBackAf(LancaAutoF& w);

// Refuses (with a message) to start over while the AF's datasets hold changes not yet saved.
void refuseWithPendingChanges(LancaAutoF& w);

}  // namespace afdesk
