#include "database_provider.h"

#include "host/data/errors.h"

#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <atomic>
#include <mutex>
#include <set>
#include <vector>

namespace platform::server {

struct QtSqlDatabaseProvider::State {
    std::mutex mutex;
    QString prefix;
    std::set<QString> names;  // connections still registered with Qt
};

namespace {

std::atomic<quint64> g_nextProvider{1};
std::atomic<quint64> g_nextThread{1};

void removeConnection(QtSqlDatabaseProvider::State& state, const QString& name) {
    std::lock_guard lock(state.mutex);
    if (state.names.erase(name) == 0) return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Per thread: a serial number (thread ids are reused, connection names must
// not be) and the connections this thread opened, dropped when it ends.
struct ThreadConnections {
    quint64 serial = g_nextThread.fetch_add(1);
    std::vector<std::pair<std::weak_ptr<QtSqlDatabaseProvider::State>, QString>> opened;

    ~ThreadConnections() {
        for (auto& [weak, name] : opened)
            if (auto state = weak.lock()) removeConnection(*state, name);
    }
};

thread_local ThreadConnections t_connections;

}  // namespace

QtSqlDatabaseProvider::Settings QtSqlDatabaseProvider::sqlite(const QString& path) {
    Settings s;
    s.driver = QStringLiteral("QSQLITE");
    s.databaseName = path;
    // Concurrent writers wait for each other instead of failing at once.
    s.connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000");
    s.onOpen = [](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA foreign_keys = ON")))
            throw host::UserError(QStringLiteral("Não foi possível configurar o banco de dados: %1")
                                      .arg(q.lastError().text()));
    };
    return s;
}

QtSqlDatabaseProvider::Settings QtSqlDatabaseProvider::postgres(const QString& conninfo) {
    Settings s;
    s.driver = QStringLiteral("QPSQL");
    s.connectOptions = conninfo;
    return s;
}

QtSqlDatabaseProvider::QtSqlDatabaseProvider(Settings settings)
    : m_settings(std::move(settings)), m_state(std::make_shared<State>()) {
    m_state->prefix = QStringLiteral("afserver-%1-").arg(g_nextProvider.fetch_add(1));
}

QtSqlDatabaseProvider::~QtSqlDatabaseProvider() {
    std::lock_guard lock(m_state->mutex);
    // Connections of threads still running: only the owner thread may touch
    // them, so they are dropped from the registry (which closes them once the
    // last handle goes) without being opened or closed here.
    for (const QString& name : m_state->names) QSqlDatabase::removeDatabase(name);
    m_state->names.clear();
}

QSqlDatabase QtSqlDatabaseProvider::database() {
    const QString name = m_state->prefix + QString::number(t_connections.serial);
    bool known = false;
    {
        std::lock_guard lock(m_state->mutex);
        known = m_state->names.count(name) > 0;
    }
    if (!known) registerConnection(name);
    QSqlDatabase db = QSqlDatabase::database(name, false);
    if (!db.isOpen()) open(db);
    return db;
}

void QtSqlDatabaseProvider::registerConnection(const QString& name) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(m_settings.driver, name);
        const bool valid = db.isValid();
        db.setDatabaseName(m_settings.databaseName);
        db.setConnectOptions(m_settings.connectOptions);
        db = QSqlDatabase();
        if (!valid) {
            QSqlDatabase::removeDatabase(name);
            throw host::UserError(
                QStringLiteral("Driver de banco de dados \"%1\" não disponível.").arg(m_settings.driver));
        }
    }
    {
        std::lock_guard lock(m_state->mutex);
        m_state->names.insert(name);
    }
    t_connections.opened.emplace_back(m_state, name);
}

// Opens and sets up a connection; a failed setup leaves it closed, so the next
// call tries both again.
void QtSqlDatabaseProvider::open(QSqlDatabase& db) {
    if (!db.open())
        throw host::UserError(
            QStringLiteral("Não foi possível conectar ao banco de dados: %1").arg(db.lastError().text()));
    if (!m_settings.onOpen) return;
    try {
        m_settings.onOpen(db);
    } catch (...) {
        db.close();
        throw;
    }
}

}  // namespace platform::server
