#include "afdesk/core/workspace/workspace_tabs.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/list_reactions.h"
#include "afdesk/core/workspace/bound_controls.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/tool_reactions.h"
#include "afdesk/core/workspace/workspace_startup.h"

#include "host/services/session.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/db_memo.h"

#include <QtGui/QAction>
#include <QtWidgets/QTabWidget>

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* field) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(field)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

bool focusIfPossible(QWidget* control) {
    if (!control || !control->isEnabled() || !control->isVisible()) return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

void post(kit::DataSource& src) {
    if (src.editing()) src.post();
}

// The branch the list was read for: its rows' destination, else the branch current when it was read.
QString listBranch(const LancaAutoF& w) {
    const QString dest = textOf(w.state().cdsServAutoForne, "CDFILDEST");
    return dest.isEmpty() ? w.state().listReadFor : dest;
}

}  // namespace

void enableTabs(LancaAutoF& w) {
    auto& ws = w.state();
    const bool confirmed = filterState().boModalResult;
    const bool branches = confirmed && ws.cdsFilialDest.active() && !ws.cdsFilialDest.isEmpty();
    for (int i = 0; i < kWorkspaceTabCount; ++i) {
        const auto tab = WorkspaceTab(i);
        const bool listTab = tab == WorkspaceTab::FilialDest || tab == WorkspaceTab::AF;
        w.setTabEnabled(tab, listTab ? branches : confirmed);
    }
    ws.pgcProdutos->setTabEnabled(int(ProdutosTab::Imposto), confirmed);
    syncTabMenu(w);
}

void syncTabMenu(LancaAutoF& w) {
    auto& ws = w.state();
    for (int i = 0; i < kWorkspaceTabCount; ++i) {
        const auto tab = WorkspaceTab(i);
        QAction* a = w.tabAction(tab);
        a->setEnabled(w.isTabEnabled(tab));
        a->setVisible(w.isTabVisible(tab));
        a->setChecked(w.activeTab() == tab);
    }
    const bool produtos = w.isTabEnabled(WorkspaceTab::Produtos);
    for (int j = 0; j < 3; ++j) {
        QAction* a = ws.innerTabActions[size_t(j)];
        a->setEnabled(produtos && ws.pgcProdutos->isTabEnabled(j));
        a->setChecked(w.isActiveTab(WorkspaceTab::Produtos) && ws.pgcProdutos->currentIndex() == j);
    }
}

void showJustificativa(LancaAutoF& w) {
    const bool audited = textOf(w.state().cdsFilialDest, "IDAUDALTAF") == QLatin1String("S");
    const int index = int(WorkspaceTab::Justificativa);
    if (!audited && w.activeTab() == WorkspaceTab::Justificativa) w.selectTab(WorkspaceTab::AF, false);
    w.state().pgcPadrao->setTabVisible(index, audited);
    w.tabAction(WorkspaceTab::Justificativa)->setVisible(audited);
}

void leaveTab(LancaAutoF& w, WorkspaceTab tab) {
    auto& ws = w.state();
    switch (tab) {
    case WorkspaceTab::DadosAF: post(ws.dtsAutoForne); break;
    case WorkspaceTab::Produtos:
        post(ws.dtsItemAutf_Produto);
        post(ws.dtsPadrao);
        post(ws.dtsImpostoAF);
        break;
    case WorkspaceTab::Mensagem: post(ws.dtsMensagensAF); break;
    case WorkspaceTab::FormaPgto:
        post(ws.dtsAutoForne);
        post(ws.dtsPrazoPgtAF);
        break;
    case WorkspaceTab::Encargo: post(ws.dtsEncargo); break;
    case WorkspaceTab::Justificativa:
        if (ws.cdsMovOpAF.state() == host::DatasetState::Edit) ws.dtsMovOpAF.post();
        break;
    case WorkspaceTab::FilialDest:
    case WorkspaceTab::AF: break;
    }
}

void refreshBranchState(LancaAutoF& w) {
    auto& ws = w.state();
    if (ws.cdsParamFilial.active() && !ws.cdsParamFilial.isEmpty()) {
        ws.flags.showVolumeColumn = textOf(ws.cdsParamFilial, "IDUTQTDEVOLU") == QLatin1String("S");
        openReadOnlyGroup(w);
        openDestNF(w);
    }
    ws.flags.permissions = loadPermissions(ws.queries, host::session().Operador());
    applyItemColumns(w);
}

