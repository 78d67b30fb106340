#pragma once
// The services every screen needs from the moment the program starts, before
// and after the login: the dialogs and the progress animation. Qt's with a
// user at the screen; the console dialogs when the run is unattended.
// Installed for the object's life, which must end before the QApplication's.
#include "platform/shell/unattended.h"

#include <memory>

namespace shell {

class AppServices {
public:
    explicit AppServices(bool unattended);
    ~AppServices();
    AppServices(const AppServices&) = delete;
    AppServices& operator=(const AppServices&) = delete;

    // Null unless unattended.
    ConsoleDialogs* console() const { return m_console.get(); }

private:
    std::shared_ptr<ConsoleDialogs> m_console;
};

}  // namespace shell
