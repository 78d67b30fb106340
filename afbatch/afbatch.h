#pragma once
// The deliverable's entry points, as the shell calls them: `IniProc` opens the
// bulk alteration screen through `CriaAltAF`, a new screen on each call.
#include <QtCore/qglobal.h>

namespace afbatch {
class TfrmAltAF;

// Creates the screen and shows it as a child window of the shell; null when
// creation failed (the error was shown).
TfrmAltAF* criaAltAF();
}  // namespace afbatch

extern "C" {
Q_DECL_EXPORT void CriaAltAF();
Q_DECL_EXPORT void IniProc();
}
