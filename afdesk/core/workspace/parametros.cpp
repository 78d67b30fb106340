#include "afdesk/core/workspace/parametros.h"

#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/server_calls.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_module.h"

#include "host/remote/remote_names.h"
#include "host/data/errors.h"
#include "host/services/progress.h"

namespace afdesk {

namespace {

// Copied from cdsAuxParCmp in this order (IDTPARQENVMA stays behind).
constexpr const char* kCopied[] = {"CDFILIAL",     "NMFILIAL",      "CDFILCENTCMP",   "IDULTIDTVALQ",    "IDVALDTAF",
                                   "IDBLOQUEAAF",  "IDMARSEMQUA",   "IDPROSEMMAR",    "IDPROSEMFOR",     "IDUTQTDEVOLU",
                                   "IDTIPEMITGER", "IDCARPRECLAF",  "IDBLOQFORNCOTAF", "IDVERPRODCMPFIL", "IDOBLIBAFMAN",
                                   "IDAUDALTAF",   "CDOPERADOR"};

class ParameterFlag {
public:
    ParameterFlag() { workspaceState().boParameter = true; }
    ~ParameterFlag() { workspaceState().boParameter = false; }
    ParameterFlag(const ParameterFlag&) = delete;
    ParameterFlag& operator=(const ParameterFlag&) = delete;
};

}  // namespace

void Parametros(LancaAutoF& w, const QString& branch) {
    auto& ws = w.state();
    host::Dataset& branches = ws.cdsFilialDest;
    if (branches.active() && branches.locate(QStringLiteral("CDFILIAL"), branch)) return;

    {
        // As every remote call, under the progress animation.
        const host::ProgressGuard busy(&w, host::kAviTransfer, msgLancaAutoF().Msg(QStringLiteral("Get_Dad")));
        loadFromServer(ws.cdsAuxParCmp, ws.netLancaAutoF, host::names::lancaAutoF::GetAuxCmpSup, {branch});
    }
    if (!ws.cdsAuxParCmp.active() || ws.cdsAuxParCmp.isEmpty())
        throw host::UserError(msgLancaAutoF().Msg(QStringLiteral("FilDest_NCad")));

    const ParameterFlag adding;
    if (!branches.active()) branches.createDataset();
    branches.insert();
    try {
        for (const char* name : kCopied) {
            const QString field = QString::fromLatin1(name);
            branches.field(field).setValue(ws.cdsAuxParCmp.field(field).value());
        }
        branches.post();
        ws.flags.branchAddedByParametros = true;  // "Cancelar" of the AF returns to "Filial Destino"
    } catch (...) {
        if (branches.editing()) branches.cancel();
        throw;
    }
}

}  // namespace afdesk
