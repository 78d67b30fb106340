#pragma once
// Answers a SELECT as a data packet: each packet field takes the result column
// of its own name, so the statement's column list may be in any order but must
// name every field (a missing column is a programming error, not a null).
#include "platform/db/sql_exec.h"

#include "host/data/field_def.h"
#include "host/data/value.h"

#include <QtCore/QByteArray>
#include <functional>
#include <vector>

namespace platform::server::modules {

using Fields = std::vector<host::FieldDef>;
// Fills values the statement cannot give (server clock, joined texts); values
// come in field order.
using RowFinisher = std::function<void(std::vector<host::Value>& values)>;
// Names fields that are not read from the statement (the finisher fills them).
using Computed = std::vector<QString>;

QByteArray queryPacket(const QSqlDatabase& db, const Fields& fields, const QString& sql,
                       const afdb::Params& params = {}, const Computed& computed = {}, const RowFinisher& finish = {});

// A field's index by name; throws std::logic_error when absent.
int fieldIndex(const Fields& fields, const QString& name);

}  // namespace platform::server::modules
