#pragma once
// A packet's field list, as loads answer and saves receive it.
#include "host/data/field_def.h"

#include <QtCore/QString>
#include <vector>

namespace platform::server::modules {

using Fields = std::vector<host::FieldDef>;

// A field's index by name; throws std::logic_error when absent.
int fieldIndex(const Fields& fields, const QString& name);

}  // namespace platform::server::modules
