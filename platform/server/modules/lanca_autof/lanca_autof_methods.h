#pragma once
// The method groups of "Cmp03900.rdmLancaAutoF", one file each.
#include "platform/server/module_registry.h"

#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

namespace platform::server::modules {

void addListMethods(ServerModule& module);     // filter and AF list
void addAfLoadMethods(ServerModule& module);   // the loads of one AF
void addStartupMethods(ServerModule& module);  // parameters read at start-up and by the filter
void addHeaderMethods(ServerModule& module);   // checks and defaults of a new AF's header
void addItemMethods(ServerModule& module);     // checks and lookups of an item's entry

// The SELECT behind GetServAutoForne, without its WHERE clause (benchmarks
// compare the method with the bare query).
QString servAutoForneSelect();

// The branch of the calling operator (OPERADOR.CDFILIAL), empty when none.
QString operatorBranch(const QSqlDatabase& db, const QString& operatorCode);

}  // namespace platform::server::modules
