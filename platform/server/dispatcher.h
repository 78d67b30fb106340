#pragma once
// The server's core: decodes a request, checks its session, finds the module
// and method, checks the arguments against the signature, runs the handler
// and encodes its answer. Every outcome is an encoded response: nothing a
// client sends, and nothing a handler throws, escapes as an exception.
//
// The same bytes arrive over HTTP and from an in-process transport, so both
// paths answer identically.
#include "call_channel.h"
#include "module_registry.h"
#include "session_manager.h"

#include "host/remote/remote_transport.h"
#include "host/remote/rpc_codec.h"

namespace platform::server {

class DatabaseProvider;

class Dispatcher {
public:
    Dispatcher(const ModuleRegistry& modules, SessionManager& sessions, DatabaseProvider* db,
               host::RpcLimits limits = {});

    // Encoded request in, encoded response out. badRequest, when given, tells
    // whether the body could not be read at all (HTTP answers 400 then). An
    // answer that must wait (a refused login) is returned after the wait.
    QByteArray handle(const QByteArray& body, bool* badRequest = nullptr) const noexcept;
    // The same for a transport that knows the client's address and holds the
    // answer until channel.answerNotBefore itself.
    QByteArray handle(const QByteArray& body, CallChannel& channel, bool* badRequest = nullptr) const noexcept;
    host::RpcResponse dispatch(const host::RpcRequest& request, CallChannel* channel = nullptr) const noexcept;

    // For an InProcessTransport in the same process.
    host::RpcRequestHandler requestHandler() const;
    const host::RpcLimits& limits() const { return m_limits; }

    static QString internalError();

private:
    host::RpcResponse run(const host::RpcRequest& request, CallChannel* channel) const;

    const ModuleRegistry& m_modules;
    SessionManager& m_sessions;
    DatabaseProvider* m_db;
    host::RpcLimits m_limits;
};

}  // namespace platform::server
