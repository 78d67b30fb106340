#pragma once
// The workspace's special tools beside the standard ones: each one action
// shown as a menu item of "&Opções" and as a tool button (hint = the button's
// text), so the two always agree. The operations behind most of them come
// with later work; until an area registers its handler, each says so
// instead of doing nothing.
#include <QtCore/QString>

namespace afdesk {

class LancaAutoF;

// Creates the tools in the order of the tool bar and connects them.
void buildSpecialTools(LancaAutoF& w);

// Tells the user that `operation` is not part of this version yet; nothing changes.
void notAvailable(LancaAutoF& w, const QString& operation);

}  // namespace afdesk
