#include "lanca_autof_module.h"

#include "lanca_autof_methods.h"

#include "platform/db/sql_exec.h"

#include "host/remote/remote_names.h"

namespace platform::server::modules {

QString operatorBranch(const QSqlDatabase& db, const QString& operatorCode) {
    return afdb::scalar(db, QStringLiteral("SELECT CDFILIAL FROM OPERADOR WHERE CDOPERADOR = :OP"),
                        {{"OP", operatorCode}})
        .toString();
}

void registerLancaAutoF(ModuleRegistry& registry) {
    ServerModule& module = registry.add(host::names::lancaAutoF::module);
    addListMethods(module);
    addAfLoadMethods(module);
    addStartupMethods(module);
    addHeaderMethods(module);
    addItemMethods(module);
}

}  // namespace platform::server::modules
