#include "platform/shell/lookup_database.h"

#include "host/data/errors.h"

namespace shell {

afdb::Config lookupConfig(const QString& source) {
    const QString text = source.trimmed();
    if (text.isEmpty())
        throw host::UserError(QStringLiteral(
            "O banco das consultas não foi informado: use --lookup-db ou a entrada banco da seção "
            "[consultas] do arquivo de configuração."));
    if (!text.contains(QLatin1Char('='))) return afdb::Config::sqlite(text).asReadOnly();

    afdb::Config config;
    config.engine = afdb::Engine::PostgreSQL;
    config.applicationName = QStringLiteral("afhost");
    config.applyConnInfo(text);
    // The login of the conninfo is the read-only one: the connection is opened
    // with it and its sessions are read-only besides.
    config.readOnly = true;
    config.readOnlyUser = config.user;
    config.readOnlyPassword = config.password;
    return config;
}

LookupDatabase::LookupDatabase(const afdb::Config& config) : m_database(config) { m_database.connection(); }

}  // namespace shell
