#pragma once
// The AF's own tables as the server reads and writes them. Loads build their
// packets from these columns and saves their deltas, so each column's type
// and size is written here once (and checked against the migrated schema by
// the tests).
#include "platform/server/modules/common/table_descriptor.h"

namespace platform::server::modules::tables {

const TableDescriptor& autoForne();   // AUTOFORNE: the AF's header
const TableDescriptor& itemAutF();    // ITEMAUTF: its items
const TableDescriptor& impItmAF();    // IMPITMAF: the items' taxes
const TableDescriptor& prazoPgtAF();  // PRAZOPGTAF: its payment terms
const TableDescriptor& encargoAF();   // ENCARGOAF: its charges
const TableDescriptor& mensAutF();    // MENSAUTF: its messages
const TableDescriptor& movOpAF();     // MOVOPAF: the alteration log

// Every one of them, for whoever checks them all.
std::vector<const TableDescriptor*> all();

}  // namespace platform::server::modules::tables
