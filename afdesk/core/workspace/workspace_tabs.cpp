#include "afdesk/core/workspace/workspace_tabs.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/lanca_autof.h"
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
    const QString dest = textOf(w.cdsServAutoForne, "CDFILDEST");
    return dest.isEmpty() ? w.listReadFor : dest;
}

}  // namespace

void enableTabs(LancaAutoF& w) {
    const bool confirmed = filterState().boModalResult;
    const bool branches = confirmed && w.cdsFilialDest.active() && !w.cdsFilialDest.isEmpty();
    for (int i = 0; i < kWorkspaceTabCount; ++i) {
        const auto tab = WorkspaceTab(i);
        const bool listTab = tab == WorkspaceTab::FilialDest || tab == WorkspaceTab::AF;
        w.setTabEnabled(tab, listTab ? branches : confirmed);
    }
    w.pgcProdutos->setTabEnabled(int(ProdutosTab::Imposto), confirmed);
    syncTabMenu(w);
}

void syncTabMenu(LancaAutoF& w) {
    for (int i = 0; i < kWorkspaceTabCount; ++i) {
        const auto tab = WorkspaceTab(i);
        QAction* a = w.tabAction(tab);
        a->setEnabled(w.isTabEnabled(tab));
        a->setVisible(w.isTabVisible(tab));
        a->setChecked(w.activeTab() == tab);
    }
    const bool produtos = w.isTabEnabled(WorkspaceTab::Produtos);
    for (int j = 0; j < 3; ++j) {
        QAction* a = w.innerTabActions[size_t(j)];
        a->setEnabled(produtos && w.pgcProdutos->isTabEnabled(j));
        a->setChecked(w.isActiveTab(WorkspaceTab::Produtos) && w.pgcProdutos->currentIndex() == j);
    }
}

void showJustificativa(LancaAutoF& w) {
    const bool audited = textOf(w.cdsFilialDest, "IDAUDALTAF") == QLatin1String("S");
    const int index = int(WorkspaceTab::Justificativa);
    if (!audited && w.activeTab() == WorkspaceTab::Justificativa) w.selectTab(WorkspaceTab::AF, false);
    w.pgcPadrao->setTabVisible(index, audited);
    w.tabAction(WorkspaceTab::Justificativa)->setVisible(audited);
}

void leaveTab(LancaAutoF& w, WorkspaceTab tab) {
    switch (tab) {
    case WorkspaceTab::DadosAF: post(w.dtsAutoForne); break;
    case WorkspaceTab::Produtos:
        post(w.dtsItemAutf_Produto);
        post(w.dtsPadrao);
        post(w.dtsImpostoAF);
        break;
    case WorkspaceTab::Mensagem: post(w.dtsMensagensAF); break;
    case WorkspaceTab::FormaPgto:
        post(w.dtsAutoForne);
        post(w.dtsPrazoPgtAF);
        break;
    case WorkspaceTab::Encargo: post(w.dtsEncargo); break;
    case WorkspaceTab::Justificativa:
        if (w.cdsMovOpAF.state() == host::DatasetState::Edit) w.dtsMovOpAF.post();
        break;
    case WorkspaceTab::FilialDest:
    case WorkspaceTab::AF: break;
    }
}

void refreshBranchState(LancaAutoF& w) {
    if (w.cdsParamFilial.active() && !w.cdsParamFilial.isEmpty()) {
        w.flags.showVolumeColumn = textOf(w.cdsParamFilial, "IDUTQTDEVOLU") == QLatin1String("S");
        openReadOnlyGroup(w);
        openDestNF(w);
    }
    w.flags.permissions = loadPermissions(w.queries, host::session().Operador());
    applyItemColumns(w);
}

void tabChanged(LancaAutoF& w, bool withSender) {
    const WorkspaceTab tab = w.activeTab();
    if (tab == WorkspaceTab::Produtos) focusIfPossible(w.dbgProdutos);
    if (withSender) {
        if (filtroAF() && w.cdsAutoForne.changeCount() == 0 && !w.cdsAutoForne.editing()) {
            const QString current = textOf(w.cdsFilialDest, "CDFILIAL");
            if (!current.isEmpty() && current != listBranch(w)) {
                reloadList(w);
                refreshBranchState(w);
            }
        }
        headerStateChanged(w);
    }
    if (tab == WorkspaceTab::DadosAF && w.flags.dadosAFPendingRefresh) {
        w.flags.dadosAFPendingRefresh = false;
        verificar(w);
    }
    GetData(w, false);
    settleTab(w, tab);
    syncTabMenu(w);
    // An expired AF's items are not deleted, whatever the focus.
    if (tab == WorkspaceTab::Produtos && textOf(w.cdsServAutoForne, "IDAFEXPIRADA") == QLatin1String("S"))
        w.setToolEnabled(kit::StandardGridScreen::Tool::Excluir, false);
}

void settleTab(LancaAutoF& w, WorkspaceTab tab) {
    switch (tab) {
    case WorkspaceTab::FormaPgto:
        // Terms exist only for a payment by form of payment.
        if (textOf(w.cdsAutoForne, "IDTPFORPGTAF") == QLatin1String("V") && focusIfPossible(w.dbgPrazoPgt))
            w.Habilita_Ferramentas(Source::Terms);
        else
            w.Habilita_Ferramentas(Source::Header);
        break;
    case WorkspaceTab::Mensagem:
        loadHeaderIfNeeded(w);
        focusIfPossible(w.dbgMensagens);
        w.Habilita_Ferramentas(Source::Messages);
        if (w.cdsMensagensAF.state() == host::DatasetState::Browse) {
            const int text = w.dbgMensagens->columnOf(QStringLiteral("DSMENSAF"));
            if (text >= 0) w.dbgMensagens->setCurrentColumn(text);
        }
        break;
    case WorkspaceTab::DadosAF: w.Habilita_Ferramentas(Source::Header); break;
    case WorkspaceTab::AF:
        focusIfPossible(w.dbgAutoForne);
        w.Habilita_Ferramentas(Source::List);
        break;
    case WorkspaceTab::Produtos:
        focusIfPossible(w.dbgProdutos);
        w.Habilita_Ferramentas(Source::ItemProducts);
        break;
    case WorkspaceTab::Justificativa: w.Habilita_Ferramentas(Source::Movements); break;
    case WorkspaceTab::Encargo: w.Habilita_Ferramentas(Source::Charges); break;
    case WorkspaceTab::FilialDest: w.Habilita_Ferramentas(Source::List); break;
    }
}

void innerTabMenuItem(LancaAutoF& w, ProdutosTab inner) {
    if (!w.isTabEnabled(WorkspaceTab::Produtos) || !w.pgcProdutos->isTabEnabled(int(inner))) return;
    if (!w.selectTab(WorkspaceTab::Produtos, false)) return;
    // The inner tab's own change handling runs with the bar's change (the taxes it shows).
    w.pgcProdutos->setCurrentIndex(int(inner));
    switch (inner) {
    case ProdutosTab::Imposto: focusIfPossible(w.dbgImposto); break;
    case ProdutosTab::EntregaBaixa:
        if (!focusBound(w.dtsPadrao, QStringLiteral("QTEFETENTRAF"), w.innerPage(inner))) focusIfPossible(w.dbgNFBaixa);
        break;
    case ProdutosTab::Observacao: focusIfPossible(w.dbmObservacao); break;
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
