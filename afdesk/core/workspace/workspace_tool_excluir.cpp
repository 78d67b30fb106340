// "Excluir" by tab. Every deletion asks "Confirma exclusão?" first and acts
// only on Yes with its dataset browsed; the deletions themselves belong to the
// units of the AF's tables and to the AF's deletion on the server.
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/operation_tools.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_toolbar.h"

#include "host/data/errors.h"
#include "host/services/dialog_service.h"
#include "host/services/messages.h"

namespace afdesk {

namespace {

struct Deletion {
    host::Dataset* dataset = nullptr;
    const char* operation = nullptr;
};

Deletion deletionFor(LancaAutoF& w) {
    auto& ws = w.state();
    const Focus focus = focusOf(w, focusedControl(w));
    switch (w.activeTab()) {
    case WorkspaceTab::FormaPgto:
        if (focus == Focus::TermsGrid) return {&ws.cdsPrazoPgtAF, "Excluir prazo de pagamento"};
        return {};
    case WorkspaceTab::Mensagem: return {&ws.cdsMensagensAF, "Excluir mensagem"};
    case WorkspaceTab::AF:
    case WorkspaceTab::DadosAF: return {&ws.cdsServAutoForne, "Excluir AF"};
    case WorkspaceTab::Produtos:
        if (focus == Focus::TaxGrid) return {};
        if (focus == Focus::ProductGrid) return {&ws.cdsItemAutf_Produto, "Excluir produto"};
        return {&ws.cdsItemAutF, "Excluir item"};
    case WorkspaceTab::FilialDest:
    case WorkspaceTab::Encargo:
    case WorkspaceTab::Justificativa: return {};
    }
    return {};
}

}  // namespace

void excluir(LancaAutoF& w) {
    const Deletion d = deletionFor(w);
    if (!d.dataset || !d.dataset->active() || d.dataset->isEmpty()) throw host::Abort();
    const int answer = host::standardMessages().ShowMsg(QStringLiteral("Excl"), host::MessageKind::Confirmation,
                                                        host::QuestionButtons::YesNo);
    if (answer != host::kYes || d.dataset->state() != host::DatasetState::Browse) return;
    notAvailable(w, QString::fromUtf8(d.operation));
}

}  // namespace afdesk
