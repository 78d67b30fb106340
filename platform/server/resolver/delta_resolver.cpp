#include "delta_resolver.h"

#include "resolve_conflict.h"

#include "platform/db/db_error.h"
#include "platform/db/schema_catalog.h"
#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"
#include "platform/db/transaction.h"

#include "host/data/errors.h"
#include "host/data/text_format.h"

#include <QtCore/QSet>
#include <QtCore/QStringList>

#include <algorithm>
#include <cmath>

namespace afresolver {

bool isStorableNumber(double v) { return std::isfinite(v) && std::fabs(v) <= kStoredNumberLimit; }

namespace {

using host::PacketRow;
using host::RowState;
using host::Value;

QString param(QChar prefix, int n) { return QStringLiteral(":%1%2").arg(prefix).arg(n); }

bool isSqlNull(const Value& v) { return afdb::toSqlParam(v).isNull(); }

// Which column each packet field writes, checked against the table itself.
struct Target {
    std::vector<QString> columnOfField;  // empty: the field writes nothing
    std::vector<int> keyFields;          // packet field of each key column, in key order
};

Target resolveTarget(const QSqlDatabase& db, const host::Packet& delta, const TableMapping& mapping) {
    const QStringList tableColumns = afdb::columnNames(db, mapping.table());
    if (tableColumns.isEmpty())
        throw host::DataError(QStringLiteral("A tabela %1 não existe no banco de dados.").arg(mapping.table()));
    const QSet<QString> known(tableColumns.begin(), tableColumns.end());

    Target t;
    QHash<QString, int> fieldOfColumn;
    for (const host::FieldDef& f : delta.fields) {
        QString column = mapping.columnFor(f.name);
        if (!known.contains(column)) column.clear();
        if (!column.isEmpty() && fieldOfColumn.contains(column))
            throw host::DataError(QStringLiteral("Dois campos do pacote gravam a coluna %1 de %2.").arg(column, mapping.table()));
        if (!column.isEmpty()) fieldOfColumn.insert(column, int(t.columnOfField.size()));
        t.columnOfField.push_back(column);
    }
    for (const QString& key : mapping.keyColumns()) {
        if (!known.contains(key))
            throw host::DataError(QStringLiteral("A tabela %1 não tem a coluna-chave %2.").arg(mapping.table(), key));
        if (!fieldOfColumn.contains(key))
            throw host::DataError(QStringLiteral("O pacote gravado em %1 não traz a coluna-chave %2.").arg(mapping.table(), key));
        t.keyFields.push_back(fieldOfColumn.value(key));
    }
    return t;
}

class Resolver {
public:
    Resolver(const QSqlDatabase& db, const host::Packet& delta, const TableMapping& mapping, const ResolveOptions& options)
        : m_db(db),
          m_delta(delta),
          m_mapping(mapping),
          m_options(options),
          m_target(resolveTarget(db, delta, mapping)),
          m_notDistinct(db.driverName() == QLatin1String("QPSQL") ? QStringLiteral(" IS NOT DISTINCT FROM ")
                                                                     : QStringLiteral(" IS ")) {}

    ResolveResult run() {
        for (int i = 0; i < int(m_delta.rows.size()); ++i) {
            const PacketRow& row = m_delta.rows[size_t(i)];
            checkShape(row, i);
            checkNumbers(row, i);
            switch (row.state) {
            case RowState::Inserted: insertRow(row, i); break;
            case RowState::Modified: modifyRow(row, i); break;
            case RowState::Deleted: deleteRow(row, i); break;
            case RowState::Unchanged: break;
            }
        }
        return m_result;
    }

private:
    const QString& table() const { return m_mapping.table(); }
    const QString& columnOf(int field) const { return m_target.columnOfField[size_t(field)]; }
    host::FieldType typeOf(int field) const { return m_delta.fields[size_t(field)].type; }

    void checkShape(const PacketRow& row, int i) const {
        const size_t n = m_delta.fields.size();
        const bool needsValues = row.state == RowState::Inserted || row.state == RowState::Modified;
        const bool needsOriginal = row.state == RowState::Modified || row.state == RowState::Deleted;
        bool ok = (!needsValues || row.values.size() == n) && (!needsOriginal || row.original.size() == n);
        for (int c : row.changed) ok = ok && c >= 0 && size_t(c) < n;
        if (!ok)
            throw host::DataError(QStringLiteral("A linha %1 do pacote gravado em %2 não tem um valor por campo.").arg(i + 1).arg(table()));
    }

