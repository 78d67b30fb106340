#pragma once
// The packet layouts of "Cmp04000.rdmAltAF", as the bulk alteration screen's
// datasets declare them.
#include "packet_query.h"

namespace platform::server::modules::altaf {

Fields paraSupri();    // cdsParaSupri
Fields itemList();     // cdsAF
Fields resultErros();  // cdsResultErros

// Codes of the check rows (DSERROS).
inline constexpr char kBrandNotRegistered[] = "1";
inline constexpr char kBrandNotQualified[] = "2";

}  // namespace platform::server::modules::altaf
