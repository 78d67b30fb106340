#pragma once
// Writes buffered rows fast: one transaction per buffer, each statement prepared
// once and reused for every row of its table and every later buffer. On
// PostgreSQL each statement carries many rows (INSERT ... VALUES (...), (...)),
// which saves a round trip per row; values are always bound, never pasted.
#include "row_buffer.h"

#include "platform/db/database_config.h"

#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>

#include <map>
#include <memory>

namespace afdemo {

class BatchWriter {
public:
    BatchWriter(QSqlDatabase db, afdb::Engine engine);
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Inserts every row of the buffer in one transaction (tables in declaration
    // order). Throws afdb::DbError; nothing of the buffer stays then.
    void write(const RowBuffer& buffer);

    qint64 rowsWritten() const { return m_rowsWritten; }

private:
    void writeTable(const TableRows& rows);
    QSqlQuery& statement(const TableRows& rows, int rowCount);
    int rowsPerStatement(const TableRows& rows) const;

    QSqlDatabase m_db;
    afdb::Engine m_engine;
    std::map<QString, std::unique_ptr<QSqlQuery>> m_statements;  // by table and row count
    qint64 m_rowsWritten = 0;
};

}  // namespace afdemo
