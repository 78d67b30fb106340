#include "afdesk/core/workspace/af_edit_markers.h"

namespace afdesk {

std::vector<host::Dataset*> afEditDatasets(LancaAutoF& w) {
    return w.partDatasets([](const AfPartDef& def) { return def.rolledBack; });
}

bool afHasPendingChanges(LancaAutoF& w) {
    for (host::Dataset* ds : afEditDatasets(w))
        if (ds->active() && (ds->changeCount() > 0 || ds->editing())) return true;
    return false;
}

}  // namespace afdesk
