#include "afdesk/core/workspace/workspace_tools.h"

#include "afdesk/core/filter/filtro_af.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/workspace_messages.h"
#include "afdesk/core/workspace/workspace_startup.h"

#include <QtGui/QAction>

namespace afdesk {

void runFilter(LancaAutoF& w) { runFilterFromEntry(w); }

bool runFilterFromEntry(LancaAutoF& w) {
    const bool confirmed = CriaFiltroAF(w.filterTargets(), &w);
    afterFilter(w, confirmed);
    return confirmed;
}

void importaSAC(LancaAutoF&) {
    msgLancaAutoF().ShowMsg(QStringLiteral("ImportaSAC_NDisp"), host::MessageKind::Information);
}

void mudancaAutomatica(LancaAutoF& w) {
    auto& ws = w.state();
    // The button shows the branch's setting until the switch itself is built.
    const host::Field* f = ws.cdsMudAutProd.active() && !ws.cdsMudAutProd.isEmpty()
                               ? ws.cdsMudAutProd.findField(QStringLiteral("IDTPLANCITAF"))
                               : nullptr;
    w.toolAction(WorkspaceTool::MudAutProd)->setChecked(f && f->asString().trimmed() == QLatin1String("1"));
    msgLancaAutoF().ShowMsg(QStringLiteral("MudAutProd_NDisp"), host::MessageKind::Information);
}

}  // namespace afdesk
