// "Incluir" by tab: a new AF on "Filial Destino", "AF" and "Dados da AF"; the
// rows of the AF's own tables belong to the units that enter them.
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/af_edit_markers.h"
#include "afdesk/core/workspace/operation_tools.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_tabs.h"
#include "afdesk/core/workspace/workspace_toolbar.h"

#include "host/data/errors.h"

namespace afdesk {

namespace {

// The header emptied and a new one inserted; its state change moves to "Dados da AF".
void newHeader(LancaAutoF& w) {
    auto& ws = w.state();
    refuseWithPendingChanges(w);
    host::Dataset& header = ws.cdsAutoForne;
    if (!header.active()) header.createDataset();
    else if (header.state() == host::DatasetState::Browse) header.emptyDataset();
    ws.loadedFor.erase(&header);  // it shows no AF now
    if (header.state() != host::DatasetState::Browse) return;
    ws.flags.dadosAFPendingRefresh = false;
    const ScopedFlag suppressed(ws.flags.reloadSuppressed);
    header.insert();
}

}  // namespace

void refuseWithPendingChanges(LancaAutoF& w) {
    if (afHasPendingChanges(w)) throw host::UserError(msgLancaAutoF().Msg(QStringLiteral("AF_Pendente")));
}

void incluir(LancaAutoF& w) {
    auto& ws = w.state();
    ws.flags.itemEntryArray = QVariant();
    const WorkspaceTab tab = w.activeTab();
    const bool noBranches = !ws.cdsFilialDest.active() || ws.cdsFilialDest.isEmpty();
    if (noBranches && !w.isTabEnabled(WorkspaceTab::AF)) {
        w.setTabEnabled(WorkspaceTab::AF, true);
        syncTabMenu(w);
    }
    const Focus focus = focusOf(w, focusedControl(w));
    switch (tab) {
    case WorkspaceTab::FilialDest:
    case WorkspaceTab::AF:
    case WorkspaceTab::DadosAF:
        // Typed by hand, unless a purchase-request import fills it.
        if (tab != WorkspaceTab::DadosAF && !ws.flags.boImpSoli) ws.flags.boIncluiAF = true;
        try {
            newHeader(w);
        } catch (...) {
            ws.flags.boIncluiAF = false;
            throw;
        }
        return;
    case WorkspaceTab::FormaPgto:
        if (focus == Focus::TermsGrid) notAvailable(w, QStringLiteral("Incluir prazo de pagamento"));
        return;
    case WorkspaceTab::Mensagem: notAvailable(w, QStringLiteral("Incluir mensagem")); return;
    case WorkspaceTab::Produtos:
        if (focus == Focus::TaxGrid) return;
        notAvailable(w, focus == Focus::ProductGrid ? QStringLiteral("Incluir produto") : QStringLiteral("Incluir item"));
        return;
    case WorkspaceTab::Encargo:
    case WorkspaceTab::Justificativa: return;
    }
}

}  // namespace afdesk
