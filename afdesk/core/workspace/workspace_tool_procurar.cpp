// "Procurar": the search dialog over the dataset the active tab shows.
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_toolbar.h"

#include "host/data/errors.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/search_dialog.h"

namespace afdesk {

namespace {

struct Searched {
    host::Dataset* dataset = nullptr;
    kit::DBGrid* grid = nullptr;  // its column under the cursor starts the search
};

Searched searchedFor(LancaAutoF& w) {
    auto& ws = w.state();
    const Focus focus = focusOf(w, focusedControl(w));
    if (focus == Focus::TaxGrid) return {&ws.cdsImpostoAF, ws.dbgImposto};
    switch (w.activeTab()) {
    case WorkspaceTab::FilialDest: return {&ws.cdsFilialDest, ws.DBGrid1};
    case WorkspaceTab::AF: return {&ws.cdsServAutoForne, ws.dbgAutoForne};
    case WorkspaceTab::DadosAF: return {&ws.cdsAutoForne, nullptr};
    case WorkspaceTab::Produtos:
        if (focus == Focus::ProductGrid) return {&ws.cdsItemAutf_Produto, ws.dbgProdutos};
        return {&ws.cdsItemAutF, w.standardGrid()};
    case WorkspaceTab::Mensagem: return {&ws.cdsMensagensAF, ws.dbgMensagens};
    case WorkspaceTab::FormaPgto: return {&ws.cdsPrazoPgtAF, ws.dbgPrazoPgt};
    case WorkspaceTab::Encargo:
        if (focus == Focus::ChargeDateGrid) return {&ws.cdsDataEncargo, ws.dbgDataEncargo};
        return {&ws.cdsEncargo, ws.dbgEncargo};
    case WorkspaceTab::Justificativa: return {};
    }
    return {};
}

}  // namespace

void procurar(LancaAutoF& w) {
    const Searched s = searchedFor(w);
    if (!s.dataset || !s.dataset->active() || s.dataset->isEmpty()) throw host::Abort();
    const host::Field* column = s.grid && s.grid->dataset() == s.dataset ? s.grid->selectedField() : nullptr;
    kit::Procura(*s.dataset, &w, column ? column->name() : QString());
}

}  // namespace afdesk
