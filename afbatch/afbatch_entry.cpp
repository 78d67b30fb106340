#include "afbatch.h"

#include "alt_af_screen.h"

#include "platform/kit/guard.h"

#include "host/services/screen_host.h"

#include <QtGui/QGuiApplication>

namespace afbatch {

TfrmAltAF* criaAltAF() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TfrmAltAF* screen = nullptr;
    kit::guard(host::screenHost().mainWindow(), [&] {
        auto created = std::make_unique<TfrmAltAF>();
        created->setAttribute(Qt::WA_DeleteOnClose);
        host::screenHost().showScreen(created.get());
        screen = created.release();
        screen->repaint();
        screen->showNormal();
    });
    QGuiApplication::restoreOverrideCursor();
    return screen;
}

}  // namespace afbatch

void CriaAltAF() { afbatch::criaAltAF(); }

void IniProc() { CriaAltAF(); }
