#pragma once
// Applies a dataset's delta packet to one table, row by row in packet order,
// inside the caller's transaction (several deltas of one save share it).
//
// - Inserted rows: INSERT of the mapped non-null fields (null ones take the
//   column's default; generated columns are read back).
// - Modified rows: "update where changed": UPDATE ... SET the changed columns
//   WHERE the key equals the ORIGINAL key AND every changed column still holds
//   the value the client read (null-safe comparison). A row someone else changed
//   in one of those columns since it was read matches nothing. Key changes work:
//   the WHERE uses the original key.
// - Deleted rows: DELETE WHERE the key equals the original key; with
//   DeleteCheck::KeyAndColumns every mapped column must also still hold what
//   the client read.
//
// A row that matches nothing (or an insert whose key already exists) throws
// ResolveConflict, naming the table, the key and what differs now; the caller's
// transaction rolls back, so nothing of the save stays half-applied. Other
// database failures (a text longer than its column, a foreign key) throw
// afdb::DbError with the row's table and key in front of the driver's text and
// its code kept, so transact() still retries serialization failures.
#include "table_mapping.h"

#include "host/data/data_packet.h"
#include "host/data/value.h"

#include <QtSql/QSqlDatabase>

#include <vector>

namespace afresolver {

// The largest magnitude a written number may have: with 14 significant digits
// a double still keeps the five decimals the screens show exactly. Every
// number a delta writes is checked against it (and refused when infinite or
// NaN) with a host::UserError naming the column, before the row is written.
inline constexpr double kStoredNumberLimit = 999999999.99999;
bool isStorableNumber(double v);

enum class DeleteCheck {
    Key,            // the row goes if its key is still there
    KeyAndColumns,  // ... and only if none of its mapped columns changed since it was read
};

struct ResolveOptions {
    DeleteCheck deleteCheck = DeleteCheck::Key;
};

// A value the database generated for an inserted row, addressed by packet field.
struct GeneratedValue {
    int field = -1;  // index into the delta's fields
    host::Value value;
};

struct InsertedRow {
    int row = -1;  // index into the delta's rows
    std::vector<GeneratedValue> values;
};

// What a save answers so the client can merge its change log without reloading.
struct ResolveResult {
    int inserted = 0;
    int modified = 0;
    int deleted = 0;
    int skipped = 0;  // modified rows whose changes touch no column of the table (calculated, lookup fields)
    std::vector<InsertedRow> generated;  // inserted rows for which the database filled generated columns
};

// Requires an open afdb::transact() transaction on db. Throws ResolveConflict,
// afdb::DbError, or host::DataError for a delta or mapping that cannot be
// applied (a key column missing from the packet, a table that does not exist).
ResolveResult applyDelta(const QSqlDatabase& db, const host::Packet& delta, const TableMapping& mapping,
                         const ResolveOptions& options = {});

}  // namespace afresolver
