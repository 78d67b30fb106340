#include "batch_writer.h"

#include "platform/db/db_error.h"
#include "platform/db/sql_values.h"
#include "platform/db/transaction.h"

#include <QtSql/QSqlError>

#include <algorithm>

namespace afdemo {

namespace {

// PostgreSQL takes at most 65535 parameters per statement; beyond a few hundred
// rows a longer statement no longer saves time.
constexpr int kMaxParameters = 60000;
constexpr int kMaxRowsPerStatement = 500;

QString insertText(const TableRows& rows, int rowCount) {
    QStringList holders;
    holders.reserve(rows.columns.size());
    for (qsizetype i = 0; i < rows.columns.size(); ++i) holders << QStringLiteral("?");
    const QString tuple = QLatin1Char('(') + holders.join(QStringLiteral(", ")) + QLatin1Char(')');
    QStringList tuples;
    tuples.reserve(rowCount);
    for (int i = 0; i < rowCount; ++i) tuples << tuple;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(rows.table, rows.columns.join(QStringLiteral(", ")), tuples.join(QStringLiteral(", ")));
}

}  // namespace

BatchWriter::BatchWriter(QSqlDatabase db, afdb::Engine engine) : m_db(std::move(db)), m_engine(engine) {}

BatchWriter::~BatchWriter() = default;

void BatchWriter::write(const RowBuffer& buffer) {
    qint64 written = 0;
    afdb::transact(m_db, [&] {
        written = 0;  // PostgreSQL may run the body again after a serialization failure
        for (const TableRows& rows : buffer.tables()) {
            writeTable(rows);
            written += qint64(rows.rows.size());
        }
    });
    m_rowsWritten += written;
}

int BatchWriter::rowsPerStatement(const TableRows& rows) const {
    if (m_engine == afdb::Engine::SQLite) return 1;  // in-process: a reused one-row statement is as fast
    return std::max(1, std::min<int>(kMaxRowsPerStatement, kMaxParameters / int(rows.columns.size())));
}

QSqlQuery& BatchWriter::statement(const TableRows& rows, int rowCount) {
    const QString key = rows.table + QLatin1Char('/') + QString::number(rowCount);
    auto found = m_statements.find(key);
    if (found != m_statements.end()) return *found->second;
    auto query = std::make_unique<QSqlQuery>(m_db);
    const QString sql = insertText(rows, rowCount);
    if (!query->prepare(sql))
        throw afdb::DbError::fromSql(QStringLiteral("Erro ao preparar a gravação dos dados de demonstração"),
                                     query->lastError(), sql.left(400));
    return *m_statements.emplace(key, std::move(query)).first->second;
}

void BatchWriter::writeTable(const TableRows& rows) {
    const int total = int(rows.rows.size());
    const int perStatement = rowsPerStatement(rows);
    const int columns = int(rows.columns.size());
    for (int start = 0; start < total; start += perStatement) {
        const int count = std::min(perStatement, total - start);
        QSqlQuery& q = statement(rows, count);
        for (int r = 0; r < count; ++r) {
            const QVariantList& values = rows.rows[std::size_t(start + r)];
            for (int c = 0; c < columns; ++c) q.bindValue(r * columns + c, afdb::toSqlParam(values[c]));
        }
        if (!q.exec())
            throw afdb::DbError::fromSql(QStringLiteral("Erro ao gravar os dados de demonstração em %1").arg(rows.table),
                                         q.lastError(), q.lastQuery().left(400));
    }
}

}  // namespace afdemo
