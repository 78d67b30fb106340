#pragma once
// The workspace's message filter, installed in the host's MsgEventForm hook
// while the workspace is active:
//  - Enter (without Ctrl) aimed at a focused control of the active workspace
//    becomes Tab while the header or one of its item-level datasets is being
//    edited, except in the item observation memo;
//  - with a comma decimal separator, the period and keypad decimal keys type a
//    comma in an edit box bound to a floating-point field and in a grid whose
//    selected column is one (the grid not empty).
class QEvent;
class QObject;

namespace afdesk {

class LancaAutoF;

// True when the event was consumed (its replacement was sent instead).
bool workspaceMessageFilter(LancaAutoF& w, QObject* target, QEvent* event);

void installMessageFilter(LancaAutoF& w);
void removeMessageFilter(LancaAutoF& w);

}  // namespace afdesk
