#pragma once
// A content fingerprint per table, the same for the same rows on SQLite and
// PostgreSQL: values are written in one canonical text form per column kind
// (numbers with every significant digit, dates as 'YYYY-MM-DD HH:MM:SS'), rows
// are sorted, and the whole is hashed with SHA-256. Used to check that the demo
// data is deterministic; it reads whole tables, so it is meant for small scales.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

#include <vector>

namespace afdemo {

struct TableDigest {
    QString table;
    qint64 rows = 0;
    QByteArray sha256;  // hex

    bool operator==(const TableDigest&) const = default;
};

// Every table of the schema, in schema order (the version table excluded: it
// records when the migrations ran).
std::vector<TableDigest> tableDigests(const QSqlDatabase& db);

}  // namespace afdemo
