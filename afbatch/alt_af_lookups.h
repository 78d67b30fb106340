#pragma once
// The lookups of the bulk alteration screen, each with the text the screens
// were written with (default and Oracle) and the texts of the engines this
// platform runs.
#include "host/lookup/lookup_query.h"

namespace afbatch {

struct AltAfLookups {
    AltAfLookups();

    host::LookupQuery qryCentCmp{QStringLiteral("qryCentCmp")};  // purchasing branch of a branch
    host::LookupQuery qryFilial{QStringLiteral("qryFilial")};
    host::LookupQuery qrySubGrupo{QStringLiteral("qrySubGrupo")};
    host::LookupQuery qryMarca{QStringLiteral("qryMarca")};
    host::LookupQuery qryPesqMarcTodas{QStringLiteral("qryPesqMarcTodas")};
};

}  // namespace afbatch
