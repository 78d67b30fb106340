#include "host/library/geral.h"

#include "host/data/errors.h"

#include <atomic>

namespace host::Geral {
namespace {

std::atomic<int>& active() {
    static std::atomic<int> module{kModuloCompras};
    return module;
}

}  // namespace

int ModuloAtiv() { return active().load(); }

void setModuloAtiv(int module) {
    if (module != kModuloCompras && module != kModuloSuprimentos)
        throw DataError(QStringLiteral("Módulo ativo desconhecido: %1 (esperado %2 ou %3).")
                            .arg(module)
                            .arg(kModuloCompras)
                            .arg(kModuloSuprimentos));
    active().store(module);
}

}  // namespace host::Geral
