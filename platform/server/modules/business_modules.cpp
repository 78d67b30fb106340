#include "business_modules.h"

#include "cust_prod_module.h"
#include "lanca_autof_module.h"

namespace platform::server::modules {

void registerBusinessModules(ModuleRegistry& registry) {
    registerLancaAutoF(registry);
    registerCustProd(registry);
}

}  // namespace platform::server::modules
