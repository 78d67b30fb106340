#pragma once
// The application-server module "Cmp04000.rdmAltAF": the bulk alteration of
// AF items (brand and quantity of many items of open AFs at once).
//
// The methods (host::names::altAF) declare their arguments and results where
// they are registered (alt_af_read_methods.cpp, alt_af_save_methods.cpp):
//   GetParaSupri: the purchasing branch's supply parameters (cdsParaSupri)
//   GetAF: the open items of a branch, product group and delivery period (cdsAF)
//   GetVerifica: cdsAF with its pending changes -> [cdsResultErros, problems text]
//   SetAF: cdsAF's delta, whether to update purchase requests, the log's texts -> true
//
// SetAF writes only the brand and the quantity of modified items, in one
// transaction: each item must still hold what the client read (a concurrent
// change is a conflict that rolls everything back), must still be open and
// must pass the same checks GetVerifica makes.
#include "platform/server/module_registry.h"

namespace platform::server::modules {

void registerAltAF(ModuleRegistry& registry);

}  // namespace platform::server::modules
