#include "platform/shell/app_services.h"

#include "host/library/business_library.h"
#include "host/library/geral.h"
#include "host/services/progress.h"
#include "platform/library/af_business_library.h"
#include "platform/kit/qt_dialog_service.h"
#include "platform/kit/qt_progress.h"

namespace shell {

AppServices::AppServices(bool unattended) {
    if (unattended) {
        m_console = std::make_shared<ConsoleDialogs>();
        host::setDialogService(m_console);
    } else {
        host::setDialogService(std::make_shared<kit::QtDialogService>());
    }
    host::setProgressService(std::make_shared<kit::QtProgressService>());
    host::setBusinessLibrary(std::make_shared<platform::library::AfBusinessLibrary>());
    host::Geral::setModuloAtiv(host::Geral::kModuloCompras);  // the shell runs the purchasing screens
}

// The progress window is a Qt widget: it must go while Qt is still there.
AppServices::~AppServices() {
    host::setBusinessLibrary(nullptr);
    host::setProgressService(nullptr);
    host::setDialogService(nullptr);
}

}  // namespace shell
