// afserver: the application server. Brings the database's schema up to date,
// then serves the registered modules over HTTP until SIGINT or SIGTERM, or sets
// an operator's password and exits.
#include "authenticator.h"
#include "credential_store.h"
#include "database_provider.h"
#include "dispatcher.h"
#include "module_registry.h"
#include "rpc_http_server.h"
#include "server_config.h"
#include "server_log.h"
#include "session_manager.h"

#include "host/data/errors.h"
#include "platform/db/database.h"
#include "platform/security/password_hash.h"
#include "platform/server/modules/common/afdb_database_provider.h"
#include "platform/server/modules/business_modules.h"

#include <QtCore/QCoreApplication>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <sys/resource.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace platform::server;

namespace {

std::string readPassword(const char* prompt) {
    const bool tty = isatty(STDIN_FILENO);
    termios saved{};
    if (tty) {
        std::cerr << prompt << std::flush;
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::cerr << '\n';
    }
    return line;
}

int setPassword(const ServerConfig& cfg, DatabaseProvider& db) {
    const std::string password = readPassword("Nova senha: ");
    if (password.empty()) throw host::UserError(QStringLiteral("Senha vazia: nada foi alterado."));
    if (isatty(STDIN_FILENO) && readPassword("Repita a senha: ") != password)
        throw host::UserError(QStringLiteral("As senhas não conferem: nada foi alterado."));
    SqlCredentialStore store(db);
    store.setPasswordHash(cfg.setPasswordFor, platform::security::hashPassword(QString::fromStdString(password)));
    std::cerr << "Senha do operador " << cfg.setPasswordFor.toStdString() << " alterada.\n";
    return 0;
}

// The business modules read through afdb, whose connections carry the
// engine's settings (WAL, busy timeout, foreign keys on SQLite).
afdb::Config afdbConfig(const QtSqlDatabaseProvider::Settings& settings) {
    if (settings.driver == QLatin1String("QSQLITE")) return afdb::Config::sqlite(settings.databaseName);
    afdb::Config config;
    config.engine = afdb::Engine::PostgreSQL;
    config.applicationName = QStringLiteral("afserver");
    config.applyConnInfo(settings.connectOptions);
    return config;
}

// SIGINT/SIGTERM are blocked in every thread and taken here, where stopping
// the server is safe (a signal handler could not call it).
void stopOnSignal(RpcHttpServer& server, sigset_t stopSignals) {
    std::thread([&server, stopSignals] {
        int sig = 0;
        sigwait(&stopSignals, &sig);
        qCInfo(serverLog) << "signal" << sig << "- stopping";
        server.stop();
    }).detach();
}

// Every connection takes a descriptor: the soft limit goes up to the hard one
// (often 1024 against 500,000), which the HTTP server's caps then fit in.
void raiseDescriptorLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0 || files.rlim_cur >= files.rlim_max) return;
    files.rlim_cur = files.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &files) != 0) qCWarning(serverLog) << "could not raise the descriptor limit";
}

int serve(const ServerConfig& cfg, DatabaseProvider& db, sigset_t stopSignals) {
    raiseDescriptorLimit();
    ModuleRegistry registry;
    SessionManager sessions(cfg.sessions);
    SqlCredentialStore credentials(db);
    Authenticator auth(credentials, sessions);
    auth.registerModule(registry);
    modules::registerBusinessModules(registry);

    Dispatcher dispatcher(registry, sessions, &db, cfg.limits);
    RpcHttpServer server(dispatcher, cfg.http);
    const int port = server.bind();
    stopOnSignal(server, stopSignals);
    std::cerr << "afserver: ouvindo em " << cfg.http.host.toStdString() << ':' << port << '\n';
    server.run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);  // inherited by every thread started from here

    QCoreApplication app(argc, argv);
    try {
        const ServerConfig cfg = parseServerArgs(QCoreApplication::arguments().mid(1));
        if (cfg.help) {
            std::cout << serverUsage().toStdString() << '\n';
            return 0;
        }
        afdb::Database database(afdbConfig(cfg.database));
        modules::AfdbDatabaseProvider db(database);
        db.database();  // fail now, not at the first call, when the database is unreachable
        // The schema is the server's: it is created and upgraded here, never by hand.
        for (int version : database.migrate()) qCInfo(serverLog) << "migration" << version << "applied";
        if (!cfg.setPasswordFor.isEmpty()) return setPassword(cfg, db);
        return serve(cfg, db, stopSignals);
    } catch (const host::UserError& e) {
        std::cerr << e.message().toStdString() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "afserver: " << e.what() << '\n';
        return 1;
    }
}
