#pragma once
// The packet layouts of "Cmp04000.rdmAltAF", as the bulk alteration screen's
// datasets declare them.
#include "platform/server/modules/common/fields.h"
#include "platform/server/modules/common/packet_layout.h"

#include <QtCore/QStringList>

namespace platform::server::modules::altaf {

Fields paraSupri();    // cdsParaSupri
Fields itemList();     // cdsAF
Fields resultErros();  // cdsResultErros

// cdsAF's fields and where GetAF reads them: ITEMAUTF I, AUTOFORNE A, PRODUTO P,
// FORNECEDOR F, MARCA M, FILIAL FL.
PacketLayout itemListLayout();

// The ITEMAUTF columns SetAF's delta carries: the item's key (the brand is
// part of it, so a new brand moves the item) and the quantity. Only these
// reach the table.
QStringList itemDeltaColumns();

// Codes of the check rows (DSERROS).
inline constexpr char kBrandNotRegistered[] = "1";
inline constexpr char kBrandNotQualified[] = "2";

}  // namespace platform::server::modules::altaf
