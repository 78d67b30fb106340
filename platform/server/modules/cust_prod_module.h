#pragma once
// The application-server module "cus.rdmCustProd": product costs. The import
// dialogs read from it the cost types they offer.
//
//   GetTipoCusto() -> packet (NRTIPOCUSTO integer, NMTIPOCUSTO string 40),
//                     the cost types in the order they are offered
#include "platform/server/module_registry.h"

namespace platform::server::modules {

inline constexpr char kCustProdModule[] = "cus.rdmCustProd";
inline constexpr char kGetTipoCustoMethod[] = "GetTipoCusto";

void registerCustProd(ModuleRegistry& registry);

}  // namespace platform::server::modules