    // Every number a row writes is one the column can keep and the screens can
    // show and sum: finite and within kStoredNumberLimit. Refused before anything is written.
    void checkNumbers(const PacketRow& row, int i) const {
        auto check = [&](int f) {
            const double* d = std::get_if<double>(&row.values[size_t(f)]);
            if (!d || columnOf(f).isEmpty() || isStorableNumber(*d)) return;
            throw host::UserError(QStringLiteral("Valor inválido em %1 (linha %2 de %3): %4. Os números gravados devem "
                                                 "estar entre -%5 e %5.")
                                      .arg(columnOf(f))
                                      .arg(i + 1)
                                      .arg(table(), host::defaultFloatText(*d), host::defaultFloatText(kStoredNumberLimit)));
        };
        if (row.state == RowState::Inserted)
            for (int f = 0; f < int(row.values.size()); ++f) check(f);
        if (row.state == RowState::Modified)
            for (int f : row.changed) check(f);
    }

    QString keyText(const std::vector<Value>& values) const {
        QStringList parts;
        for (int f : m_target.keyFields)
            parts << QStringLiteral("%1 = %2").arg(columnOf(f), conflictValueText(values[size_t(f)], false));
        return parts.join(QStringLiteral(", "));
    }

    // "K1 = :K0 AND K2 = :K1": keys are NOT NULL, and '=' keeps PostgreSQL on the index.
    QString keyCondition(const std::vector<Value>& original, afdb::Params& params, int row) const {
        QStringList conds;
        for (size_t k = 0; k < m_target.keyFields.size(); ++k) {
            const int f = m_target.keyFields[k];
            if (isSqlNull(original[size_t(f)]))
                throw host::DataError(QStringLiteral("A linha %1 do pacote gravado em %2 não traz o valor da chave %3.")
                                          .arg(row + 1).arg(table(), columnOf(f)));
            conds << columnOf(f) + QStringLiteral(" = ") + param(u'K', int(k));
            params.push_back({param(u'K', int(k)), afdb::toSqlParam(original[size_t(f)])});
        }
        return conds.join(QStringLiteral(" AND "));
    }

    // "C = :O0" that also holds when both are null.
    QString unchangedCondition(int field, const Value& original, int n, afdb::Params& params) const {
        params.push_back({param(u'O', n), afdb::toSqlParam(original)});
        return columnOf(field) + m_notDistinct + param(u'O', n);
    }

    [[noreturn]] void dbFailure(const afdb::DbError& e, const char* verb, const QString& key) const {
        throw afdb::DbError(QStringLiteral("Não foi possível %1 a linha de %2 (%3): %4")
                                .arg(QLatin1String(verb), table(), key, e.message()),
                            e.statement(), e.code(), e.driverText());
    }

    void insertRow(const PacketRow& row, int i) {
        QStringList columns, placeholders, returning;
        std::vector<int> returnedFields;
        afdb::Params params;
        for (int f = 0; f < int(row.values.size()); ++f) {
            if (columnOf(f).isEmpty()) continue;
            if (isSqlNull(row.values[size_t(f)])) {
                if (m_mapping.isGenerated(columnOf(f))) {
                    returning << columnOf(f);
                    returnedFields.push_back(f);
                }
                continue;
            }
            columns << columnOf(f);
            placeholders << param(u'V', int(params.size()));
            params.push_back({placeholders.last(), afdb::toSqlParam(row.values[size_t(f)])});
        }
        QString sql = columns.isEmpty()
                          ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table())
                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(table(), columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
        if (!returning.isEmpty()) sql += QStringLiteral(" RETURNING ") + returning.join(QStringLiteral(", "));
        try {
            QSqlQuery q = afdb::exec(m_db, sql, params);
            if (!returnedFields.empty()) readGenerated(q, returnedFields, i);
        } catch (const afdb::DbError& e) {
            if (e.isUniqueViolation()) throw ResolveConflict(ConflictKind::AlreadyExists, table(), keyText(row.values), i + 1);
            dbFailure(e, "incluir", keyText(row.values));
        }
        ++m_result.inserted;
    }

    void readGenerated(QSqlQuery& q, const std::vector<int>& fields, int row) {
        if (!q.next()) return;
        InsertedRow answer{row, {}};
        for (int j = 0; j < int(fields.size()); ++j)
            answer.values.push_back({fields[size_t(j)], afdb::fromSql(q.value(j), typeOf(fields[size_t(j)]))});
        q.finish();
        m_result.generated.push_back(std::move(answer));
    }