void tabChanged(LancaAutoF& w, bool withSender) {
    auto& ws = w.state();
    const WorkspaceTab tab = w.activeTab();
    if (tab == WorkspaceTab::Produtos) focusIfPossible(ws.dbgProdutos);
    if (withSender) {
        if (filtroAF() && ws.cdsAutoForne.changeCount() == 0 && !ws.cdsAutoForne.editing()) {
            const QString current = textOf(ws.cdsFilialDest, "CDFILIAL");
            if (!current.isEmpty() && current != listBranch(w)) {
                reloadList(w);
                refreshBranchState(w);
            }
        }
        headerStateChanged(w);
    }
    if (tab == WorkspaceTab::DadosAF && ws.flags.dadosAFPendingRefresh) {
        ws.flags.dadosAFPendingRefresh = false;
        verificar(w);
    }
    GetData(w, false);
    settleTab(w, tab);
    syncTabMenu(w);
    // An expired AF's items are not deleted, whatever the focus.
    if (tab == WorkspaceTab::Produtos && textOf(ws.cdsServAutoForne, "IDAFEXPIRADA") == QLatin1String("S"))
        w.setToolEnabled(kit::StandardGridScreen::Tool::Excluir, false);
}

void settleTab(LancaAutoF& w, WorkspaceTab tab) {
    auto& ws = w.state();
    switch (tab) {
    case WorkspaceTab::FormaPgto:
        // Terms exist only for a payment by form of payment.
        if (textOf(ws.cdsAutoForne, "IDTPFORPGTAF") == QLatin1String("V") && focusIfPossible(ws.dbgPrazoPgt))
            w.Habilita_Ferramentas(Source::Terms);
        else
            w.Habilita_Ferramentas(Source::Header);
        break;
    case WorkspaceTab::Mensagem:
        loadHeaderIfNeeded(w);
        focusIfPossible(ws.dbgMensagens);
        w.Habilita_Ferramentas(Source::Messages);
        if (ws.cdsMensagensAF.state() == host::DatasetState::Browse) {
            const int text = ws.dbgMensagens->columnOf(QStringLiteral("DSMENSAF"));
            if (text >= 0) ws.dbgMensagens->setCurrentColumn(text);
        }
        break;
    case WorkspaceTab::DadosAF: w.Habilita_Ferramentas(Source::Header); break;
    case WorkspaceTab::AF:
        focusIfPossible(ws.dbgAutoForne);
        w.Habilita_Ferramentas(Source::List);
        break;
    case WorkspaceTab::Produtos:
        focusIfPossible(ws.dbgProdutos);
        w.Habilita_Ferramentas(Source::ItemProducts);
        break;
    case WorkspaceTab::Justificativa: w.Habilita_Ferramentas(Source::Movements); break;
    case WorkspaceTab::Encargo: w.Habilita_Ferramentas(Source::Charges); break;
    case WorkspaceTab::FilialDest: w.Habilita_Ferramentas(Source::List); break;
    }
}

void innerTabMenuItem(LancaAutoF& w, ProdutosTab inner) {
    auto& ws = w.state();
    if (!w.isTabEnabled(WorkspaceTab::Produtos) || !ws.pgcProdutos->isTabEnabled(int(inner))) return;
    if (!w.selectTab(WorkspaceTab::Produtos, false)) return;
    // The inner tab's own change handling runs with the bar's change (the taxes it shows).
    ws.pgcProdutos->setCurrentIndex(int(inner));
    switch (inner) {
    case ProdutosTab::Imposto: focusIfPossible(ws.dbgImposto); break;
    case ProdutosTab::EntregaBaixa:
        if (!focusBound(ws.dtsPadrao, QStringLiteral("QTEFETENTRAF"), w.innerPage(inner))) focusIfPossible(ws.dbgNFBaixa);
        break;
    case ProdutosTab::Observacao: focusIfPossible(ws.dbmObservacao); break;
    }
    syncTabMenu(w);
    w.updateTools();
}

void tabMenuItem(LancaAutoF& w, WorkspaceTab tab) {
    if (!w.isTabEnabled(tab)) return;
    if (w.activeTab() == tab) {
        syncTabMenu(w);
        return;
    }
    w.selectTab(tab, true, false);
    syncTabMenu(w);
}

}  // namespace afdesk
