#include "afdesk/core/workspace/server_calls.h"

#include "afdesk/core/model/dataset_packets.h"
#include "host/remote/check_result.h"

namespace afdesk {

QByteArray callPacket(host::RemoteConnection& connection, const QString& method, std::vector<host::RemoteArg> args) {
    const host::RemoteValue v = host::CheckResultServ(connection.call(method, std::move(args)), true, 0);
    if (v.kind() != host::RemoteKind::Packet)
        throw host::UserError(QStringLiteral("O servidor não devolveu os dados pedidos (%1).").arg(method));
    return v.packetBytes();
}

void loadFromServer(host::Dataset& ds, host::RemoteConnection& connection, const QString& method,
                    std::vector<host::RemoteArg> args) {
    loadPacket(ds, callPacket(connection, method, std::move(args)));
}

}  // namespace afdesk
