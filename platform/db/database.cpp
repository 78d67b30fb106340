#include "database.h"
#include "sql_exec_detail.h"

#include "db_error.h"
#include "migrations.h"
#include "sql_exec.h"

#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QMutex>
#include <QtSql/QSqlError>

#include <atomic>

namespace afdb {

namespace {

std::atomic<int> g_databaseSerial{0};
std::atomic<quint64> g_threadSerial{0};

// A serial per thread that is never reused (thread ids and QThread addresses are).
quint64 threadSerial() {
    thread_local const quint64 serial = ++g_threadSerial;
    return serial;
}

// A libpq conninfo value: quoted, with backslash and quote escaped. Qt joins the
// options with ';' turned into blanks, so a ';' inside a value cannot be passed.
QString connInfoValue(const QString& v) {
    QString out = v;
    out.replace(QLatin1Char(';'), QLatin1Char(','));
    out.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    out.replace(QLatin1String("'"), QLatin1String("\\'"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

void configureSqlite(QSqlDatabase& db, const Config& c) {
    db.setDatabaseName(c.sqlitePath);
    QStringList options{QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(c.busyTimeoutMs)};
    if (c.readOnly) options << QStringLiteral("QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

void configurePostgres(QSqlDatabase& db, const Config& c) {
    db.setHostName(c.host);
    db.setPort(c.port);
    db.setDatabaseName(c.databaseName);
    db.setUserName(c.readOnly ? c.readOnlyUser : c.user);
    db.setPassword(c.readOnly ? c.readOnlyPassword : c.password);
    QStringList options{QStringLiteral("application_name=%1").arg(connInfoValue(c.applicationName)),
                        QStringLiteral("connect_timeout=%1").arg(c.connectTimeoutSeconds)};
    for (const auto& [key, value] : c.tls) options << key + QLatin1Char('=') + connInfoValue(value);
    db.setConnectOptions(options.join(QLatin1Char(';')));
}

void afterOpenSqlite(const QSqlDatabase& db, const Config& c) {
    if (!c.readOnly) {
        const QString mode = scalar(db, QStringLiteral("PRAGMA journal_mode=WAL")).toString();
        if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
            throw DbError(QStringLiteral("Não foi possível ativar o modo WAL do SQLite (modo atual: %1).").arg(mode));
        exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    exec(db, QStringLiteral("PRAGMA busy_timeout=%1").arg(c.busyTimeoutMs));
    exec(db, QStringLiteral("PRAGMA foreign_keys=ON"));
}

void afterOpenPostgres(const QSqlDatabase& db, const Config& c) {
    if (c.readOnly) exec(db, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));
}

QString describe(const Config& c) {
    if (c.engine == Engine::SQLite) return QStringLiteral("SQLite \"%1\"").arg(c.sqlitePath);
    return QStringLiteral("PostgreSQL %1:%2/%3 (usuário %4)")
        .arg(c.host)
        .arg(c.port)
        .arg(c.databaseName, c.readOnly ? c.readOnlyUser : c.user);
}

void checkConfig(const Config& c) {
    if (c.engine == Engine::SQLite && c.sqlitePath.isEmpty())
        throw DbError(QStringLiteral("O arquivo do banco SQLite não foi informado."));
    if (c.engine == Engine::SQLite && c.readOnly && !QFileInfo::exists(c.sqlitePath))
        throw DbError(QStringLiteral("O arquivo do banco SQLite \"%1\" não existe.").arg(c.sqlitePath));
    if (c.engine == Engine::PostgreSQL && c.readOnly && c.readOnlyUser.isEmpty())
        throw DbError(QStringLiteral("O login somente-leitura do PostgreSQL não foi informado."));
}

}  // namespace

QSqlDatabase openConnection(const Config& config, const QString& name) {
    checkConfig(config);
    const QString driver = config.engine == Engine::SQLite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError(QStringLiteral("O driver %1 do Qt não está disponível.").arg(driver));
        }
        if (config.engine == Engine::SQLite) configureSqlite(db, config);
        else configurePostgres(db, config);
        if (!db.open()) {
            const QSqlError error = db.lastError();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError::fromSql(QStringLiteral("Não foi possível conectar ao banco %1").arg(describe(config)), error, {});
        }
    }
    QSqlDatabase db = QSqlDatabase::database(name, false);
    try {
        if (config.engine == Engine::SQLite) afterOpenSqlite(db, config);
        else afterOpenPostgres(db, config);
    } catch (...) {
        db = QSqlDatabase();
        closeConnection(name);
        throw;
    }
    return db;
}

void closeConnection(const QString& name) {
    detail::releaseKeptQueries(name);
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

struct Database::State {
    QMutex mutex;
    QHash<quint64, QString> byThread;  // thread serial -> connection name

    // Removes the thread's entry; closes the connection when it was still registered.
    void close(quint64 thread) {
        QString name;
        {
            QMutexLocker lock(&mutex);
            name = byThread.take(thread);
        }
        if (!name.isEmpty()) closeConnection(name);
    }
};

namespace {

// Closes, when a thread ends, the connections it opened through Databases that
// still exist.
struct ThreadExit {
    std::vector<std::weak_ptr<Database::State>> states;
    ~ThreadExit() {
        for (const auto& weak : states)
            if (const auto state = weak.lock()) state->close(threadSerial());
    }
};

void closeAtThreadExit(const std::shared_ptr<Database::State>& state) {
    // Touched only after Qt has set up this thread, so it is destroyed before Qt's
    // own per-thread data.
    thread_local ThreadExit exit;
    exit.states.push_back(state);
}

}  // namespace

Database::Database(Config config)
    : m_config(std::move(config)), m_serial(++g_databaseSerial), m_state(std::make_shared<State>()) {}

Database::~Database() {
    QList<quint64> threads;
    {
        QMutexLocker lock(&m_state->mutex);
        threads = m_state->byThread.keys();
    }
    for (const quint64 t : threads) m_state->close(t);
}

QSqlDatabase Database::connection() {
    const quint64 thread = threadSerial();
    QString name;
    {
        QMutexLocker lock(&m_state->mutex);
        name = m_state->byThread.value(thread);
    }
    if (!name.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen()) return db;
        db = QSqlDatabase();
        m_state->close(thread);
    }
    name = QStringLiteral("afdb-%1-%2").arg(m_serial).arg(thread);
    QSqlDatabase db = openConnection(m_config, name);
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->byThread.insert(thread, name);
    }
    closeAtThreadExit(m_state);
    return db;
}

void Database::releaseThreadConnection() { m_state->close(threadSerial()); }

std::vector<int> Database::migrate() { return afdb::migrate(connection(), m_config.engine); }

}  // namespace afdb
