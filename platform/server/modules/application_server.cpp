#include "application_server.h"

#include "business_modules.h"

namespace platform::server::modules {

ApplicationServer::ApplicationServer(afdb::Database& db, AuthOptions auth)
    : m_provider(db),
      m_credentials(m_provider),
      m_auth(m_credentials, m_sessions, auth),
      m_dispatcher(m_registry, m_sessions, &m_provider) {
    m_auth.registerModule(m_registry);
    registerBusinessModules(m_registry);
}

}  // namespace platform::server::modules
