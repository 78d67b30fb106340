#include "afdesk/core/workspace/workspace_startup.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/model/af_datasets.h"
#include "afdesk/core/model/af_list_grid.h"
#include "afdesk/core/workspace/af_edit_markers.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/list_reactions.h"
#include "afdesk/core/workspace/message_filter.h"
#include "afdesk/core/workspace/server_calls.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "afdesk/core/workspace/workspace_tabs.h"

#include "host/remote/remote_names.h"
#include "host/library/geral.h"
#include "host/remote/server_access.h"
#include "host/services/consiste.h"
#include "host/services/dialog_service.h"
#include "host/services/messages.h"
#include "host/services/progress.h"
#include "host/services/session.h"
#include "platform/kit/guard.h"

#include <QtGui/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QTabWidget>

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* field) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(field)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

bool hasRows(const host::Dataset& ds) { return ds.active() && !ds.isEmpty(); }

void openConnections(LancaAutoF& w) {
    const host::ProgressGuard busy(&w, host::kAviConnecting);
    for (host::RemoteConnection* c : {&w.state().netLancaAutoF, &w.state().netCompras}) {
        host::bindToServer(*c);
        c->open();
    }
}

void readParamGeral(LancaAutoF& w) {
    FiltroAF* filter = filtroAF();
    const QString central = filter ? filter->centralCode() : QString();
    const host::ProgressGuard busy(&w, host::kAviProcessing, msgLancaAutoF().Msg(QStringLiteral("Get_ParamGeral")));
    loadFromServer(w.state().cdsParamGeral, w.state().netLancaAutoF, host::names::lancaAutoF::GetParamGeral, {central});
}

void readMudAutProd(LancaAutoF& w) {
    auto& ws = w.state();
    const QString branch = host::session().FiliProc();
    if (textOf(ws.cdsMudAutProd, "CDFILIAL") == branch.trimmed()) return;
    {
        const host::ProgressGuard busy(&w, host::kAviProcessing);
        loadFromServer(ws.cdsMudAutProd, ws.netLancaAutoF, host::names::lancaAutoF::GetMudAutProd, {branch});
    }
    w.toolAction(WorkspaceTool::MudAutProd)->setChecked(textOf(ws.cdsMudAutProd, "IDTPLANCITAF") == QLatin1String("1"));
}

}  // namespace

void createWorkspace(LancaAutoF& w) {
    auto& ws = w.state();
    openConnections(w);
    w.update();
    WorkspaceModuleState& module = workspaceState();
    module.boTstEventForm = false;
    ws.flags.firstActivation = true;
    const QString dateMask = host::DateMask();
    ws.cdsServAutoForne.field(QStringLiteral("DTAUTOFORN")).setEditMask(dateMask);
    ws.cdsAutoForne.field(QStringLiteral("DTAUTOFORN")).setEditMask(dateMask);
    ws.flags.productPicture = host::session().DBPict(host::kPictProduto);
    ws.flags.settlementMarker = 0;
    ws.flags.boImpSoli = false;
    ws.flags.boIncluiAF = false;
    ws.lblEnviaAF->setVisible(false);
    ws.cache.clear();
    ws.flags.itemEntryArray = QVariant();
    ws.flags.flagProdutos = QStringLiteral("N");
    ws.flags.flagGravacao = QStringLiteral("N");
    w.selectTab(WorkspaceTab::FilialDest, false);
    ws.cdsControleFilial.createDataset();
}

void onFirstActivation(LancaAutoF& w) {
    auto& ws = w.state();
    if (!ws.flags.firstActivation) return;
    ws.flags.firstActivation = false;
    kit::guard(&w, [&] { firstActivation(w); });
    if (ws.flags.active) kit::guard(&w, [&] { everyActivation(w); });
}

