#pragma once
// Shared between the statement runner and the transaction helper only.
#include <QtCore/QString>

namespace afdb::detail {

// Frees the failed statements kept for this connection until its rollback.
void releaseFailedQueries(const QString& connectionName);

}  // namespace afdb::detail
