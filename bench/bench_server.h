#pragma once
// What the server benchmarks share: the large demo database (generated on
// first use), and an application server over it with the session module and
// "Cmp03900.rdmLancaAutoF", served over HTTP on a free port of 127.0.0.1.
#include "platform/db/database.h"
#include "platform/server/modules/application_server.h"
#include "platform/server/rpc_http_server.h"

#include "host/remote/remote_connection.h"

#include <QtCore/QString>
#include <memory>
#include <vector>

namespace afbench {

struct BenchDatabaseOptions {
    afdb::Config config;  // SQLite file or PostgreSQL
    int scale = 500;      // used only when the database holds no AF yet
};

// Reads --sqlite FILE | --pg CONNINFO and --scale N from argv (removing them);
// without an engine option, a SQLite file under /tmp. Exits with a usage line
// on a bad option.
BenchDatabaseOptions parseDatabaseOptions(int& argc, char** argv);

// Opens the database, migrating it, and fills it with demo data at the
// options' scale when it has no AF (minutes at scale 500).
std::unique_ptr<afdb::Database> openBenchDatabase(const BenchDatabaseOptions& options);

// The destination branch with the most AFs, and their count.
struct BusiestBranch {
    QString code;
    int afs = 0;
};
BusiestBranch busiestBranch(afdb::Database& db);

class BenchServer {
public:
    explicit BenchServer(afdb::Database& db, int threads = 32);
    ~BenchServer();
    int port() const { return m_port; }
    // A connection to the module, logged in as the demo ADMIN: over HTTP, or
    // straight into the dispatcher (the embedded server's path).
    std::unique_ptr<host::RemoteConnection> connect(const QString& module, bool inProcess = false);

private:
    platform::server::modules::ApplicationServer m_server;
    std::unique_ptr<platform::server::RpcHttpServer> m_http;
    int m_port = 0;
};

// GetServAutoForne asking for every AF of the destination branch (all buyers
// and suppliers, every situation, open ones too, no date limits).
host::RemoteResult callServAutoForne(host::RemoteConnection& net, const QString& branch);

}  // namespace afbench
