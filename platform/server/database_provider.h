#pragma once
// Where a handler gets its database connection: one per thread (a Qt SQL
// connection may only be used by the thread that opened it), opened on first
// use and kept for the thread's lifetime.
#include <QtCore/QString>
#include <QtSql/QSqlDatabase>
#include <functional>
#include <memory>

namespace platform::server {

class DatabaseProvider {
public:
    virtual ~DatabaseProvider() = default;
    // The calling thread's open connection. Throws host::UserError when the
    // database cannot be reached.
    virtual QSqlDatabase database() = 0;
};

// A provider over a Qt SQL driver: each thread gets its own named connection,
// removed when the thread ends or the provider goes, whichever comes first.
class QtSqlDatabaseProvider : public DatabaseProvider {
public:
    struct Settings {
        QString driver;          // "QSQLITE", "QPSQL"
        QString databaseName;    // SQLite file; empty for PostgreSQL (in the options)
        QString connectOptions;  // PostgreSQL: a libpq conninfo ("host=... dbname=...")
        std::function<void(QSqlDatabase&)> onOpen;  // per-connection setup; may throw
    };
    static Settings sqlite(const QString& path);
    static Settings postgres(const QString& conninfo);

    explicit QtSqlDatabaseProvider(Settings settings);
    ~QtSqlDatabaseProvider() override;
    QtSqlDatabaseProvider(const QtSqlDatabaseProvider&) = delete;
    QtSqlDatabaseProvider& operator=(const QtSqlDatabaseProvider&) = delete;

    QSqlDatabase database() override;

    struct State;  // shared with the threads' clean-up

private:
    void registerConnection(const QString& name);
    void open(QSqlDatabase& db);

    Settings m_settings;
    std::shared_ptr<State> m_state;
};

}  // namespace platform::server
