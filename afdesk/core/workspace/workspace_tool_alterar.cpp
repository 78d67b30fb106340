// "Alterar" by tab: the header on "AF", "Dados da AF" and the payment tab;
// the AF's own tables belong to the units that edit them.
#include "afdesk/core/workspace/bound_controls.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/operation_tools.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_toolbar.h"

#include "host/data/errors.h"

namespace afdesk {

namespace {

QString headerText(const LancaAutoF& w, const char* field) {
    auto& ws = w.state();
    const host::Field* f = ws.cdsAutoForne.active() && !ws.cdsAutoForne.isEmpty()
                               ? ws.cdsAutoForne.findField(QString::fromLatin1(field))
                               : nullptr;
    return f ? f->asString().trimmed() : QString();
}

// The payment tab starts where its kind of payment is entered.
void focusPaymentKind(LancaAutoF& w) {
    const QWidget* page = w.tabPage(WorkspaceTab::FormaPgto);
    const QString kind = headerText(w, "IDTPFORPGTAF");
    const char* field = kind == QLatin1String("F")   ? "NRDIAPGFIXAF"
                        : kind == QLatin1String("V") ? "CDFORMPGTO"
                                                     : "IDTPFORPGTAF";
    focusBound(w.state().dtsAutoForne, QString::fromLatin1(field), page);
}

void editHeader(LancaAutoF& w, WorkspaceTab tab) {
    auto& ws = w.state();
    host::Dataset& header = ws.cdsAutoForne;
    if (tab == WorkspaceTab::AF) {
        w.setTabEnabled(WorkspaceTab::DadosAF, true);
        if (!w.selectTab(WorkspaceTab::DadosAF, true, false)) throw host::Abort();
    }
    if (!header.active() || header.isEmpty()) throw host::Abort();  // no AF shown
    ws.dtsAutoForne.edit();
    if (tab == WorkspaceTab::FormaPgto) focusPaymentKind(w);
    else focusBound(ws.dtsAutoForne, QStringLiteral("CDTIPCOB"), w.tabPage(WorkspaceTab::DadosAF));
}

}  // namespace

void alterar(LancaAutoF& w) {
    const WorkspaceTab tab = w.activeTab();
    const Focus focus = focusOf(w, focusedControl(w));
    if (tab == WorkspaceTab::Produtos && focus == Focus::TaxGrid) {
        notAvailable(w, QStringLiteral("Alterar imposto"));
        return;
    }
    switch (tab) {
    case WorkspaceTab::AF:
    case WorkspaceTab::DadosAF: editHeader(w, tab); return;
    case WorkspaceTab::FormaPgto:
        if (focus == Focus::TermsGrid) notAvailable(w, QStringLiteral("Alterar prazo de pagamento"));
        else editHeader(w, tab);
        return;
    case WorkspaceTab::Mensagem: notAvailable(w, QStringLiteral("Alterar mensagem")); return;
    case WorkspaceTab::Encargo: notAvailable(w, QStringLiteral("Alterar encargo")); return;
    case WorkspaceTab::Produtos:
        if (focus != Focus::ProductGrid) notAvailable(w, QStringLiteral("Alterar item"));
        return;
    case WorkspaceTab::Justificativa: notAvailable(w, QStringLiteral("Alterar justificativa")); return;
    case WorkspaceTab::FilialDest: return;
    }
}

}  // namespace afdesk
