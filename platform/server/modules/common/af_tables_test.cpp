// The AF tables' descriptors say what the migrated database holds, on both
// engines: every column with its type and size, and the primary key. A
// descriptor out of step would load, or save, a column as the wrong type.
#include "af_tables.h"

#include "platform/db/sql_exec.h"
#include "platform/db/testing/test_database.h"

#include "host/testing/qt_printers.h"

#include <QtCore/QMap>
#include <gtest/gtest.h>

namespace platform::server::modules {
namespace {

struct Declared {
    host::FieldType type = host::FieldType::String;
    int size = 0;
    bool key = false;
    friend bool operator==(const Declared&, const Declared&) = default;
};

std::ostream& operator<<(std::ostream& os, const Declared& d) {
    return os << host::fieldTypeName(d.type).toStdString() << "(" << d.size << ")" << (d.key ? " key" : "");
}

// SQLite keeps the declared type ("VARCHAR(4)"); timestamps are TEXT with a check.
Declared fromSqlite(const QString& declared, bool key) {
    const QString t = declared.toUpper();
    if (t.startsWith(QLatin1String("VARCHAR(")))
        return {host::FieldType::String, t.mid(8, t.size() - 9).toInt(), key};
    if (t == QLatin1String("REAL")) return {host::FieldType::Float, 0, key};
    if (t == QLatin1String("INTEGER")) return {host::FieldType::Integer, 0, key};
    return {host::FieldType::DateTime, 0, key};
}

Declared fromPostgres(const QString& dataType, int length, bool key) {
    if (dataType == QLatin1String("character varying")) return {host::FieldType::String, length, key};
    if (dataType == QLatin1String("double precision")) return {host::FieldType::Float, 0, key};
    if (dataType == QLatin1String("integer")) return {host::FieldType::Integer, 0, key};
    return {host::FieldType::DateTime, 0, key};
}

class AfTablesTest : public afdb::testing::MigratedEngineTest {
protected:
    QMap<QString, Declared> declared(const QString& table) {
        QMap<QString, Declared> out;
        if (engine() == afdb::Engine::SQLite) {
            QSqlQuery q = afdb::exec(connection(), QStringLiteral("PRAGMA table_info(%1)").arg(table));
            while (q.next())
                out.insert(q.value(1).toString().toUpper(), fromSqlite(q.value(2).toString(), q.value(5).toInt() > 0));
            return out;
        }
        QSqlQuery q = afdb::exec(
            connection(),
            QStringLiteral("SELECT UPPER(C.COLUMN_NAME), C.DATA_TYPE, COALESCE(C.CHARACTER_MAXIMUM_LENGTH, 0), "
                           "EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.TABLE_CONSTRAINTS T "
                           "JOIN INFORMATION_SCHEMA.KEY_COLUMN_USAGE K ON K.CONSTRAINT_NAME = T.CONSTRAINT_NAME "
                           "AND K.TABLE_SCHEMA = T.TABLE_SCHEMA "
                           "WHERE T.CONSTRAINT_TYPE = 'PRIMARY KEY' AND T.TABLE_NAME = C.TABLE_NAME "
                           "AND T.TABLE_SCHEMA = C.TABLE_SCHEMA AND K.COLUMN_NAME = C.COLUMN_NAME) "
                           "FROM INFORMATION_SCHEMA.COLUMNS C "
                           "WHERE C.TABLE_NAME = :T AND C.TABLE_SCHEMA = CURRENT_SCHEMA()"),
            {{"T", table.toLower()}});
        while (q.next())
            out.insert(q.value(0).toString(), fromPostgres(q.value(1).toString(), q.value(2).toInt(), q.value(3).toBool()));
        return out;
    }
};

TEST_P(AfTablesTest, EveryDescriptorMatchesItsTable) {
    for (const TableDescriptor* t : tables::all()) {
        SCOPED_TRACE(t->table().toStdString());
        const QMap<QString, Declared> db = declared(t->table());
        ASSERT_FALSE(db.isEmpty());
        EXPECT_EQ(int(t->columns().size()), int(db.size())) << "every column of the table is described";
        for (const ColumnDef& c : t->columns()) {
            SCOPED_TRACE(c.name.toStdString());
            ASSERT_TRUE(db.contains(c.name));
            const Declared mine{c.type, c.size, t->keyColumns().contains(c.name)};
            EXPECT_EQ(mine, db.value(c.name));
        }
    }
}

AFDB_INSTANTIATE_ON_ENGINES(AfTablesTest);

}  // namespace
}  // namespace platform::server::modules
