#include "business_modules.h"

#include "alt_af/alt_af_module.h"
#include "common/authorisation.h"
#include "cust_prod/cust_prod_module.h"
#include "lanca_autof/lanca_autof_module.h"

namespace platform::server::modules {

void registerBusinessModules(ModuleRegistry& registry) {
    registry.setWriteAuthoriser(authoriseWrite);
    registerLancaAutoF(registry);
    registerCustProd(registry);
    registerAltAF(registry);
}

}  // namespace platform::server::modules
