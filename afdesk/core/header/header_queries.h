#pragma once
// The lookup queries of the header tab, each with its default text and the
// texts of the dialects that differ. The header entry owns one set.
#include "host/lookup/lookup_query.h"

namespace afdesk {

struct HeaderQueries {
    HeaderQueries();

    host::LookupQuery qryFilial{QStringLiteral("qryFilial")};              // branches of a purchasing central
    host::LookupQuery qryEmpresaDest{QStringLiteral("qryEmpresaDest")};    // company of the destination branch
    host::LookupQuery qryDestNF{QStringLiteral("qryDestNF")};              // the same, for the emitter combo
    host::LookupQuery qryPesqEmpresa{QStringLiteral("qryPesqEmpresa")};    // companies related to a branch
    host::LookupQuery qryFornecedor{QStringLiteral("qryFornecedor")};      // one supplier by inscription
    host::LookupQuery qryPesqForn{QStringLiteral("qryPesqForn")};          // every supplier
    host::LookupQuery qryQualifForn{QStringLiteral("qryQualifForn")};      // qualified or without qualification
    host::LookupQuery qryPesqComp{QStringLiteral("qryPesqComp")};          // buyers
    host::LookupQuery qryOperRelacAux{QStringLiteral("qryOperRelacAux")};  // operator's rights over a buyer
    host::LookupQuery qryOperadorLogado{QStringLiteral("qryOperadorLogado")};  // the operator is a buyer
    host::LookupQuery qryCompradorAF{QStringLiteral("qryCompradorAF")};        // the AF's buyer is a buyer
    host::LookupQuery qryPesqCobr{QStringLiteral("qryPesqCobr")};          // charge types
    host::LookupQuery qryTipoCtPagar{QStringLiteral("qryTipoCtPagar")};    // payable types
    host::LookupQuery qryPesqTransp{QStringLiteral("qryPesqTransp")};      // carriers of a branch
    host::LookupQuery qryPesqClienFilial{QStringLiteral("qryPesqClienFilial")};  // main customer of a branch
    host::LookupQuery qryFornec{QStringLiteral("qryFornec")};              // one delivery date per AF
};

}  // namespace afdesk
