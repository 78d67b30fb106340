#pragma once
// The remote-call wire format: one CBOR message per request and per response,
// carried as the body of an HTTP POST or handed over in process. The byte
// layout is a contract between client and server, described exactly, with its
// version number, in docs/remote-calls.md; any change to it needs a new version.
#include "remote_value.h"

#include "host/data/errors.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <vector>

namespace host {

inline constexpr char kRpcContentType[] = "application/cbor";
inline constexpr quint64 kRpcVersion = 1;

// Bounds checked before anything is allocated, so a hostile or corrupted body
// is refused with a message instead of exhausting memory or the stack.
struct RpcLimits {
    qsizetype maxBytes = 64LL * 1024 * 1024;  // whole message
    int maxArgs = 256;
    int maxDepth = 8;              // arrays nested inside one value
    qint64 maxValues = 1'000'000;  // every value of the message, array items included
    int maxNameChars = 128;        // module and method names
    int maxSessionChars = 128;
};

// Limits for what a client accepts from its server: a data packet answer may be
// much larger than any request.
RpcLimits clientResponseLimits();

struct RpcRequest {
    QString module;
    QString method;
    QString session;  // empty when the caller has no session (login)
    std::vector<RemoteValue> args;
    std::vector<int> byRef;  // indexes into args, strictly ascending
};

struct RpcResponse {
    bool ok = false;
    RemoteValue value;               // ok only
    std::vector<RemoteValue> byRef;  // ok only: the by-reference arguments' values, in the request's order
    QString message;                 // failure only: shown to the user as it is

    static RpcResponse success(RemoteValue value, std::vector<RemoteValue> byRef = {});
    static RpcResponse failure(QString message);
};

// A message that cannot be read or written within the rules (truncated,
// corrupted, too large, too deep, newer version, a packet value that is not a
// data packet).
class RpcError : public UserError {
public:
    using UserError::UserError;
};

QByteArray encodeRequest(const RpcRequest& request, const RpcLimits& limits = {});
RpcRequest decodeRequest(const QByteArray& bytes, const RpcLimits& limits = {});
QByteArray encodeResponse(const RpcResponse& response, const RpcLimits& limits = {});
RpcResponse decodeResponse(const QByteArray& bytes, const RpcLimits& limits = clientResponseLimits());

}  // namespace host
