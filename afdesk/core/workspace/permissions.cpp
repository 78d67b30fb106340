#include "afdesk/core/workspace/permissions.h"

#include "afdesk/core/workspace/workspace_queries.h"

namespace afdesk {

bool grantedWhenHeld(const QStringList& held, const QString& code) {
    for (const QString& h : held)
        if (h.trimmed() == code) return true;
    return false;
}

bool grantedUnlessReserved(const std::vector<std::pair<QString, QString>>& holders, const QString& code,
                           const QString& operador) {
    if (holders.empty()) return true;
    for (const auto& [held, op] : holders)
        if (held.trimmed() == code && op.trimmed() == operador.trimmed()) return true;
    return false;
}

namespace {

QStringList heldCodes(WorkspaceQueries& q, const QString& operador) {
    q.qryAutGrupOp.setParam(QStringLiteral("P_CDOPERADOR"), operador);
    q.qryAutGrupOp.open();
    QStringList codes;
    host::Dataset& rows = q.qryAutGrupOp.result();
    for (rows.first(); !rows.eof(); rows.next()) codes << rows.field(QStringLiteral("IDAUTGRUPOP")).asString();
    return codes;
}

std::vector<std::pair<QString, QString>> holdersOf(WorkspaceQueries& q, const QString& code) {
    q.qryAutGrupOp1.setParam(QStringLiteral("P_IDAUTGRUPOP"), code);
    q.qryAutGrupOp1.open();
    std::vector<std::pair<QString, QString>> holders;
    host::Dataset& rows = q.qryAutGrupOp1.result();
    for (rows.first(); !rows.eof(); rows.next())
        holders.emplace_back(rows.field(QStringLiteral("IDAUTGRUPOP")).asString(),
                             rows.field(QStringLiteral("CDOPERADOR")).asString());
    return holders;
}

}  // namespace

Permissions loadPermissions(WorkspaceQueries& queries, const QString& operador) {
    const QStringList held = heldCodes(queries, operador);
    Permissions p;
    p.ENAF = grantedWhenHeld(held, QStringLiteral("ENAF"));
    p.CAAF = grantedWhenHeld(held, QStringLiteral("CAAF"));
    p.ABAF = grantedWhenHeld(held, QStringLiteral("ABAF"));
    p.EXAF = grantedUnlessReserved(holdersOf(queries, QStringLiteral("EXAF")), QStringLiteral("EXAF"), operador);
    p.ALAF = grantedUnlessReserved(holdersOf(queries, QStringLiteral("ALAF")), QStringLiteral("ALAF"), operador);
    return p;
}

}  // namespace afdesk
