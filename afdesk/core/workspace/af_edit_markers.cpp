#include "afdesk/core/workspace/af_edit_markers.h"

namespace afdesk {

std::array<host::Dataset*, 9> afEditDatasets(LancaAutoF& w) {
    return {&w.cdsServAutoForne, &w.cdsAutoForne, &w.cdsItemAutf_Produto, &w.cdsItemAutF, &w.cdsImpostoAF,
            &w.cdsMensagensAF,   &w.cdsPrazoPgtAF, &w.cdsDataEncargo,      &w.cdsEncargo};
}

bool afHasPendingChanges(LancaAutoF& w) {
    for (host::Dataset* ds : afEditDatasets(w))
        if (ds->active() && (ds->changeCount() > 0 || ds->editing())) return true;
    return w.cdsMovOpAF.active() && w.cdsMovOpAF.changeCount() > 0;
}

}  // namespace afdesk
