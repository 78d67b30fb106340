// A library that is not a deliverable: it exports no entry point, so the shell
// must refuse to open it with a message instead of crashing.
#include <QtCore/QtGlobal>

extern "C" Q_DECL_EXPORT int afshellNoEntryVersion() { return 1; }
