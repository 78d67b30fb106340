#include "afdesk/core/tools/workspace_tool.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace afdesk {
namespace {

ToolStates allOn() {
    ToolStates s;
    for (bool* b : {&s.Incluir, &s.Alterar, &s.Excluir, &s.Procurar, &s.Verificar, &s.Confirmar, &s.Cancelar,
                    &s.sbtFiltro, &s.sbtFechaAF, &s.sbtConsistir, &s.sbtB_Total, &s.sbtB_TotalSaid, &s.mnuRetAFExp,
                    &s.sbtCancelaAF, &s.sbtEncerrarAF, &s.mnuReAFAberto, &s.sbtEnviaAFEmail, &s.sbtImpSoliCmp,
                    &s.mnuImpSoliCompras, &s.sbtMudAutProd, &s.mnuEncargo, &s.navigator, &s.sbtAtualizaMercadum,
                    &s.colIDSITUENVAFMCD, &s.btnBaixar})
        *b = true;
    return s;
}

TEST(WorkspaceTools, EveryRuledToolHasAnAnswerOfTheRulesAndNoOtherToolHasOne) {
    EXPECT_EQ(enabledTools(allOn()), ruledTools());
    EXPECT_TRUE(enabledTools(ToolStates{}).none());
}

// Each answer of the rules reaches its own tool and no other.
TEST(WorkspaceTools, EachAnswerEnablesItsOwnTool) {
    const struct {
        bool ToolStates::*answer;
        WorkspaceTool tool;
    } cases[] = {
        {&ToolStates::Incluir, WorkspaceTool::Incluir},       {&ToolStates::Cancelar, WorkspaceTool::Cancelar},
        {&ToolStates::sbtFiltro, WorkspaceTool::Filtrar},     {&ToolStates::sbtB_TotalSaid, WorkspaceTool::B_TotSaida},
        {&ToolStates::mnuRetAFExp, WorkspaceTool::RetAFExp},  {&ToolStates::mnuReAFAberto, WorkspaceTool::ReAFAberto},
        {&ToolStates::mnuImpSoliCompras, WorkspaceTool::ImpSoliCompras},
        {&ToolStates::sbtAtualizaMercadum, WorkspaceTool::AtualizaMercadum},
    };
    for (const auto& c : cases) {
        ToolStates s;
        s.*c.answer = true;
        ToolSet expected;
        expected.set(std::size_t(c.tool));
        EXPECT_EQ(enabledTools(s), expected) << toolDef(c.tool).action;
    }
}

TEST(WorkspaceTools, OperationsHaveUniqueNamesAndACaption) {
    std::set<std::string> names;
    for (const WorkspaceToolDef& def : workspaceTools()) {
        if (def.place == ToolPlace::Standard) continue;
        ASSERT_NE(def.action, nullptr);
        ASSERT_NE(def.caption, nullptr);
        EXPECT_TRUE(names.insert(def.action).second) << def.action;
        if (def.button) {
            EXPECT_TRUE(names.insert(def.button).second) << def.button;
        }
        EXPECT_EQ(def.button != nullptr, def.place != ToolPlace::ImportMenu) << def.action;
    }
}

}  // namespace
}  // namespace afdesk
