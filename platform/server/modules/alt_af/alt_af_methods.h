#pragma once
// The method groups of "Cmp04000.rdmAltAF", one file each.
#include "platform/server/module_registry.h"

#include "host/data/data_packet.h"

namespace platform::server::modules::altaf {

void addReadMethods(ServerModule& module);  // GetParaSupri, GetAF, GetVerifica
void addSaveMethods(ServerModule& module);  // SetAF

// An item packet argument; throws host::UserError when it is missing or unreadable.
host::Packet decodeItems(const QByteArray& bytes);

}  // namespace platform::server::modules::altaf
