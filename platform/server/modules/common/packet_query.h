#pragma once
// Answers a SELECT as a data packet: each packet field takes the result column
// of its own name, so the statement's column list may be in any order but must
// name every field (a missing column is a programming error, not a null).
#include "platform/db/sql_exec.h"
#include "platform/server/modules/common/fields.h"
#include "platform/server/modules/common/packet_layout.h"

#include "host/data/value.h"

#include <QtCore/QByteArray>
#include <functional>
#include <vector>

namespace platform::server::modules {

// Fills values the statement cannot give (server clock, joined texts); values
// come in field order.
using RowFinisher = std::function<void(std::vector<host::Value>& values)>;
// Names fields that are not read from the statement (the finisher fills them).
using Computed = std::vector<QString>;

QByteArray queryPacket(const QSqlDatabase& db, const Fields& fields, const QString& sql,
                       const afdb::Params& params = {}, const Computed& computed = {}, const RowFinisher& finish = {});

// The same for a layout's fields; its computed fields are the finisher's to fill.
QByteArray queryPacket(const QSqlDatabase& db, const PacketLayout& layout, const QString& sql,
                       const afdb::Params& params = {}, const RowFinisher& finish = {});

}  // namespace platform::server::modules
