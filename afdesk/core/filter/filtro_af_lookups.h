#pragma once
// The filter dialog's lookups and its two grouping datasets.
#include "host/lookup/lookup_query.h"

#include <memory>

namespace host {
class Dataset;
}

namespace afdesk {

// Suppliers: "Tipo" and "Inscrição" shown as texts, "Código" hidden (the pick key).
std::unique_ptr<host::LookupQuery> makeQryPesqForn();
// Buyers; a null P_CDOPERADOR lists every buyer.
std::unique_ptr<host::LookupQuery> makeQryPesqComp();
// The purchasing central of P_CDFILIAL (the branch itself when it has none).
std::unique_ptr<host::LookupQuery> makeQryCentCmp();
// The branches of the central P_CDCENTCMP (P_TCDFILIAL = "T": all of them).
std::unique_ptr<host::LookupQuery> makeQryFilial();

void defineGrupFili(host::Dataset& ds);       // cdsGrupFili, from GetAgruFili
void defineFiliAgrupFili(host::Dataset& ds);  // cdsFiliAgrupFili, from GetFiliAgrupFili

}  // namespace afdesk
