#include "database_config.h"

#include "db_error.h"

#include <QtCore/QHash>
#include <QtCore/QProcessEnvironment>

namespace afdb {

QString engineName(Engine e) {
    return e == Engine::SQLite ? QStringLiteral("sqlite") : QStringLiteral("postgresql");
}

Engine parseEngine(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("sqlite")) return Engine::SQLite;
    if (n == QLatin1String("postgresql") || n == QLatin1String("postgres") || n == QLatin1String("pg"))
        return Engine::PostgreSQL;
    throw DbError(QStringLiteral("Banco de dados desconhecido: \"%1\" (use sqlite ou postgresql).").arg(name));
}

host::SqlDialect dialectOf(Engine e) {
    return e == Engine::SQLite ? host::SqlDialect::SQLite : host::SqlDialect::PostgreSQL;
}

Config Config::sqlite(QString path) {
    Config c;
    c.engine = Engine::SQLite;
    c.sqlitePath = std::move(path);
    return c;
}

Config Config::postgresFromEnvironment(const QString& databaseName) {
    const auto env = QProcessEnvironment::systemEnvironment();
    Config c;
    c.engine = Engine::PostgreSQL;
    c.host = env.value(QStringLiteral("PGHOST"), QStringLiteral("localhost"));
    c.port = env.value(QStringLiteral("PGPORT"), QStringLiteral("5432")).toInt();
    c.databaseName = databaseName.isEmpty() ? env.value(QStringLiteral("PGDATABASE"), QStringLiteral("postgres"))
                                            : databaseName;
    c.user = env.value(QStringLiteral("PGUSER"));
    c.password = env.value(QStringLiteral("PGPASSWORD"));
    return c;
}

Config Config::fromEnvironment() {
    const auto env = QProcessEnvironment::systemEnvironment();
    const Engine engine = parseEngine(env.value(QStringLiteral("AF_DB_ENGINE"), QStringLiteral("sqlite")));
    Config c = engine == Engine::SQLite ? sqlite(env.value(QStringLiteral("AF_DB_PATH"), QStringLiteral("afsuite.db")))
                                        : postgresFromEnvironment();
    if (engine == Engine::PostgreSQL && env.contains(QStringLiteral("AF_DB_CONNINFO")))
        c.applyConnInfo(env.value(QStringLiteral("AF_DB_CONNINFO")));
    if (env.contains(QStringLiteral("AF_DB_APPNAME"))) c.applicationName = env.value(QStringLiteral("AF_DB_APPNAME"));
    c.readOnlyUser = env.value(QStringLiteral("AF_DB_RO_USER"));
    c.readOnlyPassword = env.value(QStringLiteral("AF_DB_RO_PASSWORD"));
    return c;
}

Config Config::asReadOnly() const {
    Config c = *this;
    c.readOnly = true;
    return c;
}

namespace {

// The conninfo itself is never echoed: it may hold a password.
DbError badConnInfo(const QString& why) {
    return DbError(QStringLiteral("Parâmetros de conexão inválidos: %1.").arg(why));
}

// Splits "k1=v1 k2='v 2'" into pairs, following libpq's quoting rules.
QList<QPair<QString, QString>> splitConnInfo(const QString& text) {
    QList<QPair<QString, QString>> out;
    int i = 0;
    const int n = text.size();
    auto skipSpace = [&] { while (i < n && text[i].isSpace()) ++i; };
    while (true) {
        skipSpace();
        if (i >= n) break;
        QString key;
        while (i < n && text[i] != QLatin1Char('=') && !text[i].isSpace()) key += text[i++];
        skipSpace();
        if (i >= n || text[i] != QLatin1Char('=')) throw badConnInfo(QStringLiteral("falta \"=\" após \"%1\"").arg(key));
        ++i;
        skipSpace();
        QString value;
        if (i < n && text[i] == QLatin1Char('\'')) {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar ch = text[i++];
                if (ch == QLatin1Char('\\') && i < n) { value += text[i++]; continue; }
                if (ch == QLatin1Char('\'')) { closed = true; break; }
                value += ch;
            }
            if (!closed) throw badConnInfo(QStringLiteral("aspas não fechadas"));
        } else {
            while (i < n && !text[i].isSpace()) {
                const QChar ch = text[i++];
                if (ch == QLatin1Char('\\') && i < n) { value += text[i++]; continue; }
                value += ch;
            }
        }
        out.append({key, value});
    }
    return out;
}

}  // namespace

void Config::applyConnInfo(const QString& conninfo) {
    for (const auto& [key, value] : splitConnInfo(conninfo)) {
        if (key == QLatin1String("host") || key == QLatin1String("hostaddr")) host = value;
        else if (key == QLatin1String("port")) {
            bool ok = false;
            const int p = value.toInt(&ok);
            if (!ok || p <= 0 || p > 65535) throw badConnInfo(QStringLiteral("porta \"%1\"").arg(value));
            port = p;
        } else if (key == QLatin1String("dbname")) databaseName = value;
        else if (key == QLatin1String("user")) user = value;
        else if (key == QLatin1String("password")) password = value;
        else if (key == QLatin1String("application_name")) applicationName = value;
        else if (key == QLatin1String("connect_timeout")) connectTimeoutSeconds = value.toInt();
        else if (key == QLatin1String("sslmode")) {
            static const QStringList modes = {"disable", "allow", "prefer", "require", "verify-ca", "verify-full"};
            if (!modes.contains(value)) throw badConnInfo(QStringLiteral("sslmode \"%1\"").arg(value));
            tls.append({key, value});
        } else if (key == QLatin1String("sslrootcert") || key == QLatin1String("sslcert") ||
                   key == QLatin1String("sslkey") || key == QLatin1String("sslcrl"))
            tls.append({key, value});
        else throw badConnInfo(QStringLiteral("parâmetro \"%1\" não suportado").arg(key));
    }
    engine = Engine::PostgreSQL;
}

}  // namespace afdb
