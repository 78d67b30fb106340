#pragma once
// The workspace's tools by identifier: one table with each tool's action and
// button names, caption, hint, short label and shortcut, and the one mapping
// from the enabling rules' answer to the set of enabled tools. The screen
// builds its actions from the table and applies the set in one loop; an area
// registers the handlers of its tools.
#include "afdesk/core/tools/habilita_ferramentas.h"

#include <array>
#include <bitset>
#include <cstddef>

namespace afdesk {

enum class WorkspaceTool {
    // The standard tools of the toolbar.
    Incluir, Alterar, Excluir, Procurar, Verificar, Confirmar, Cancelar,
    // The operations: each one action, its menu item of "&Opções" and its button alike.
    Filtrar, FechaAF, Consistir, B_Total, B_TotSaida, CancelaAF, EncerrarAF, ReAFAberto, RetAFExp, MudAutProd,
    EnviaAFEmail, ImpSoliCmp, ImpSoliCompras, ImpProdForn, ImportaSAC, AtualizaMercadum, Copy,
};
constexpr int kWorkspaceToolCount = 24;
constexpr int kStandardToolCount = 7;

constexpr bool isStandardTool(WorkspaceTool tool) { return int(tool) < kStandardToolCount; }

// Where an operation's action shows besides its button.
enum class ToolPlace {
    Standard,    // the standard toolbar and its menu
    Options,     // a menu item of "&Opções" and a button of the operations' row
    ImportMenu,  // an item of the import menu (no button of its own)
    ButtonOnly,  // a button of the operations' row only
};

struct WorkspaceToolDef {
    WorkspaceTool tool;
    ToolPlace place;
    const char* action;  // object name of the action (the menu item)
    const char* button;  // object name of its button; null: none of its own
    const char* caption;  // menu item, with its accelerator
    const char* hint;     // the button's hint
    const char* label;    // the button's text: short, so every button shows on a 1366-pixel screen
    bool ruled;           // the enabling rules decide it (the others keep what their owner sets)
    const char* shortcut = nullptr;  // portable text of its key sequence, scoped to the workspace
    bool checkable = false;
};

// Every tool, in the order of WorkspaceTool (and of the operations' row).
const std::array<WorkspaceToolDef, kWorkspaceToolCount>& workspaceTools();
inline const WorkspaceToolDef& toolDef(WorkspaceTool tool) { return workspaceTools()[std::size_t(tool)]; }

using ToolSet = std::bitset<kWorkspaceToolCount>;

// The tools the rules enable (only ruled tools are ever set).
ToolSet enabledTools(const ToolStates& states);
// The tools the rules decide.
ToolSet ruledTools();

}  // namespace afdesk
