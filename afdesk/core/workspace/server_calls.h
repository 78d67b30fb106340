#pragma once
// The workspace's remote reads: a call whose answer is a data packet, checked
// as every result is, then loaded into a dataset.
#include "host/remote/remote_call.h"
#include "host/remote/remote_connection.h"

#include <QtCore/QByteArray>
#include <vector>

namespace host {
class Dataset;
}

namespace afdesk {

// The packet the method answers; the server's failure is raised as UserError.
QByteArray callPacket(host::RemoteConnection& connection, const QString& method,
                      std::vector<host::RemoteArg> args = {});

// The same, loaded into the dataset (its marker says "bulk" meanwhile).
void loadFromServer(host::Dataset& ds, host::RemoteConnection& connection, const QString& method,
                    std::vector<host::RemoteArg> args = {});

}  // namespace afdesk
