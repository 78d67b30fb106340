#include "afdesk/core/workspace/workspace_tabs.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/lanca_autof.h"
#include "afdesk/core/workspace/list_reactions.h"
#include "afdesk/core/workspace/workspace_startup.h"

#include "host/services/session.h"
#include "platform/kit/db_grid.h"
#include "platform/kit/record_navigator.h"

#include <QtWidgets/QTabWidget>

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* field) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(field)) : nullptr;
    return f ? f->asString().trimmed() : QString();
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
    if (tab == WorkspaceTab::Produtos && w.dbgProdutos->isEnabled() && w.dbgProdutos->isVisible())
        w.dbgProdutos->setFocus();
    if (withSender && filtroAF() && w.cdsAutoForne.changeCount() == 0 && !w.cdsAutoForne.editing()) {
        const QString current = textOf(w.cdsFilialDest, "CDFILIAL");
        if (!current.isEmpty() && current != listBranch(w)) {
            reloadList(w);
            refreshBranchState(w);
        }
    }
    GetData(w, false);

    if (tab == WorkspaceTab::FilialDest) w.navigator()->bind(&w.dtsFilialDest);
    else if (tab == WorkspaceTab::Produtos) w.navigator()->bind(&w.dtsPadrao);
    else w.navigator()->bind(&w.dtsServAutoForne);
    if (tab == WorkspaceTab::AF && w.dbgAutoForne->isVisible()) w.dbgAutoForne->setFocus();
    syncTabMenu(w);
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
