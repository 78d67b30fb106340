#pragma once
// What a login is made on: the link to the application server and the lookup
// connection. The embedded server is started once, at the first login that
// asks for it, and lives as long as the program; a remote server is reached
// over HTTP with the lookup database of the configuration.
#include "platform/shell/embedded_server.h"
#include "platform/shell/lookup_database.h"
#include "platform/shell/server_link.h"

#include <memory>

namespace shell {

struct ServerChoice {
    bool remote = false;
    QString address;  // remote only: "host:porta" as typed
};

struct ShellBackend {
    ServerLink link;
    std::shared_ptr<LookupDatabase> lookups;
};

class Backends {
public:
    // `lookupSpec` is the remote mode's lookup database (see lookupConfig).
    Backends(EmbeddedServerOptions embedded, QString lookupSpec);
    ~Backends();

    // Throws host::UserError when the server or the database cannot be used.
    std::shared_ptr<ShellBackend> connect(const ServerChoice& choice);

    // Null until an embedded login started it.
    EmbeddedServer* embeddedServer() { return m_server.get(); }

private:
    std::shared_ptr<ShellBackend> embedded();
    std::shared_ptr<ShellBackend> remote(const QString& address);

    EmbeddedServerOptions m_embeddedOptions;
    QString m_lookupSpec;
    std::unique_ptr<EmbeddedServer> m_server;
    std::shared_ptr<ShellBackend> m_embedded;
};

}  // namespace shell
