#pragma once
// Who may write: the checks every write method gets before its handler runs,
// and the per-AF ones its handler asks for. The same rules as the screens':
//
// - The read-only group: an operator who belongs to the group named by
//   PARASUPRI.CDGRUPOPER of their own branch (OPERADOR.CDFILIAL) writes nothing.
// - ENAF, CAAF, ABAF are held only through a group of the operator that has
//   the code (AUTGRUPOP / OPERGRUPOP); EXAF and ALAF likewise, except that a
//   code no group holds is everybody's.
#include "platform/server/module_registry.h"

#include <QtCore/QString>
#include <QtSql/QSqlDatabase>

namespace platform::server::modules {

struct OperatorRights {
    bool ENAF = false;  // may end AFs
    bool CAAF = false;  // may cancel AFs
    bool ABAF = false;  // may return AFs to "Em Aberto"
    bool EXAF = false;  // may delete AFs and items, and zero quantities
    bool ALAF = false;  // may change automatic AFs (IDTIPOLANCAF = "A")

    // Throws std::logic_error for a code that is none of the five.
    bool holds(const QString& code) const;
};

OperatorRights operatorRights(const QSqlDatabase& db, const QString& operatorCode);

// The operator belongs to their branch's read-only group.
bool inReadOnlyGroup(const QSqlDatabase& db, const QString& operatorCode);

// The refusals, the same wherever a write is refused.
QString readOnlyRefusal();
QString missingRightRefusal(const QString& code);

// The registry's authoriser: the rule's rights and the read-only group.
void authoriseWrite(CallContext& call, const WriteRule& rule);

}  // namespace platform::server::modules
