#pragma once
// The workspace's keyboard shortcuts:
//  - Ctrl+Enter while the items (the standard data source) are edited:
//    "Confirmar", and after an insertion "Incluir" too, so the next item starts at once;
//  - Ctrl+Right / Ctrl+Left with no control focused: the next / previous usable tab;
//  - in the branch grid Ctrl+Delete does nothing and Ctrl+Right goes to "AF";
//    in the AF list Ctrl+Delete does nothing.
class QKeyEvent;

namespace afdesk {

class LancaAutoF;

// True when the key was handled (the control never sees it).
bool workspaceKeyPreview(LancaAutoF& w, QKeyEvent* event);
void installGridKeys(LancaAutoF& w);

}  // namespace afdesk
