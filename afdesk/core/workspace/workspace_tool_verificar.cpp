// "Verificar": the data of the active tab read again from the server.
#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/workspace/af_loading.h"
#include "afdesk/core/workspace/lanca_autof.h"
#include "afdesk/core/workspace/list_reactions.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_startup.h"

#include "host/data/errors.h"

namespace afdesk {

void verificar(LancaAutoF& w) {
    switch (w.activeTab()) {
    case WorkspaceTab::FilialDest: {
        // A full confirmation with the criteria in the dialog, then what follows a filter run.
        FiltroAF* filter = filtroAF();
        if (!filter) throw host::Abort();
        refuseWithPendingChanges(w);
        filter->sbtConfirmaClick(ConfirmOrigin::User);
        afterFilter(w, true);
        return;
    }
    case WorkspaceTab::AF:
        refuseWithPendingChanges(w);
        reloadList(w);
        return;
    default:
        // Reading the AF again would throw away what was typed and not saved.
        refuseWithPendingChanges(w);
        GetData(w, true);
        w.updateTools();
        return;
    }
}

}  // namespace afdesk
