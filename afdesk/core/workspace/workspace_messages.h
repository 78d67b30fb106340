#pragma once
// The workspace's message table: the texts it shows by key.
#include "host/services/messages.h"

namespace afdesk {

const host::TMessages& msgLancaAutoF();

}  // namespace afdesk
