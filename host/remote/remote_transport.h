#pragma once
// How a connection's request bytes reach a server and its answer comes back.
// Both implementations carry the same encoded messages, so a call behaves the
// same whether the server runs in this process or across the network.
#include "host/data/errors.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <functional>

namespace host {

// The server could not be reached or did not answer; the message is Portuguese
// and names the server.
class TransportError : public UserError {
public:
    using UserError::UserError;
};

class RemoteTransport {
public:
    virtual ~RemoteTransport() = default;
    // Records where the server is. Does no I/O: an unreachable server is found
    // by the first exchange.
    virtual void open(const QString& host, int port) = 0;
    virtual void close() = 0;
    // Sends one encoded request and returns the encoded answer. Throws
    // TransportError when no answer can be had.
    virtual QByteArray exchange(const QByteArray& request) = 0;
};

// The server side seen from a transport: encoded request in, encoded response
// out, never throwing. Must be callable from any thread.
using RpcRequestHandler = std::function<QByteArray(const QByteArray&)>;

}  // namespace host
