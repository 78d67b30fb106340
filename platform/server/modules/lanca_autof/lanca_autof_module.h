#pragma once
// The application-server module "Cmp03900.rdmLancaAutoF": what the AF
// workspace reads at start-up, its filter and AF list, and the loads of one
// AF. Its loads answer data packets laid out as the workspace's datasets.
//
// Each method declares its arguments (names, kinds, by reference) and its
// result where it is registered (lanca_autof_methods.h lists the groups); the
// registry lists them all. Names: host::names::lancaAutoF.
#include "platform/server/module_registry.h"

namespace platform::server::modules {

void registerLancaAutoF(ModuleRegistry& registry);

}  // namespace platform::server::modules
