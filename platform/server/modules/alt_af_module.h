#pragma once
// The application-server module "Cmp04000.rdmAltAF": the bulk alteration of
// AF items (brand and quantity of many items of open AFs at once).
//
// Argument order (text unless noted):
//   GetParaSupri(purchasingBranch)                     -> cdsParaSupri packet
//   GetAF(branch, group, subGroup, from date, to date, allDates ("T"/""))
//                                                      -> cdsAF packet
//   GetVerifica(cdsAF data packet with its pending changes)
//                                                      -> array [cdsResultErros packet, problems text]
//   SetAF(cdsAF delta packet, updateRequests boolean, 17 texts: "AF Manual",
//         operator, then the fifteen history texts of the screen) -> true
//
// SetAF writes only the brand and the quantity of modified items, in one
// transaction: each item must still hold what the client read (a concurrent
// change is a conflict that rolls everything back), must still be open and
// must pass the same checks GetVerifica makes.
#include "platform/server/module_registry.h"

namespace platform::server::modules {

inline constexpr char kAltAFModule[] = "Cmp04000.rdmAltAF";

void registerAltAF(ModuleRegistry& registry);

}  // namespace platform::server::modules
