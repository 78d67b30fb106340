#pragma once
// The operator's AF permissions, read from the operator-group tables.
//   ENAF may end AFs, CAAF may cancel them, ABAF may return them to "Em Aberto":
//     granted only when one of the operator's groups holds the code.
//   EXAF may delete AFs, ALAF may alter automatic AFs: granted to everybody
//     while no group holds the code, else only to operators of such a group.
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <utility>
#include <vector>

namespace afdesk {

struct WorkspaceQueries;

struct Permissions {
    bool ENAF = false;
    bool CAAF = false;
    bool ABAF = false;
    bool EXAF = false;
    bool ALAF = false;
    friend bool operator==(const Permissions&, const Permissions&) = default;
};

// The rules by themselves. `held` are the codes of the operator's groups
// (qryAutGrupOp); `holders` the (code, operator) rows of every group holding
// one code (qryAutGrupOp1).
bool grantedWhenHeld(const QStringList& held, const QString& code);
bool grantedUnlessReserved(const std::vector<std::pair<QString, QString>>& holders, const QString& code,
                           const QString& operador);

// Runs the queries for the operator and applies the rules.
Permissions loadPermissions(WorkspaceQueries& queries, const QString& operador);

}  // namespace afdesk
