#pragma once
// Shared between the statement runner, the transaction helper and the connection registry only.
#include <QtCore/QString>

namespace afdb::detail {

// Frees the failed statements kept for this connection until its rollback.
void releaseFailedQueries(const QString& connectionName);

// Frees the statements kept prepared for this connection (before it closes).
void releaseKeptQueries(const QString& connectionName);

}  // namespace afdb::detail
