#pragma once
// The message tables of the bulk alteration screen: its own texts (also the
// sixteen history texts sent to the server) and the standard table.
#include "host/services/messages.h"

namespace afbatch {

host::TMessages msgAltAF();
host::TMessages msgPadrao();

}  // namespace afbatch
