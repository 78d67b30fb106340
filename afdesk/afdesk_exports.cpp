// The entry points the shell resolves in libafdesk.so. No exception may cross
// into the shell: each runs inside the kit's exception boundary.
#include "afdesk/core/workspace/lanca_autof.h"
#include "afdesk/core/workspace/workspace_module.h"
#include "afdesk/core/workspace/workspace_tools.h"

#include "host/services/screen_host.h"
#include "platform/kit/guard.h"

#include <QtCore/QtGlobal>

namespace {

QWidget* shellWindow() {
    QWidget* main = nullptr;
    kit::guard(nullptr, [&] { main = host::screenHost().mainWindow(); });
    return main;
}

}  // namespace

extern "C" Q_DECL_EXPORT void CriaLancaAutoF() {
    kit::guard(shellWindow(), [] { afdesk::CriaLancaAutoF(); });
}

extern "C" Q_DECL_EXPORT void IniProc() { CriaLancaAutoF(); }

// The filter of the open workspace, as its "Filtrar" tool runs it; true when confirmed.
extern "C" Q_DECL_EXPORT bool CriaFiltroAF() {
    bool confirmed = false;
    kit::guard(shellWindow(), [&] {
        afdesk::LancaAutoF* w = afdesk::lancaAutoF();
        if (!w) afdesk::CriaLancaAutoF();
        else confirmed = afdesk::runFilterFromEntry(*w);
    });
    return confirmed;
}
