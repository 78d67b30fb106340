#pragma once
// The host's database connection, on which the screens run their lookups
// (read-only: every write goes through the application server). The shell
// installs it at login; tests install one over their own database.
#include "host/db/sql_dialect.h"

#include <QtSql/QSqlDatabase>
#include <memory>

namespace host {

class HostDatabase {
public:
    virtual ~HostDatabase() = default;
    // The connection of the calling thread (screens run on the GUI thread).
    virtual QSqlDatabase database() = 0;
    virtual SqlDialect dialect() const = 0;
};

// The connection in use. Throws DataError when none is installed.
HostDatabase& hostDatabase();
void setHostDatabase(std::shared_ptr<HostDatabase> database);

}  // namespace host
