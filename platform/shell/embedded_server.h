#pragma once
// The application server inside the shell's process, the default when no
// remote server is named: the SQLite file (created with the demo company on
// first run, migrated on every start), the session module and the business
// modules, served through the same dispatcher that afserver puts behind HTTP.
// Calls arrive through an in-process transport on the GUI thread.
#include "platform/db/database.h"
#include "platform/server/authenticator.h"
#include "platform/server/credential_store.h"
#include "platform/server/dispatcher.h"
#include "platform/server/module_registry.h"
#include "platform/server/modules/afdb_database_provider.h"
#include "platform/server/session_manager.h"

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

    host::RpcRequestHandler requestHandler() const { return m_dispatcher.requestHandler(); }
    const platform::server::Dispatcher& dispatcher() const { return m_dispatcher; }
    platform::server::SessionManager& sessions() { return m_sessions; }

private:
    static bool prepareFile(const QString& path);

    EmbeddedServerOptions m_options;
    bool m_createdDemo;
    afdb::Database m_database;
    platform::server::modules::AfdbDatabaseProvider m_provider;
    platform::server::ModuleRegistry m_registry;
    platform::server::SessionManager m_sessions;
    platform::server::SqlCredentialStore m_credentials;
    platform::server::Authenticator m_auth;
    platform::server::Dispatcher m_dispatcher;
};

}  // namespace shell