    void modifyRow(const PacketRow& row, int i) {
        std::vector<int> fields;
        for (int f : row.changed)
            if (!columnOf(f).isEmpty() && std::find(fields.begin(), fields.end(), f) == fields.end()) fields.push_back(f);
        if (fields.empty()) {
            ++m_result.skipped;
            return;
        }
        afdb::Params params;
        QStringList sets, checks;
        for (int n = 0; n < int(fields.size()); ++n) {
            const int f = fields[size_t(n)];
            sets << columnOf(f) + QStringLiteral(" = ") + param(u'S', n);
            params.push_back({param(u'S', n), afdb::toSqlParam(row.values[size_t(f)])});
            checks << unchangedCondition(f, row.original[size_t(f)], n, params);
        }
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 AND %4")
                                .arg(table(), sets.join(QStringLiteral(", ")), keyCondition(row.original, params, i),
                                     checks.join(QStringLiteral(" AND ")));
        int affected = 0;
        try {
            affected = afdb::execAffected(m_db, sql, params);
        } catch (const afdb::DbError& e) {
            // Only a changed key can collide with another row.
            if (e.isUniqueViolation()) throw ResolveConflict(ConflictKind::AlreadyExists, table(), keyText(row.values), i + 1);
            dbFailure(e, "alterar", keyText(row.original));
        }
        checkAffected(affected, row, fields, i);
        ++m_result.modified;
    }

    void deleteRow(const PacketRow& row, int i) {
        afdb::Params params;
        QString sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(table(), keyCondition(row.original, params, i));
        std::vector<int> fields;
        if (m_options.deleteCheck == DeleteCheck::KeyAndColumns) {
            for (int f = 0; f < int(row.original.size()); ++f) {
                if (columnOf(f).isEmpty() || m_mapping.isKey(columnOf(f))) continue;
                sql += QStringLiteral(" AND ") + unchangedCondition(f, row.original[size_t(f)], int(fields.size()), params);
                fields.push_back(f);
            }
        }
        int affected = 0;
        try {
            affected = afdb::execAffected(m_db, sql, params);
        } catch (const afdb::DbError& e) {
            dbFailure(e, "excluir", keyText(row.original));
        }
        checkAffected(affected, row, fields, i);
        ++m_result.deleted;
    }

    void checkAffected(int affected, const PacketRow& row, const std::vector<int>& compared, int i) const {
        if (affected == 1) return;
        if (affected == 0) throw conflict(row, compared, i);
        // The mapping's key does not identify one row: the statement must not stand.
        throw host::DataError(QStringLiteral("As colunas-chave de %1 (%2) não identificam uma única linha: %3 linhas seriam gravadas.")
                                  .arg(table(), m_mapping.keyColumns().join(QStringLiteral(", ")))
                                  .arg(affected));
    }

    // Reads the row as it is now to say what changed since the client read it.
    ResolveConflict conflict(const PacketRow& row, const std::vector<int>& compared, int i) const {
        QStringList columns;
        for (int f : compared) columns << columnOf(f);
        if (columns.isEmpty()) columns << columnOf(m_target.keyFields.front());
        afdb::Params params;
        const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                .arg(columns.join(QStringLiteral(", ")), table(), keyCondition(row.original, params, i));
        QSqlQuery q = afdb::exec(m_db, sql, params);
        const QString key = keyText(row.original);
        if (!q.next()) return ResolveConflict(ConflictKind::Vanished, table(), key, i + 1);
        std::vector<ColumnDifference> differences;
        for (int j = 0; j < int(compared.size()); ++j) {
            const int f = compared[size_t(j)];
            // The original as the database would hold it (empty text is null, dates to the second).
            const Value read = afdb::fromSql(afdb::toSqlParam(row.original[size_t(f)]), typeOf(f));
            const Value current = afdb::fromSql(q.value(j), typeOf(f));
            if (host::compareValues(read, current) != 0) differences.push_back({columnOf(f), read, current});
        }
        return ResolveConflict(ConflictKind::Changed, table(), key, i + 1, std::move(differences));
    }

    const QSqlDatabase& m_db;
    const host::Packet& m_delta;
    const TableMapping& m_mapping;
    const ResolveOptions& m_options;
    Target m_target;
    QString m_notDistinct;
    ResolveResult m_result;
};

}  // namespace

ResolveResult applyDelta(const QSqlDatabase& db, const host::Packet& delta, const TableMapping& mapping,
                         const ResolveOptions& options) {
    if (!afdb::inTransaction(db))
        throw host::DataError(QStringLiteral("A gravação em %1 precisa de uma transação aberta.").arg(mapping.table()));
    if (delta.kind != host::PacketKind::Delta)
        throw host::DataError(QStringLiteral("O pacote gravado em %1 não é um pacote de alterações.").arg(mapping.table()));
    return Resolver(db, delta, mapping, options).run();
}

}  // namespace afresolver
