#include "alt_af_module.h"

#include "alt_af_methods.h"

#include "host/remote/remote_names.h"

namespace platform::server::modules {

void registerAltAF(ModuleRegistry& registry) {
    ServerModule& module = registry.add(host::names::altAF::module);
    altaf::addReadMethods(module);
    altaf::addSaveMethods(module);
}

}  // namespace platform::server::modules
