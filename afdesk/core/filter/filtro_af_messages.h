#pragma once
// The filter dialog's message table (msgFiltroAF).
#include "host/services/messages.h"

namespace afdesk {

host::TMessages filtroAFMessages();

}  // namespace afdesk
