#pragma once
// The tool recomputation on the live screen: the workspace read into a
// ToolSnapshot, the rules of afdesk/core/tools applied, their outcome set on
// the actions (menu item and tool button are one action) and on the controls
// the recomputation also steers.
#include "afdesk/core/tools/habilita_ferramentas.h"
#include "afdesk/core/tools/tool_snapshot.h"

class QWidget;

namespace afdesk {

class LancaAutoF;

// The control holding the focus, as the rules tell controls apart. Null: None.
Focus focusOf(const LancaAutoF& w, const QWidget* focused);
// The control of the screen that has (or last had) the focus.
QWidget* focusedControl(const LancaAutoF& w);

// The data source the active tab drives, by the focus where a tab has two.
Source tabSource(const LancaAutoF& w);

ToolSnapshot toolSnapshot(const LancaAutoF& w, Source source);

// Sets every tool, the "Baixar" button, the "Entrega / Baixa Manual" and
// "Encargo" tabs, the navigator, dbtItemMigrada and the marketplace column.
void applyToolStates(LancaAutoF& w, const ToolStates& states);

// Habilita_Ferramentas(source): snapshot, rules, apply. On "Filial Destino"
// that tab's own tool settings go over the recomputed ones.
void recomputeTools(LancaAutoF& w, Source source);

}  // namespace afdesk
