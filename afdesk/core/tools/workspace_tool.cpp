#include "afdesk/core/tools/workspace_tool.h"

#include <utility>

namespace afdesk {

namespace {

using T = WorkspaceTool;
using P = ToolPlace;

// The standard tools' captions belong to the base screen; only their identities are here.
constexpr std::array<WorkspaceToolDef, kWorkspaceToolCount> kTools = {{
    {T::Incluir, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Alterar, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Excluir, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Procurar, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Verificar, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Confirmar, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Cancelar, P::Standard, nullptr, nullptr, nullptr, nullptr, nullptr, true},
    {T::Filtrar, P::Options, "mnuFiltro", "sbtFiltro", "&Filtrar", "Filtrar", "Filtrar", true, "Ctrl+L"},
    {T::FechaAF, P::Options, "mnuFechaAF", "sbtFechaAF", "Fecha&r AF", "Fechar AF", "Fechar AF", true},
    {T::Consistir, P::Options, "mnuConsistir", "sbtConsistir", "C&onsistir", "Consistir", "Consistir", true},
    {T::B_Total, P::Options, "mnuB_Total", "sbtB_Total", "&Baixar Totalmente", "Baixar Totalmente", "Baixar Total",
     true},
    {T::B_TotSaida, P::Options, "mnuB_TotSaida", "sbtB_TotalSaid", "Baixar &Totalmente (Saída)",
     "Baixar Totalmente (Saída)", "Baixar Saída", true},
    {T::CancelaAF, P::Options, "mnuCancelaAF", "sbtCancelaAF", "Cance&lar AF", "Cancelar AF", "Cancelar AF", true},
    {T::EncerrarAF, P::Options, "mnuEncerrarAF", "sbtEncerrarAF", "&Encerrar AF", "Encerrar AF", "Encerrar AF", true},
    {T::ReAFAberto, P::Options, "mnuReAFAberto", "sbtRetAFAberto", "Retornar Sit&uação da AF para \"Em Aberto\"",
     "Retornar Situação da AF para \"Em Aberto\"", "Reabrir AF", true},
    {T::RetAFExp, P::Options, "mnuRetAFExp", "sbtRetAFExp", "Retornar AF Expirada para \"Em Aberto\"",
     "Retornar AF Expirada para \"Em Aberto\"", "Reabrir Expirada", true},
    {T::MudAutProd, P::Options, "mnuMudAutProd", "sbtMudAutProd", "&Mudança Automática de Produto",
     "Mudança Automática de Produto", "Mudança Autom.", true, nullptr, true},
    {T::EnviaAFEmail, P::Options, "mnuEnviaAFEmail", "sbtEnviaAFEmail", "E&nviar AF via e-mail",
     "Enviar AF via e-mail", "Enviar e-mail", true},
    // The import menu: its own action is the menu's, shown as the button "Importar".
    {T::ImpSoliCmp, P::Options, "mnuImpSoliCmp", "sbtImpSoliCmp", "Importar &Solicitação de Compra", "Importar",
     "Importar", true},
    {T::ImpSoliCompras, P::ImportMenu, "mnuImpSoliCompras", nullptr, "Importar &Solicitação de Compras",
     "Importar Solicitação de Compras", nullptr, true},
    {T::ImpProdForn, P::ImportMenu, "mnuImpProdForn", nullptr, "Importar &Produto por Fornecedor",
     "Importar Produto por Fornecedor", nullptr, false},
    // Enabled by the branch's parameters, not by the rules.
    {T::ImportaSAC, P::Options, "mnuImportaSAC", "sbtImportaSAC", "I&mportação SAC", "Importação SAC",
     "Importação SAC", false},
    {T::AtualizaMercadum, P::ButtonOnly, "actAtualizaMercadum", "sbtAtualizaMercadum", "Atualiza c/ Mercadum",
     "Atualiza c/ Mercadum", "Mercadum", true},
    {T::Copy, P::ButtonOnly, "actCopy", "sbtCopy", "Copiar Justificativa", "Copiar Justificativa", "Copiar Justif.",
     false},
}};

constexpr bool inOrder() {
    for (std::size_t i = 0; i < kTools.size(); ++i)
        if (std::size_t(kTools[i].tool) != i) return false;
    return true;
}
static_assert(inOrder(), "the tool table follows WorkspaceTool's order");

// Each ruled tool and the rules' answer for it.
constexpr std::pair<WorkspaceTool, bool ToolStates::*> kAnswers[] = {
    {T::Incluir, &ToolStates::Incluir},
    {T::Alterar, &ToolStates::Alterar},
    {T::Excluir, &ToolStates::Excluir},
    {T::Procurar, &ToolStates::Procurar},
    {T::Verificar, &ToolStates::Verificar},
    {T::Confirmar, &ToolStates::Confirmar},
    {T::Cancelar, &ToolStates::Cancelar},
    {T::Filtrar, &ToolStates::sbtFiltro},
    {T::FechaAF, &ToolStates::sbtFechaAF},
    {T::Consistir, &ToolStates::sbtConsistir},
    {T::B_Total, &ToolStates::sbtB_Total},
    {T::B_TotSaida, &ToolStates::sbtB_TotalSaid},
    {T::CancelaAF, &ToolStates::sbtCancelaAF},
    {T::EncerrarAF, &ToolStates::sbtEncerrarAF},
    {T::ReAFAberto, &ToolStates::mnuReAFAberto},
    {T::RetAFExp, &ToolStates::mnuRetAFExp},
    {T::MudAutProd, &ToolStates::sbtMudAutProd},
    {T::EnviaAFEmail, &ToolStates::sbtEnviaAFEmail},
    {T::ImpSoliCmp, &ToolStates::sbtImpSoliCmp},
    {T::ImpSoliCompras, &ToolStates::mnuImpSoliCompras},
    {T::AtualizaMercadum, &ToolStates::sbtAtualizaMercadum},
};

}  // namespace

const std::array<WorkspaceToolDef, kWorkspaceToolCount>& workspaceTools() { return kTools; }

ToolSet enabledTools(const ToolStates& states) {
    ToolSet set;
    for (const auto& [tool, answer] : kAnswers) set.set(std::size_t(tool), states.*answer);
    return set;
}

ToolSet ruledTools() {
    ToolSet set;
    for (const WorkspaceToolDef& def : kTools) set.set(std::size_t(def.tool), def.ruled);
    return set;
}

}  // namespace afdesk
