#pragma once
// The application server inside the shell's process, the default when no
// remote server is named: the SQLite file (created with the demo company on
// first run, migrated on every start), the session module and the business
// modules, served through the same dispatcher that afserver puts behind HTTP.
// Calls arrive through an in-process transport on the GUI thread.
#include "platform/db/database.h"
#include "platform/server/modules/application_server.h"

#include <chrono>

namespace shell {

struct EmbeddedServerOptions {
    QString databasePath;
    std::chrono::milliseconds loginFailureDelay{500};
};

class EmbeddedServer {
public:
    // Creates the demo database when the file does not exist, migrates it and
    // opens it. Throws host::UserError (afdb::DbError included) when it cannot.
    explicit EmbeddedServer(EmbeddedServerOptions options);
    ~EmbeddedServer();
    EmbeddedServer(const EmbeddedServer&) = delete;
    EmbeddedServer& operator=(const EmbeddedServer&) = delete;

    const QString& databasePath() const { return m_options.databasePath; }
    bool createdDemoDatabase() const { return m_createdDemo; }

    host::RpcRequestHandler requestHandler() const { return m_server.dispatcher().requestHandler(); }
    const platform::server::Dispatcher& dispatcher() const { return m_server.dispatcher(); }
    platform::server::SessionManager& sessions() { return m_server.sessions(); }

private:
    static bool prepareFile(const QString& path);

    EmbeddedServerOptions m_options;
    bool m_createdDemo;
    afdb::Database m_database;
    platform::server::modules::ApplicationServer m_server;
};

}  // namespace shell
