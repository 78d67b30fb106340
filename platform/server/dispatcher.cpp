#include "dispatcher.h"

#include "call_context.h"
#include "server_log.h"

#include "host/data/errors.h"

#include <QtCore/QElapsedTimer>
#include <thread>

namespace platform::server {

using host::RemoteValue;
using host::RpcRequest;
using host::RpcResponse;

namespace {

QString qualified(const RpcRequest& r) { return r.module + QLatin1Char('.') + r.method; }

// Checks count, kinds and by-reference positions; returns the refusal, or an
// empty text when the arguments fit.
QString checkArguments(const RpcRequest& r, const MethodDef& m) {
    const QString where = qualified(r);
    if (r.args.size() != m.args.size())
        return QStringLiteral("O método \"%1\" espera %2 argumento(s); recebeu %3.")
            .arg(where)
            .arg(m.args.size())
            .arg(r.args.size());
    size_t nextRef = 0;
    for (size_t i = 0; i < m.args.size(); ++i) {
        const ArgDef& param = m.args[i];
        const bool sentByRef = nextRef < r.byRef.size() && size_t(r.byRef[nextRef]) == i;
        if (sentByRef) ++nextRef;
        if (param.byRef && !sentByRef)
            return QStringLiteral("Argumento %1 de \"%2\" deve ser passado por referência.").arg(i + 1).arg(where);
        if (!param.byRef && sentByRef)
            return QStringLiteral("Argumento %1 de \"%2\" não é passado por referência.").arg(i + 1).arg(where);
        if (!accepts(param.kind, r.args[i]))
            return QStringLiteral("Argumento %1 de \"%2\": esperado %3, recebido %4.")
                .arg(i + 1)
                .arg(where, argKindName(param.kind), host::remoteKindName(r.args[i].kind()));
    }
    return {};
}

}  // namespace

Dispatcher::Dispatcher(const ModuleRegistry& modules, SessionManager& sessions, DatabaseProvider* db,
                       host::RpcLimits limits)
    : m_modules(modules), m_sessions(sessions), m_db(db), m_limits(limits) {}

QString Dispatcher::internalError() { return QStringLiteral("Erro interno do servidor."); }

host::RpcRequestHandler Dispatcher::requestHandler() const {
    return [this](const QByteArray& body) { return handle(body); };
}

QByteArray Dispatcher::handle(const QByteArray& body, bool* badRequest) const noexcept {
    CallChannel channel;
    QByteArray answer = handle(body, channel, badRequest);
    std::this_thread::sleep_until(channel.answerNotBefore);
    return answer;
}

QByteArray Dispatcher::handle(const QByteArray& body, CallChannel& channel, bool* badRequest) const noexcept {
    if (badRequest) *badRequest = false;
    RpcResponse response;
    try {
        response = dispatch(host::decodeRequest(body, m_limits), &channel);
    } catch (const host::RpcError& e) {
        if (badRequest) *badRequest = true;
        response = RpcResponse::failure(e.message());
    } catch (const std::exception& e) {  // out of memory while decoding
        qCCritical(serverLog) << "request decoding failed:" << e.what();
        response = RpcResponse::failure(internalError());
    }
    try {
        return host::encodeResponse(response, m_limits);
    } catch (const std::exception& e) {
        // The handler's answer broke the rules (too deep, not a packet, ...).
        qCCritical(serverLog) << "response encoding failed:" << e.what();
    }
    try {
        return host::encodeResponse(RpcResponse::failure(internalError()), m_limits);
    } catch (...) {
        return {};
    }
}

RpcResponse Dispatcher::dispatch(const RpcRequest& request, CallChannel* channel) const noexcept {
    QElapsedTimer timer;
    timer.start();
    try {
        RpcResponse response = run(request, channel);
        qCDebug(serverLog).noquote() << qualified(request) << (response.ok ? "ok" : "failed") << timer.elapsed()
                                     << "ms";
        return response;
    } catch (const host::DataError& e) {  // a handler misused the data API: a bug, not the user's fault
        qCCritical(serverLog).noquote() << qualified(request) << "data error:" << e.message();
    } catch (const host::UserError& e) {
        if (const QString detail = e.detail(); !detail.isEmpty())
            qCWarning(serverLog).noquote() << qualified(request) << e.message() << "-" << detail;
        return RpcResponse::failure(e.message());
    } catch (const std::exception& e) {
        qCCritical(serverLog).noquote() << qualified(request) << "internal error:" << e.what();
    } catch (...) {
        qCCritical(serverLog).noquote() << qualified(request) << "internal error: unknown exception";
    }
    return RpcResponse::failure(internalError());
}

RpcResponse Dispatcher::run(const RpcRequest& request, CallChannel* channel) const {
    const ServerModule* module = m_modules.find(request.module);
    const MethodDef* method = module ? module->find(request.method) : nullptr;

    // Without a valid session nothing is revealed, not even whether the
    // module or method exists.
    SessionInfo session;
    if (!method || method->needsSession) {
        const SessionManager::Status status = m_sessions.touch(request.session, &session);
        if (status != SessionManager::Status::Valid) return RpcResponse::failure(SessionManager::refusal(status));
    }
    if (!module)
        return RpcResponse::failure(
            QStringLiteral("Módulo \"%1\" não existe no servidor de aplicação.").arg(request.module));
    if (!method)
        return RpcResponse::failure(
            QStringLiteral("Método \"%1\" não existe no módulo \"%2\".").arg(request.method, module->name()));
    if (const QString refusal = checkArguments(request, *method); !refusal.isEmpty())
        return RpcResponse::failure(refusal);

    CallContext ctx(module->name(), *method, request.args, session, request.session, m_db, channel);
    if (method->write) m_modules.authoriseWrite(ctx, *method->write);
    RemoteValue result = method->handler(ctx);
    return RpcResponse::success(std::move(result), ctx.takeByRefValues());
}

}  // namespace platform::server
