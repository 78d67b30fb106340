#pragma once
// The application-server module "Cmp03900.rdmLancaAutoF": what the AF
// workspace reads at start-up, its filter and AF list, and the loads of one
// AF. Every method answers a data packet laid out as the workspace's dataset.
//
// Argument order (text unless noted; "ref" = by reference):
//   GetParamFilial()
//   GetFilialDest(grouping, branchList ref, allBranches ref ("T"/""), buyers,
//   suppliers,
//                 afFrom date, afTo date, consistency, limit, situations ref,
//                 openFlag, deliveryFrom date, deliveryTo date, afDatesEmpty,
//                 deliveryDatesEmpty, central, branchMode boolean)
//   GetServAutoForne(destBranch, buyers, suppliers, afFrom date, afTo date,
//   consistency,
//                    limit, situations ref, openFlag, deliveryFrom date,
//                    deliveryTo date, afDatesEmpty, deliveryDatesEmpty,
//                    branchMode boolean)
//   GetAutoForne, GetItemAutF, GetItemAutf_Produto, GetImpostoAF, GetNFBaixa,
//   GetMensagensAF, GetPrazoPgtAF, GetDataEncargo, GetEncargo, GetMovOpAF
//                   (CDFILDEST, CDFILLANC, NRAUTOFORN)
//   GetParamGeral(central)  GetMudAutProd(branch)  GetAuxCmpSup(branch)
//   GetAgruFili()  GetFiliAgrupFili(grouping, central)  GetAprovSoliGer(branch)
#include "platform/server/module_registry.h"

namespace platform::server::modules {

inline constexpr char kLancaAutoFModule[] = "Cmp03900.rdmLancaAutoF";

void registerLancaAutoF(ModuleRegistry& registry);

}  // namespace platform::server::modules
