#include "alt_af_module.h"

#include "alt_af_methods.h"

namespace platform::server::modules {

void registerAltAF(ModuleRegistry& registry) {
    ServerModule& module = registry.add(QString::fromLatin1(kAltAFModule));
    altaf::addReadMethods(module);
    altaf::addSaveMethods(module);
}

}  // namespace platform::server::modules
