#include "password_confirmation.h"

#include "host/data/errors.h"
#include "host/remote/check_result.h"
#include "host/remote/remote_connection.h"
#include "host/remote/server_access.h"
#include "host/services/consiste.h"
#include "host/services/dialog_service.h"
#include "host/services/progress.h"

namespace platform::library {

namespace {

constexpr int kOperatorChars = 12;

bool serverConfirms(const QString& operatorCode, const QString& password) {
    host::RemoteConnection sessao(host::names::session::module);
    host::bindToServer(sessao);
    host::ProgressGuard busy(nullptr, host::kAviProcessing, QStringLiteral("Conferindo a senha..."));
    const host::RemoteValue answer = host::CheckResultServ(
        sessao.call(host::names::session::ConfirmaSenha, {operatorCode, password}), true, 0);
    if (answer.kind() != host::RemoteKind::Boolean)
        throw host::UserError(QStringLiteral("Resposta inesperada do servidor de aplicação ao conferir a senha: %1.")
                                  .arg(host::describe(answer)));
    return answer.boolean();
}

}  // namespace

bool confirmPassword(const QString& operatorCode, const QString& caption, const QString& label) {
    const QString code = host::Ajusta(operatorCode, kOperatorChars);
    if (code.isEmpty()) throw host::UserError(QStringLiteral("Operador da senha a conferir não informado."));
    const std::optional<QString> typed = host::dialogs().askPassword(caption, label);
    if (!typed) return false;
    if (typed->isEmpty()) {
        host::dialogs().showError(QStringLiteral("Senha deve ser informada."));
        return false;
    }
    if (serverConfirms(code, *typed)) return true;
    host::dialogs().showError(QStringLiteral("Senha não confere."));
    return false;
}

}  // namespace platform::library
