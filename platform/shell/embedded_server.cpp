#include "platform/shell/embedded_server.h"

#include "host/data/errors.h"
#include "platform/demodata/demo_data.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace shell {

using namespace platform::server;

EmbeddedServer::EmbeddedServer(EmbeddedServerOptions options)
    : m_options(std::move(options)),
      m_createdDemo(prepareFile(m_options.databasePath)),
      m_database(afdb::Config::sqlite(m_options.databasePath)),
      m_server(m_database, AuthOptions{m_options.loginFailureDelay, 4}) {
    // An older file is brought up to this program's schema; a newer one is refused.
    m_database.migrate();
}

EmbeddedServer::~EmbeddedServer() = default;

bool EmbeddedServer::prepareFile(const QString& path) {
    if (path.trimmed().isEmpty()) throw host::UserError(QStringLiteral("O arquivo do banco local não foi informado."));
    const QFileInfo file(path);
    if (!QDir().mkpath(file.absolutePath()))
        throw host::UserError(QStringLiteral("Não foi possível criar a pasta do banco local: %1.").arg(file.absolutePath()));
    return afdemo::ensureDemoDatabase(file.absoluteFilePath());
}

}  // namespace shell
