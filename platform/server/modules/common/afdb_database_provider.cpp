#include "afdb_database_provider.h"

#include "platform/db/db_error.h"

#include "host/data/errors.h"

namespace platform::server::modules {

QSqlDatabase AfdbDatabaseProvider::database() {
    try {
        return m_database.connection();
    } catch (const afdb::DbError& e) {
        throw host::UserError(QStringLiteral("Banco de dados indisponível: %1").arg(e.message()));
    }
}

}  // namespace platform::server::modules
