#pragma once
// The afserver command line:
//
//   afserver (--sqlite FILE | --pg "CONNINFO") [--listen 127.0.0.1:8211]
//            [--threads N] [--max-request-mb N] [--session-idle-minutes N]
//            [--max-connections N] [--max-connections-per-address N]
//            [--trusted-proxy ADDRESS[,ADDRESS...]]
//   afserver (--sqlite FILE | --pg "CONNINFO") --set-password OPERADOR
//   afserver --help
//
// --set-password reads the new password from standard input and stores its hash.
#include "database_provider.h"
#include "rpc_http_server.h"
#include "session_manager.h"

#include "host/remote/rpc_codec.h"

#include <QtCore/QStringList>

namespace platform::server {

struct ServerConfig {
    HttpServerOptions http;
    SessionOptions sessions;
    host::RpcLimits limits;
    QtSqlDatabaseProvider::Settings database;
    QString setPasswordFor;  // not empty: set that operator's password and exit
    bool help = false;       // --help or -h: print the usage and exit
};

// Throws host::UserError with a Portuguese message naming the bad option.
ServerConfig parseServerArgs(const QStringList& args);

QString serverUsage();

}  // namespace platform::server
