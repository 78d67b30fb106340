#include "afdesk/core/workspace/list_reactions.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/model/af_key.h"
#include "afdesk/core/model/dataset_packets.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/server_calls.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "afdesk/core/workspace/workspace_tabs.h"
#include "afdesk/core/workspace/workspace_toolbar.h"
#include "afdesk/core/tools/state_changes.h"

#include "host/remote/remote_names.h"
#include "host/services/progress.h"
#include "platform/kit/db_grid.h"

#include <QtGui/QAction>
#include <QtWidgets/QTabWidget>

namespace afdesk {

namespace {

QString textOf(const host::Dataset& ds, const char* field) {
    const host::Field* f = ds.active() && !ds.isEmpty() ? ds.findField(QString::fromLatin1(field)) : nullptr;
    return f ? f->asString().trimmed() : QString();
}

// Reactions wait while a dataset is filled in bulk or the filter dialog fills the lists.
bool quiet(const host::Dataset& ds) { return ds.tag() == kBulkTag || filterState().boFilCriado; }

// The row by its place: a post that changes the row's values (a new AF
// receiving its key) is no move to another AF. A list read again starts over
// (the readers clear lastListRow).
QString rowIdentity(const host::Dataset& ds) {
    if (!ds.active() || ds.isEmpty()) return {};
    return QString::number(ds.bookmark());
}

void syncParamFilial(LancaAutoF& w, const QString& branch) {
    bool sac = false;
    host::Dataset& params = w.state().cdsParamFilial;
    if (params.active() && !branch.isEmpty() && params.locate(QStringLiteral("CDFILIAL"), branch))
        sac = textOf(params, "IDUTILIZAINTSAC") == QLatin1String("S");
    w.toolAction(WorkspaceTool::ImportaSAC)->setEnabled(sac);
}

}  // namespace

void branchRowChanged(LancaAutoF& w, bool force) {
    auto& ws = w.state();
    host::Dataset& branches = ws.cdsFilialDest;
    if (!force && (quiet(branches) || workspaceState().boParameter)) return;
    if (branches.state() != host::DatasetState::Browse) return;
    const QString row = branches.isEmpty() ? QString() : textOf(branches, "CDFILIAL") + QLatin1Char('#') +
                                                            QString::number(branches.bookmark());
    if (!force && row == ws.lastBranchRow) return;
    ws.lastBranchRow = row;

    const QString branch = textOf(branches, "CDFILIAL");
    syncParamFilial(w, branch);
    if (!branches.isEmpty()) showJustificativa(w);
    if (branch.isEmpty()) return;
    const host::ProgressGuard busy(&w, host::kAviProcessing);
    loadFromServer(ws.cdsAprovSoliGer, ws.netLancaAutoF, host::names::lancaAutoF::GetAprovSoliGer, {branch});
}

void afListRowChanged(LancaAutoF& w, bool force) {
    auto& ws = w.state();
    host::Dataset& list = ws.cdsServAutoForne;
    if (!force && quiet(list)) return;
    const QString row = rowIdentity(list);
    const bool browsed = list.state() == host::DatasetState::Browse;
    if (!browsed) {
        // The row being inserted or edited belongs to the AF being entered: nothing of it is closed.
        ws.cache.clear();
        ws.lastListRow = row;
        return;
    }
    if (!force && row == ws.lastListRow) return;
    ws.lastListRow = row;

    closeAfDatasets(w);
    if (!w.isActiveTab(WorkspaceTab::AF)) ws.cache.clear();
    if (ws.header) ws.header->syncCheckBoxes();
    if (!ws.flags.boIncluiAF && !ws.flags.boCancelaAF && !ws.flags.reloadSuppressed) GetData(w, false);
    const QString receipt = textOf(list, "IDBAIXAAF");
    ws.flags.receiptOpen = receipt.isEmpty() || receipt == QLatin1String("7");
    const bool termsFocused = focusOf(w, focusedControl(w)) == Focus::TermsGrid;
    if (w.isActiveTab(WorkspaceTab::AF) || w.isActiveTab(WorkspaceTab::DadosAF) ||
        (w.isActiveTab(WorkspaceTab::FormaPgto) && !termsFocused))
        w.updateTools();
    if (w.isActiveTab(WorkspaceTab::Mensagem)) {
        const int column = ws.dbgMensagens->columnOf(QStringLiteral("DSMENSAF"));
        if (column >= 0) ws.dbgMensagens->setCurrentColumn(column);
    }
}

void afListStateChanged(LancaAutoF& w) {
    const ListStateDecisions d = listStateChange(toolSnapshot(w, Source::List));
    // Free again, the two tabs still need branches to show.
    const bool branches = w.state().cdsFilialDest.active() && !w.state().cdsFilialDest.isEmpty();
    w.setTabEnabled(WorkspaceTab::AF, d.tabAF && branches);
    w.setTabEnabled(WorkspaceTab::FilialDest, d.tabFilialDest && branches);
    syncTabMenu(w);
    w.Habilita_Ferramentas(Source::List);
}

void bindListRowRules(LancaAutoF& w) {
    auto& ws = w.state();
    ws.cdsServAutoForne.afterPost.add([&w](host::Dataset&) {
        // The row is posted: so is every part of its AF still being edited.
        for (kit::DataSource* s : w.partSources([](const AfPartDef& def) { return def.part != AfPart::List; }))
            if (s->editing()) s->post();
        const bool branches = w.state().cdsFilialDest.active() && !w.state().cdsFilialDest.isEmpty();
        w.setTabEnabled(WorkspaceTab::AF, branches);
        w.setTabEnabled(WorkspaceTab::FilialDest, branches);
        syncTabMenu(w);
    });
    ws.cdsServAutoForne.beforeCancel.add([&w](host::Dataset& list) {
        if (list.state() != host::DatasetState::Insert) return;
        // The new AF's row goes: so do the tables entered with it.
        for (host::Dataset* ds : w.partDatasets([](const AfPartDef& def) { return def.newAfTable; })) ds->close();
    });
    ws.cdsServAutoForne.afterCancel.add([&w](host::Dataset&) {
        const bool branches = w.state().cdsFilialDest.active() && !w.state().cdsFilialDest.isEmpty();
        w.setTabEnabled(WorkspaceTab::AF, branches);
        w.setTabEnabled(WorkspaceTab::FilialDest, branches);
        syncTabMenu(w);
    });
}

void reloadList(LancaAutoF& w) {
    auto& ws = w.state();
    FiltroAF* filter = filtroAF();
    if (!filter) return;
    filter->sbtConfirmaClick(ConfirmOrigin::Reload);
    ws.listReadFor = textOf(ws.cdsFilialDest, "CDFILIAL");
    ws.lastListRow.clear();
    afListRowChanged(w, true);
}

}  // namespace afdesk
