#pragma once
// The application server's parts over one database, built in the order they
// depend on each other: the connection provider, the session module with its
// credential store, every business module, and the dispatcher over them. The
// stand-alone server's HTTP face, the shell's embedded server, the benchmarks
// and the tests' servers all sit on this one assembly.
#include "platform/server/modules/common/afdb_database_provider.h"

#include "platform/db/database.h"
#include "platform/server/authenticator.h"
#include "platform/server/credential_store.h"
#include "platform/server/dispatcher.h"
#include "platform/server/module_registry.h"
#include "platform/server/session_manager.h"

namespace platform::server::modules {

class ApplicationServer {
public:
    explicit ApplicationServer(afdb::Database& db, AuthOptions auth = {});
    ApplicationServer(const ApplicationServer&) = delete;
    ApplicationServer& operator=(const ApplicationServer&) = delete;

    ModuleRegistry& registry() { return m_registry; }
    SessionManager& sessions() { return m_sessions; }
    Dispatcher& dispatcher() { return m_dispatcher; }
    const Dispatcher& dispatcher() const { return m_dispatcher; }

private:
    AfdbDatabaseProvider m_provider;
    ModuleRegistry m_registry;
    SessionManager m_sessions;
    SqlCredentialStore m_credentials;
    Authenticator m_auth;
    Dispatcher m_dispatcher;
};

}  // namespace platform::server::modules
