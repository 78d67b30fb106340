// "Procurar": the search dialog over the dataset the active tab shows.
#include "afdesk/core/workspace/lanca_autof.h"
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
    const Focus focus = focusOf(w, focusedControl(w));
    if (focus == Focus::TaxGrid) return {&w.cdsImpostoAF, w.dbgImposto};
    switch (w.activeTab()) {
    case WorkspaceTab::FilialDest: return {&w.cdsFilialDest, w.DBGrid1};
    case WorkspaceTab::AF: return {&w.cdsServAutoForne, w.dbgAutoForne};
    case WorkspaceTab::DadosAF: return {&w.cdsAutoForne, nullptr};
    case WorkspaceTab::Produtos:
        if (focus == Focus::ProductGrid) return {&w.cdsItemAutf_Produto, w.dbgProdutos};
        return {&w.cdsItemAutF, w.standardGrid()};
    case WorkspaceTab::Mensagem: return {&w.cdsMensagensAF, w.dbgMensagens};
    case WorkspaceTab::FormaPgto: return {&w.cdsPrazoPgtAF, w.dbgPrazoPgt};
    case WorkspaceTab::Encargo:
        if (focus == Focus::ChargeDateGrid) return {&w.cdsDataEncargo, w.dbgDataEncargo};
        return {&w.cdsEncargo, w.dbgEncargo};
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
