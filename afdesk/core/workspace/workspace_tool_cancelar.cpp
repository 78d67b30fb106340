// "Cancelar": the edit of one of the AF's tables, or the whole AF being
// entered or altered, dropped after "Cancelar operação?".
#include "afdesk/core/workspace/af_edit_markers.h"
#include "afdesk/core/workspace/lanca_autof.h"
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
    const bool rowsBesideTheNewOne = w.cdsServAutoForne.state() == host::DatasetState::Insert
                                         ? w.cdsServAutoForne.recordCount() > 1
                                         : hasRows(w.cdsServAutoForne);
    if (rowsBesideTheNewOne) return;
    const WorkspaceTab tab = hasRows(w.cdsFilialDest) ? WorkspaceTab::AF : WorkspaceTab::FilialDest;
    w.setTabEnabled(tab, true);
    w.selectTab(tab, true, false);
    w.setTabEnabled(tab, false);
    w.tabAction(tab)->setEnabled(false);
}

void abandonAf(LancaAutoF& w) {
    showWhatIsLeft(w);
    rollBackAf(w);
    w.updateTools();
    if (w.flags.branchAddedByParametros) {
        w.flags.branchAddedByParametros = false;
        w.selectTab(WorkspaceTab::FilialDest, true, false);
    }
}

}  // namespace

void rollBackAf(LancaAutoF& w) {
    {
        const ScopedFlag suppressed(w.flags.reloadSuppressed);
        const ScopedFlag cancelling(w.flags.boCancelaAF);
        const auto datasets = afEditDatasets(w);
        // The tables before the list: each cancel's own reactions still see the AF's row.
        for (auto it = datasets.rbegin(); it != datasets.rend(); ++it)
            if ((*it)->editing()) (*it)->cancel();
        for (host::Dataset* ds : datasets)
            if (ds->active()) ds->cancelUpdates();
        w.flags.fechaAFTag = 0;
        w.flags.boIncluiAF = false;  // the AF being entered is gone
    }
    // Back on the list, with the AF of its current row shown again.
    w.setTabEnabled(WorkspaceTab::AF, hasRows(w.cdsFilialDest));
    if (!w.isActiveTab(WorkspaceTab::AF)) w.selectTab(WorkspaceTab::AF, true, false);
    else tabChanged(w, false);
    if (w.dbgAutoForne->isVisible() && w.dbgAutoForne->isEnabled()) w.dbgAutoForne->setFocus(Qt::OtherFocusReason);
    if (!hasRows(w.cdsServAutoForne)) w.tabAction(WorkspaceTab::AF)->setEnabled(false);
}

void cancelar(LancaAutoF& w) {
    const int answer = host::standardMessages().ShowMsg(QStringLiteral("Canc"), host::MessageKind::Confirmation,
                                                        host::QuestionButtons::YesNo);
    if (answer != host::kYes) return;
    if (w.cdsMovOpAF.editing()) w.dtsMovOpAF.cancel();
    if (!cancelTableEdit(w)) abandonAf(w);
    if (w.cdsFilialDest.editing()) w.dtsFilialDest.cancel();
}

}  // namespace afdesk
