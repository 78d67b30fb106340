#include "authorisation.h"

#include "platform/db/sql_exec.h"
#include "platform/server/call_context.h"

#include "host/data/errors.h"

#include <stdexcept>

namespace platform::server::modules {

namespace {

bool heldThroughGroup(const QSqlDatabase& db, const QString& op, const QString& code) {
    return afdb::scalar(db,
                        QStringLiteral("SELECT COUNT(*) FROM AUTGRUPOP A JOIN OPERGRUPOP O ON O.CDGRUPOPER = "
                                       "A.CDGRUPOPER WHERE A.IDAUTGRUPOP = :C AND O.CDOPERADOR = :OP"),
                        {{"C", code}, {"OP", op}})
               .toInt() > 0;
}

bool heldByAnyGroup(const QSqlDatabase& db, const QString& code) {
    return afdb::scalar(db,
                        QStringLiteral("SELECT COUNT(*) FROM AUTGRUPOP A JOIN OPERGRUPOP O ON O.CDGRUPOPER = "
                                       "A.CDGRUPOPER WHERE A.IDAUTGRUPOP = :C"),
                        {{"C", code}})
               .toInt() > 0;
}

bool grantedUnlessReserved(const QSqlDatabase& db, const QString& op, const QString& code) {
    return !heldByAnyGroup(db, code) || heldThroughGroup(db, op, code);
}

// Each right: its code, where the operator's rights keep it, and what it allows.
struct RightDef {
    const char* code;
    bool OperatorRights::*held;
    const char* allows;
};
constexpr RightDef kRights[] = {
    {"ENAF", &OperatorRights::ENAF, "encerrar AF"},
    {"CAAF", &OperatorRights::CAAF, "cancelar AF"},
    {"ABAF", &OperatorRights::ABAF, "retornar AF para Em Aberto"},
    {"EXAF", &OperatorRights::EXAF, "excluir item de AF"},
    {"ALAF", &OperatorRights::ALAF, "alterar AF automática"},
};

const RightDef& rightOf(const QString& code) {
    for (const RightDef& r : kRights)
        if (code == QLatin1String(r.code)) return r;
    throw std::logic_error("unknown permission code " + code.toStdString());
}

}  // namespace

bool OperatorRights::holds(const QString& code) const { return this->*(rightOf(code).held); }

OperatorRights operatorRights(const QSqlDatabase& db, const QString& op) {
    OperatorRights r;
    r.ENAF = heldThroughGroup(db, op, QStringLiteral("ENAF"));
    r.CAAF = heldThroughGroup(db, op, QStringLiteral("CAAF"));
    r.ABAF = heldThroughGroup(db, op, QStringLiteral("ABAF"));
    r.EXAF = grantedUnlessReserved(db, op, QStringLiteral("EXAF"));
    r.ALAF = grantedUnlessReserved(db, op, QStringLiteral("ALAF"));
    return r;
}

bool inReadOnlyGroup(const QSqlDatabase& db, const QString& op) {
    return afdb::scalar(db,
                        QStringLiteral("SELECT COUNT(*) FROM OPERADOR P JOIN PARASUPRI S ON S.CDFILIAL = P.CDFILIAL "
                                       "JOIN OPERGRUPOP G ON G.CDGRUPOPER = S.CDGRUPOPER AND G.CDOPERADOR = "
                                       "P.CDOPERADOR WHERE P.CDOPERADOR = :OP"),
                        {{"OP", op}})
               .toInt() > 0;
}

QString readOnlyRefusal() {
    return QStringLiteral("Operação bloqueada. Operador pertence ao grupo somente leitura da filial.");
}

QString missingRightRefusal(const QString& code) {
    return QStringLiteral("Operação bloqueada. Operador não possui permissão para %1.")
        .arg(QString::fromUtf8(rightOf(code).allows));
}

void authoriseWrite(CallContext& call, const WriteRule& rule) {
    const QSqlDatabase db = call.database();
    if (rule.writersOnly && inReadOnlyGroup(db, call.operatorCode())) throw host::UserError(readOnlyRefusal());
    if (rule.rights.isEmpty()) return;
    const OperatorRights rights = operatorRights(db, call.operatorCode());
    for (const QString& code : rule.rights)
        if (!rights.holds(code)) throw host::UserError(missingRightRefusal(code));
}

}  // namespace platform::server::modules
