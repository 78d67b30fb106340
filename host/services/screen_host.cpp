#include "host/services/screen_host.h"

#include "host/data/errors.h"

namespace host {
namespace {

std::shared_ptr<ScreenHost>& installed() {
    static std::shared_ptr<ScreenHost> host;
    return host;
}

}  // namespace

ScreenHost& screenHost() {
    ScreenHost* host = installed().get();
    if (!host) throw DataError(QStringLiteral("Nenhuma janela do host instalada para mostrar a tela."));
    return *host;
}

void setScreenHost(std::shared_ptr<ScreenHost> host) { installed() = std::move(host); }

}  // namespace host
