#pragma once
// The application-server module "cus.rdmCustProd": product costs. The import
// dialogs read from it the cost types they offer.
//
//   GetTipoCusto (host::names::custProd) -> packet (NRTIPOCUSTO integer,
//       NMTIPOCUSTO string 40), the cost types in the order they are offered
#include "platform/server/module_registry.h"

namespace platform::server::modules {

void registerCustProd(ModuleRegistry& registry);

}  // namespace platform::server::modules
