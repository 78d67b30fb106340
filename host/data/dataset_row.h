#pragma once
// Private row representation shared by the dataset's implementation files.
#include "dataset.h"

namespace host {

struct Dataset::Row {
    RowId id = 0;
    std::vector<Value> values;                   // one per field, calculated ones included
    std::unique_ptr<std::vector<Value>> original;  // as of the last merge: Modified and Deleted rows
    RowState state = RowState::Unchanged;
    qint64 changeSeq = 0;  // order of the row's first pending change, for the delta
};

// Equal as stored values (strings case-sensitively); null equals only null.
inline bool sameValue(const Value& a, const Value& b) { return a == b; }

}  // namespace host
