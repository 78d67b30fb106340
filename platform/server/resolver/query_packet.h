#pragma once
// A data packet read from a SELECT: what the server sends a client so it can
// edit the rows and send back their delta.
#include "host/data/data_packet.h"
#include "host/data/field_def.h"
#include "platform/db/sql_exec.h"

#include <QtSql/QSqlDatabase>

#include <vector>

namespace afresolver {

// Runs the statement and reads, for each field, the result column of the same
// name (case-insensitive) as a value of the field's type. A field the result
// does not have is refused (host::DataError); extra result columns are ignored.
host::Packet selectPacket(const QSqlDatabase& db, const QString& sql, const afdb::Params& params,
                          const std::vector<host::FieldDef>& fields);

}  // namespace afresolver
