#include "host/lookup/host_database.h"

#include "host/data/errors.h"

namespace host {
namespace {

std::shared_ptr<HostDatabase>& installed() {
    static std::shared_ptr<HostDatabase> database;
    return database;
}

}  // namespace

HostDatabase& hostDatabase() {
    HostDatabase* database = installed().get();
    if (!database) throw DataError(QStringLiteral("Nenhuma conexão de banco de dados do host instalada."));
    return *database;
}

void setHostDatabase(std::shared_ptr<HostDatabase> database) { installed() = std::move(database); }

}  // namespace host
