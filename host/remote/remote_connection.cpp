#include "remote_connection.h"

#include "http_transport.h"
#include "rpc_codec.h"

namespace host {

namespace {

const QString kBadAnswer = QStringLiteral("Resposta inválida do servidor de aplicação: ");

}  // namespace

RemoteConnection::RemoteConnection(QString moduleName, std::unique_ptr<RemoteTransport> transport)
    : m_module(std::move(moduleName)), m_transport(std::move(transport)) {}

RemoteConnection::~RemoteConnection() { close(); }

void RemoteConnection::setTransport(std::unique_ptr<RemoteTransport> transport) {
    close();
    m_transport = std::move(transport);
}

void RemoteConnection::open() {
    if (m_open) return;
    if (m_beforeConnect) m_beforeConnect(*this);
    if (!m_transport) m_transport = std::make_unique<HttpTransport>();
    m_transport->open(m_host, m_port);
    m_open = true;
}

void RemoteConnection::close() {
    if (!m_open) return;
    m_open = false;
    m_transport->close();
}

RemoteResult RemoteConnection::call(const QString& method, std::vector<RemoteArg> args) {
    return invoke(m_module, method, args);
}

RemoteResult RemoteConnection::invoke(const QString& module, const QString& method, std::vector<RemoteArg>& args) {
    if (!m_open) open();
    RpcRequest request{module, method, m_token, {}, {}};
    request.args.reserve(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        request.args.push_back(args[i].value());
        if (args[i].isByRef()) request.byRef.push_back(int(i));
    }

    RpcResponse response;
    try {
        const QByteArray answer = m_transport->exchange(encodeRequest(request));
        response = decodeResponse(answer);
    } catch (const UserError& e) {  // RpcError, TransportError
        return RemoteResult::failure(e.message());
    } catch (const std::exception& e) {
        return RemoteResult::failure(QStringLiteral("Falha na chamada ao servidor de aplicação: %1")
                                         .arg(QString::fromLocal8Bit(e.what())));
    }
    if (!response.ok) {
        if (response.message.isEmpty())
            return RemoteResult::failure(
                QStringLiteral("O servidor de aplicação recusou a operação sem informar o motivo."));
        return RemoteResult::failure(response.message);
    }

    // All written back or none: check every value before touching a variable.
    if (response.byRef.size() != request.byRef.size())
        return RemoteResult::failure(kBadAnswer + QStringLiteral("%1 valores por referência; a chamada enviou %2.")
                                                      .arg(response.byRef.size())
                                                      .arg(request.byRef.size()));
    for (size_t k = 0; k < request.byRef.size(); ++k) {
        const RemoteArg& arg = args[size_t(request.byRef[k])];
        if (!arg.accepts(response.byRef[k]))
            return RemoteResult::failure(kBadAnswer + QStringLiteral("o argumento %1, por referência, voltou como %2; "
                                                                     "esperado %3.")
                                                          .arg(request.byRef[k] + 1)
                                                          .arg(remoteKindName(response.byRef[k].kind()),
                                                               arg.targetKindName()));
    }
    for (size_t k = 0; k < request.byRef.size(); ++k)
        args[size_t(request.byRef[k])].assign(std::move(response.byRef[k]));
    return RemoteResult::success(std::move(response.value));
}

RemoteLogin RemoteConnection::login(const QString& operatorCode, const QString& password) {
    m_token.clear();
    std::vector<RemoteArg> args{operatorCode, password};
    const RemoteResult r = invoke(names::session::module, names::session::Login, args);
    if (!r.ok()) throw UserError(r.error());
    const RemoteValue& v = r.value();
    if (v.kind() != RemoteKind::Array || v.array().size() != 3 || v.array()[0].kind() != RemoteKind::Text ||
        v.array()[0].text().isEmpty())
        throw UserError(kBadAnswer + QStringLiteral("login sem sessão (%1).").arg(describe(v)));
    RemoteLogin login{v.array()[0].text(), v.array()[1].toText(), v.array()[2].toText()};
    m_token = login.token;
    return login;
}

void RemoteConnection::logout() {
    if (m_token.isEmpty()) return;
    std::vector<RemoteArg> args;
    const RemoteResult r = invoke(names::session::module, names::session::Logout, args);
    m_token.clear();
    if (!r.ok()) throw UserError(r.error());
}

}  // namespace host
