#pragma once
#include <QtCore/QLoggingCategory>

namespace platform::server {
Q_DECLARE_LOGGING_CATEGORY(serverLog)
}
