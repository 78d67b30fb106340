#pragma once
// The lookup queries of the workspace's start-up and of product validation,
// with their default text and the texts of the dialects that differ.
#include "host/lookup/lookup_query.h"

namespace afdesk {

struct WorkspaceQueries {
    WorkspaceQueries();

    host::LookupQuery qryAutGrupOp{QStringLiteral("qryAutGrupOp")};    // ENAF, CAAF, ABAF of the operator
    host::LookupQuery qryAutGrupOp1{QStringLiteral("qryAutGrupOp1")};  // who holds one code
    host::LookupQuery qryOperGrupOp{QStringLiteral("qryOperGrupOp")};  // read-only group membership
    host::LookupQuery qryParamGeral{QStringLiteral("qryParamGeral")};
    host::LookupQuery qryFuncaoFili{QStringLiteral("qryFuncaoFili")};  // logistic-operator branches
    host::LookupQuery qryDestNF{QStringLiteral("qryDestNF")};          // company of the session branch
    host::LookupQuery qryProdCache{QStringLiteral("qryProdCache")};    // products active for the branch
    host::LookupQuery qrySemCache{QStringLiteral("qrySemCache")};      // every product
    host::LookupQuery qryVdProduto{QStringLiteral("qryVdProduto")};    // the one product validation runs
};

// `CacheProdFil`: points qryVdProduto at the product query the general
// parameters choose (IDCACHPRODFI = "S": qryProdCache, else qrySemCache),
// closing it first and opening qryParamGeral when it is closed.
void CacheProdFil(WorkspaceQueries& queries);

// True when the general parameters (qryParamGeral, open) choose the branch-aware product query.
bool usesProductCache(WorkspaceQueries& queries);

}  // namespace afdesk
