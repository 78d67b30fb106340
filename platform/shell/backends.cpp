#include "platform/shell/backends.h"

#include "host/data/errors.h"

namespace shell {

Backends::Backends(EmbeddedServerOptions embedded, QString lookupSpec)
    : m_embeddedOptions(std::move(embedded)), m_lookupSpec(std::move(lookupSpec)) {}

// The lookups close before the server's database they read.
Backends::~Backends() { m_embedded.reset(); }

std::shared_ptr<ShellBackend> Backends::connect(const ServerChoice& choice) {
    return choice.remote ? remote(choice.address) : embedded();
}

std::shared_ptr<ShellBackend> Backends::embedded() {
    if (!m_embedded) {
        if (!m_server) m_server = std::make_unique<EmbeddedServer>(m_embeddedOptions);
        // Opened after the server, whose connection has put the file in WAL mode.
        auto lookups = std::make_shared<LookupDatabase>(afdb::Config::sqlite(m_server->databasePath()).asReadOnly());
        m_embedded = std::make_shared<ShellBackend>(
            ShellBackend{ServerLink::inProcess(m_server->requestHandler()), std::move(lookups)});
    }
    return m_embedded;
}

std::shared_ptr<ShellBackend> Backends::remote(const QString& address) {
    if (address.trimmed().isEmpty())
        throw host::UserError(QStringLiteral("Informe o endereço do servidor de aplicação (host:porta)."));
    ServerLink link = ServerLink::remote(parseServerAddress(address));
    auto lookups = std::make_shared<LookupDatabase>(lookupConfig(m_lookupSpec));
    return std::make_shared<ShellBackend>(ShellBackend{std::move(link), std::move(lookups)});
}

}  // namespace shell
