#include "in_process_transport.h"

namespace host {

InProcessTransport::InProcessTransport(RpcRequestHandler handler) : m_handler(std::move(handler)) {}

void InProcessTransport::open(const QString&, int) {}

void InProcessTransport::close() {}

QByteArray InProcessTransport::exchange(const QByteArray& request) {
    if (!m_handler) throw TransportError(QStringLiteral("Servidor de aplicação interno não configurado."));
    return m_handler(request);
}

}  // namespace host
