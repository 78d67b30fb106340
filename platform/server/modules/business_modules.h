#pragma once
// Every business module the application server offers, registered in one
// place so the stand-alone server, the shell's embedded server and the
// benchmarks serve the same set.
#include "platform/server/module_registry.h"

namespace platform::server::modules {

void registerBusinessModules(ModuleRegistry& registry);

}  // namespace platform::server::modules
