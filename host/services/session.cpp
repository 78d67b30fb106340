#include "host/services/session.h"

#include "host/data/errors.h"

namespace host {
namespace {

std::shared_ptr<Session>& installed() {
    static std::shared_ptr<Session> current;
    return current;
}

}  // namespace

Session& session() {
    Session* current = installed().get();
    if (!current) throw DataError(QStringLiteral("Nenhuma sessão iniciada: faça o login antes de abrir uma tela."));
    return *current;
}

void setSession(std::shared_ptr<Session> session) { installed() = std::move(session); }

}  // namespace host
