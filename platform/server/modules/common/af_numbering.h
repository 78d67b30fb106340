#pragma once
// Numbers for new AFs: one sequence per launching branch, kept in NUMAUTOFORN
// (the last number used). Taking a number happens inside the save's own
// transaction, so a save that rolls back gives its number back, and two saves
// of the same branch never get the same number: the counter row stays locked
// until the first commits (PostgreSQL's row lock; SQLite's write lock, taken
// at BEGIN IMMEDIATE).
#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

namespace platform::server::modules {

// The next AF number of the branch, as the ten-digit text NRAUTOFORN holds.
// Must run inside a transaction. A branch without a counter row starts after
// the highest number its AFs already carry. Throws host::UserError when the
// branch is empty.
QString nextAfNumber(const QSqlDatabase& db, const QString& launchingBranch);

}  // namespace platform::server::modules
