#pragma once
// Calls a server that lives in this process (the embedded default): the
// request is still encoded and the answer decoded, exactly as over HTTP.
#include "remote_transport.h"

namespace host {

class InProcessTransport : public RemoteTransport {
public:
    explicit InProcessTransport(RpcRequestHandler handler);
    void open(const QString& host, int port) override;
    void close() override;
    QByteArray exchange(const QByteArray& request) override;

private:
    RpcRequestHandler m_handler;
};

}  // namespace host
