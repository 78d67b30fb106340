// "Confirmar": the checks and posts that lead up to saving the AF. Saving on
// the server comes with later work: the AF then stays in the datasets, still
// being edited, so that nothing typed is lost and "Cancelar" can drop it.
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/workspace/workspace_state.h"
#include "afdesk/core/workspace/standard_tools.h"
#include "afdesk/core/workspace/workspace_messages.h"

#include "host/services/messages.h"
#include "platform/kit/grid_helpers.h"

namespace afdesk {

namespace {

// An AF the server already knows: its buyer's operator rights are checked again.
bool existingAf(const LancaAutoF& w) {
    const host::Dataset& header = w.state().cdsAutoForne;
    return header.active() && !header.isEmpty() && header.state() != host::DatasetState::Insert;
}

void postEditing(kit::DataSource& source) {
    if (source.editing()) source.post();
}

}  // namespace

void confirmar(LancaAutoF& w) {
    auto& ws = w.state();
    kit::flushFocusedEditor();
    if (existingAf(w)) ws.header->Vd_OperRelac();
    // The standard confirmation, then every part the AF's edit rolls back, in the parts' order.
    postEditing(ws.dtsPadrao);
    for (kit::DataSource* source : w.partSources([](const AfPartDef& def) {
             return def.rolledBack && def.part != AfPart::List;
         }))
        postEditing(*source);

    // Here the AF would be saved. Until then it stays open for editing.
    const host::Dataset& header = ws.cdsAutoForne;
    if (header.active() && !header.isEmpty() && header.state() == host::DatasetState::Browse) ws.dtsAutoForne.edit();
    msgLancaAutoF().ShowMsg(QStringLiteral("Gravar_NDisp"), host::MessageKind::Information);
    w.updateTools();
}

}  // namespace afdesk