void firstActivation(LancaAutoF& w) {
    auto& ws = w.state();
    ws.flags.itemEntryTexts.clear();
    ws.flags.itemEntryFlag = false;
    applyItemColumns(w);  // the product-code and delivery-date masks of the item datasets
    ws.queries.qryParamGeral.open();

    const bool confirmed = CriaFiltroAF(w.filterTargets(), &w);
    if (confirmed) {
        ws.listReadFor = textOf(ws.cdsFilialDest, "CDFILIAL");
        branchRowChanged(w, true);
    }
    readParamGeral(w);
    enableTabs(w);
    if (confirmed) {
        ws.flags.permissions = loadPermissions(ws.queries, host::session().Operador());
        w.updateTools();
        if (!hasRows(ws.cdsFilialDest) || !hasRows(ws.cdsServAutoForne)) w.selectTab(WorkspaceTab::FilialDest, false);
        if (hasRows(ws.cdsParamFilial)) {
            ws.flags.showVolumeColumn = textOf(ws.cdsParamFilial, "IDUTQTDEVOLU") == QLatin1String("S");
            openReadOnlyGroup(w);
        }
    }
    openFuncaoFili(w);
    if (hasRows(ws.cdsParamFilial)) openDestNF(w);
    ws.flags.showPriceListColumn = host::Geral::ModuloAtiv() == host::Geral::kModuloCompras;
    applyItemColumns(w);
    readMudAutProd(w);
    tabChanged(w, false);
}

void everyActivation(LancaAutoF& w) {
    if (!workspaceState().boTstEventForm) installMessageFilter(w);
    // Without branch rows no branch is audited: the tab is hidden too.
    showJustificativa(w);
}

void deactivation(LancaAutoF& w) { removeMessageFilter(w); }

bool mayClose(LancaAutoF& w) {
    if (!afHasPendingChanges(w)) return true;
    return host::standardMessages().ShowMsg(QStringLiteral("Canc"), host::MessageKind::Confirmation,
                                            host::QuestionButtons::YesNo) == host::kYes;
}

void closeWorkspace(LancaAutoF& w) {
    WorkspaceModuleState& module = workspaceState();
    if (filtroAF()) {
        destroyFiltroAF();
        removeMessageFilter(w);
    }
    module.boStCriado = false;
    removeMessageFilter(w);
    module.boTstEventForm = true;
    w.state().netLancaAutoF.close();
    w.state().netCompras.close();
}

void openReadOnlyGroup(LancaAutoF& w) {
    auto& ws = w.state();
    host::LookupQuery& q = ws.queries.qryOperGrupOp;
    q.setParam(QStringLiteral("P_CDOPERADOR"), host::session().Operador());
    q.setParam(QStringLiteral("P_CDGRUPOPER"), textOf(ws.cdsParamFilial, "CDGRUPOPER"));
    q.open();
    ws.flags.readOnlyGroup = !q.isEmpty();
}

void openDestNF(LancaAutoF& w) {
    host::LookupQuery& q = w.state().queries.qryDestNF;
    q.setParam(QStringLiteral("P_CDFILIAL"), textOf(w.state().cdsParamFilial, "CDFILIAL"));
    q.open();
}

void openFuncaoFili(LancaAutoF& w) {
    auto& ws = w.state();
    ws.queries.qryFuncaoFili.open();
    ws.flags.logisticBranches = !ws.queries.qryFuncaoFili.isEmpty();
    applyAfListColumnFlags(*ws.dbgAutoForne, {marketplaceEnabled(ws.cdsParamGeral), ws.flags.logisticBranches});
    applyItemColumns(w);
}

void afterFilter(LancaAutoF& w, bool confirmed) {
    auto& ws = w.state();
    if (confirmed) {
        ws.listReadFor = textOf(ws.cdsFilialDest, "CDFILIAL");
        branchRowChanged(w, true);
        ws.lastListRow.clear();
        closeAfDatasets(w);
        ws.cache.clear();
    }
    if (!hasRows(ws.cdsFilialDest) || !hasRows(ws.cdsServAutoForne)) w.selectTab(WorkspaceTab::FilialDest, false);
    enableTabs(w);
    w.updateTools();
    tabChanged(w, false);
}

}  // namespace afdesk
