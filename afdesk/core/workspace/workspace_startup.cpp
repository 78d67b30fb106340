#include "afdesk/core/workspace/workspace_startup.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/model/af_datasets.h"
#include "afdesk/core/model/af_list_grid.h"
#include "afdesk/core/workspace/af_edit_markers.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/lanca_autof.h"
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
    for (host::RemoteConnection* c : {&w.netLancaAutoF, &w.netCompras}) {
        host::bindToServer(*c);
        c->open();
    }
}

void readParamGeral(LancaAutoF& w) {
    FiltroAF* filter = filtroAF();
    const QString central = filter ? filter->centralCode() : QString();
    const host::ProgressGuard busy(&w, host::kAviProcessing, msgLancaAutoF().Msg(QStringLiteral("Get_ParamGeral")));
    loadFromServer(w.cdsParamGeral, w.netLancaAutoF, host::names::lancaAutoF::GetParamGeral, {central});
}

void readMudAutProd(LancaAutoF& w) {
    const QString branch = host::session().FiliProc();
    if (textOf(w.cdsMudAutProd, "CDFILIAL") == branch.trimmed()) return;
    {
        const host::ProgressGuard busy(&w, host::kAviProcessing);
        loadFromServer(w.cdsMudAutProd, w.netLancaAutoF, host::names::lancaAutoF::GetMudAutProd, {branch});
    }
    w.toolAction(WorkspaceTool::MudAutProd)->setChecked(textOf(w.cdsMudAutProd, "IDTPLANCITAF") == QLatin1String("1"));
}

}  // namespace

void createWorkspace(LancaAutoF& w) {
    openConnections(w);
    w.update();
    WorkspaceModuleState& module = workspaceState();
    module.boTstEventForm = false;
    w.flags.firstActivation = true;
    const QString dateMask = host::DateMask();
    w.cdsServAutoForne.field(QStringLiteral("DTAUTOFORN")).setEditMask(dateMask);
    w.cdsAutoForne.field(QStringLiteral("DTAUTOFORN")).setEditMask(dateMask);
    w.flags.productPicture = host::session().DBPict(host::kPictProduto);
    w.flags.settlementMarker = 0;
    w.flags.boImpSoli = false;
    w.flags.boIncluiAF = false;
    w.lblEnviaAF->setVisible(false);
    w.cache.clear();
    w.flags.itemEntryArray = QVariant();
    w.flags.flagProdutos = QStringLiteral("N");
    w.flags.flagGravacao = QStringLiteral("N");
    w.selectTab(WorkspaceTab::FilialDest, false);
    w.cdsControleFilial.createDataset();
}

void onFirstActivation(LancaAutoF& w) {
    if (!w.flags.firstActivation) return;
    w.flags.firstActivation = false;
    kit::guard(&w, [&] { firstActivation(w); });
    if (w.flags.active) kit::guard(&w, [&] { everyActivation(w); });
}

void firstActivation(LancaAutoF& w) {
    w.flags.itemEntryTexts.clear();
    w.flags.itemEntryFlag = false;
    applyItemColumns(w);  // the product-code and delivery-date masks of the item datasets
    w.queries.qryParamGeral.open();

    const bool confirmed = CriaFiltroAF(w.filterTargets(), &w);
    if (confirmed) {
        w.listReadFor = textOf(w.cdsFilialDest, "CDFILIAL");
        branchRowChanged(w, true);
    }
    readParamGeral(w);
    enableTabs(w);
    if (confirmed) {
        w.flags.permissions = loadPermissions(w.queries, host::session().Operador());
        w.updateTools();
        if (!hasRows(w.cdsFilialDest) || !hasRows(w.cdsServAutoForne)) w.selectTab(WorkspaceTab::FilialDest, false);
        if (hasRows(w.cdsParamFilial)) {
            w.flags.showVolumeColumn = textOf(w.cdsParamFilial, "IDUTQTDEVOLU") == QLatin1String("S");
            openReadOnlyGroup(w);
        }
    }
    openFuncaoFili(w);
    if (hasRows(w.cdsParamFilial)) openDestNF(w);
    w.flags.showPriceListColumn = host::Geral::ModuloAtiv() == host::Geral::kModuloCompras;
    applyItemColumns(w);
    readMudAutProd(w);
    tabChanged(w, false);
}

void everyActivation(LancaAutoF& w) {
    if (!workspaceState().boTstEventForm) installMessageFilter(w);
    if (hasRows(w.cdsFilialDest)) showJustificativa(w);
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
    w.netLancaAutoF.close();
    w.netCompras.close();
}

void openReadOnlyGroup(LancaAutoF& w) {
    host::LookupQuery& q = w.queries.qryOperGrupOp;
    q.setParam(QStringLiteral("P_CDOPERADOR"), host::session().Operador());
    q.setParam(QStringLiteral("P_CDGRUPOPER"), textOf(w.cdsParamFilial, "CDGRUPOPER"));
    q.open();
    w.flags.readOnlyGroup = !q.isEmpty();
}

void openDestNF(LancaAutoF& w) {
    host::LookupQuery& q = w.queries.qryDestNF;
    q.setParam(QStringLiteral("P_CDFILIAL"), textOf(w.cdsParamFilial, "CDFILIAL"));
    q.open();
}

void openFuncaoFili(LancaAutoF& w) {
    w.queries.qryFuncaoFili.open();
    w.flags.logisticBranches = !w.queries.qryFuncaoFili.isEmpty();
    applyAfListColumnFlags(*w.dbgAutoForne, {marketplaceEnabled(w.cdsParamGeral), w.flags.logisticBranches});
    applyItemColumns(w);
}

void afterFilter(LancaAutoF& w, bool confirmed) {
    if (confirmed) {
        w.listReadFor = textOf(w.cdsFilialDest, "CDFILIAL");
        branchRowChanged(w, true);
        w.lastListRow.clear();
        closeAfDatasets(w);
        w.cache.clear();
    }
    if (!hasRows(w.cdsFilialDest) || !hasRows(w.cdsServAutoForne)) w.selectTab(WorkspaceTab::FilialDest, false);
    enableTabs(w);
    w.updateTools();
    tabChanged(w, false);
}

}  // namespace afdesk
