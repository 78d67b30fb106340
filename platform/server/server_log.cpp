#include "server_log.h"

namespace platform::server {
Q_LOGGING_CATEGORY(serverLog, "af.server", QtInfoMsg)
}
