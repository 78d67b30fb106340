#pragma once
// The fixture of the module's tests: the minimal world plus a handful of AFs
// that tell the filters apart, a dispatcher with the module, and a session.
//
//   AF   dest lanc buyer      supplier AF date           delivery  receipt
//   cons. limit 1    0002 0001 COMPRADOR1 S1       2024-03-05        03-20 open
//   2    0002 0001 COMPRADOR1 S2       2024-04-10 15:00  04-25     "2"     "1"
//   3    0002 0002 OPERADOR1  S1       2024-05-01        05-15     "5" "S" 4
//   0001 0001 OPERADOR1  S2       2024-03-31 14:30  06-01     "7" (EDI) 5 0002
//   0001 COMPRADOR1 S1       2024-06-01        06-10 (item 07-15) "1"
// Grouping "G1" holds branch 0001.
#include "platform/server/modules/common/afdb_database_provider.h"
#include "platform/server/modules/lanca_autof/lanca_autof_module.h"

#include "platform/db/testing/fixture_rows.h"
#include "platform/db/testing/test_database.h"
#include "platform/server/dispatcher.h"
#include "platform/server/rpc_http_server.h"

#include "host/data/data_packet.h"
#include "host/remote/remote_connection.h"
#include "host/remote/rpc_codec.h"

#include <memory>

namespace platform::server::modules::testing {

inline const QString kSupplier2 = QStringLiteral("000000000000000000456");

host::DateTime day(int y, int m, int d, int h = 0, int min = 0);
QString afNumber(int n);  // "000000000n"

// The AFs of the table above (and the second supplier, grouping "G1"), on the minimal world.
void seedLancaAutoFAfs(const QSqlDatabase& db, const afdb::testing::MinimalWorld& w);

// The module reached the way the client reaches it: an HTTP server on a free
// port in front of the dispatcher, and a connection of one session to it.
class ModuleOverHttp {
public:
    ModuleOverHttp(const Dispatcher& dispatcher, const QString& token);
    host::RemoteConnection& connection() { return m_connection; }
    // Stops the server before the test reads what it answered.
    void stop() { m_server.stop(); }

private:
    static HttpServerOptions options();
    RpcHttpServer m_server;
    host::RemoteConnection m_connection;
};

class LancaAutoFTest : public afdb::testing::MigratedEngineTest {
protected:
    void SetUp() override;

    // Runs one call through the dispatcher as COMPRADOR1's session.
    host::RpcResponse call(const QString& method, std::vector<host::RemoteValue> args, std::vector<int> byRef = {});
    // The call's packet, failing the test when the call failed.
    host::Packet packetOf(const QString& method, std::vector<host::RemoteValue> args, std::vector<int> byRef = {});

    afdb::testing::MinimalWorld world;
    std::unique_ptr<AfdbDatabaseProvider> provider;
    ModuleRegistry registry;
    SessionManager sessions;
    std::unique_ptr<Dispatcher> dispatcher;
    QString token;
};

// A column of every row, as text (null as "").
QStringList column(const host::Packet& p, const QString& field);
QString text(const host::Packet& p, int row, const QString& field);
host::Value value(const host::Packet& p, int row, const QString& field);

}  // namespace platform::server::modules::testing
