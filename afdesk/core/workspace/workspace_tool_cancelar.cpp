// "Cancelar": the edit of one of the AF's tables, or the whole AF being
// entered or altered, dropped after "Cancelar operação?".
#include "afdesk/core/workspace/af_edit_markers.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_tabs.h"

#include "host/services/dialog_service.h"
#include "host/services/messages.h"
#include "platform/kit/db_grid.h"

#include <QtGui/QAction>

namespace afdesk {

namespace {

bool hasRows(const host::Dataset& ds) { return ds.active() && !ds.isEmpty(); }

// The first of the AF's tables being edited loses its edit; false when none was.
bool cancelTableEdit(LancaAutoF& w) {
    for (kit::DataSource* source : w.partSources([](const AfPartDef& def) { return def.userTable; })) {
        if (source->editing()) {
            source->cancel();
            return true;
        }
    }
    return false;
}

// With no AF left in the list, the tab that can still be used comes forward and is closed to editing.
void showWhatIsLeft(LancaAutoF& w) {
    auto& ws = w.state();
    const bool rowsBesideTheNewOne = ws.cdsServAutoForne.state() == host::DatasetState::Insert
                                         ? ws.cdsServAutoForne.recordCount() > 1
                                         : hasRows(ws.cdsServAutoForne);
    if (rowsBesideTheNewOne) return;
    const WorkspaceTab tab = hasRows(ws.cdsFilialDest) ? WorkspaceTab::AF : WorkspaceTab::FilialDest;
    w.setTabEnabled(tab, true);
    w.selectTab(tab, true, false);
    w.setTabEnabled(tab, false);
    w.tabAction(tab)->setEnabled(false);
}

void abandonAf(LancaAutoF& w) {
    showWhatIsLeft(w);
    rollBackAf(w);
    w.updateTools();
    if (w.state().flags.branchAddedByParametros) {
        w.state().flags.branchAddedByParametros = false;
        w.selectTab(WorkspaceTab::FilialDest, true, false);
    }
}

}  // namespace

void rollBackAf(LancaAutoF& w) {
    auto& ws = w.state();
    {
        const ScopedFlag suppressed(ws.flags.reloadSuppressed);
        const ScopedFlag cancelling(ws.flags.boCancelaAF);
        const auto datasets = afEditDatasets(w);
        // The tables before the list: each cancel's own reactions still see the AF's row.
        for (auto it = datasets.rbegin(); it != datasets.rend(); ++it)
            if ((*it)->editing()) (*it)->cancel();
        for (host::Dataset* ds : datasets)
            if (ds->active()) ds->cancelUpdates();
        ws.flags.fechaAFTag = 0;
        ws.flags.boIncluiAF = false;  // the AF being entered is gone
    }
    // Back on the list, with the AF of its current row shown again.
    w.setTabEnabled(WorkspaceTab::AF, hasRows(ws.cdsFilialDest));
    if (!w.isActiveTab(WorkspaceTab::AF)) w.selectTab(WorkspaceTab::AF, true, false);
    else tabChanged(w, false);
    if (ws.dbgAutoForne->isVisible() && ws.dbgAutoForne->isEnabled()) ws.dbgAutoForne->setFocus(Qt::OtherFocusReason);
    if (!hasRows(ws.cdsServAutoForne)) w.tabAction(WorkspaceTab::AF)->setEnabled(false);
}

void cancelar(LancaAutoF& w) {
    auto& ws = w.state();
    const int answer = host::standardMessages().ShowMsg(QStringLiteral("Canc"), host::MessageKind::Confirmation,
                                                        host::QuestionButtons::YesNo);
    if (answer != host::kYes) return;
    if (ws.cdsMovOpAF.editing()) ws.dtsMovOpAF.cancel();
    if (!cancelTableEdit(w)) abandonAf(w);
    if (ws.cdsFilialDest.editing()) ws.dtsFilialDest.cancel();
}

}  // namespace afdesk
