#pragma once
// A row of a save that cannot be applied because the database no longer holds
// what the client read: someone else changed or deleted it, or inserted the same
// key, in the meantime. The caller rolls back the whole save; the client keeps
// its change log and may reload and try again.
#include "host/data/errors.h"
#include "host/data/value.h"

#include <QtCore/QString>

#include <vector>

namespace afresolver {

// One column whose current value differs from the one the client read.
struct ColumnDifference {
    QString column;
    host::Value read;     // what the client read
    host::Value current;  // what the database holds now
};

enum class ConflictKind {
    Changed,        // the row exists but some columns differ from what was read
    Vanished,       // the row the client changed or deleted no longer exists
    AlreadyExists,  // an inserted row (or a changed key) collides with an existing row
};

class ResolveConflict : public host::UserError {
public:
    ResolveConflict(ConflictKind kind, QString table, QString keyText, int row,
                    std::vector<ColumnDifference> differences = {});

    ConflictKind kind() const noexcept { return m_kind; }
    const QString& table() const noexcept { return m_table; }
    const QString& keyText() const noexcept { return m_keyText; }  // "CDFILLANC = 0001, NRAUTOFORN = 0000000002"
    int row() const noexcept { return m_row; }                      // 1-based position in the delta
    const std::vector<ColumnDifference>& differences() const noexcept { return m_differences; }

private:
    ConflictKind m_kind;
    QString m_table;
    QString m_keyText;
    int m_row;
    std::vector<ColumnDifference> m_differences;
};

// A value as the conflict messages show it: numbers and dates in the user's
// format, texts in quotes (quoted = true), null as "vazio".
QString conflictValueText(const host::Value& v, bool quoted);

}  // namespace afresolver
