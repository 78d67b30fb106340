#include "bench_server.h"

#include "platform/db/sql_exec.h"
#include "platform/demodata/demo_data.h"

#include "host/remote/http_transport.h"
#include "host/remote/in_process_transport.h"

#include <QtCore/QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace afbench {

namespace {

[[noreturn]] void usage(const char* program) {
    std::fprintf(stderr, "Uso: %s [--sqlite ARQUIVO | --pg CONNINFO] [--scale N] [opções do benchmark]\n", program);
    std::exit(2);
}

}  // namespace

BenchDatabaseOptions parseDatabaseOptions(int& argc, char** argv) {
    BenchDatabaseOptions out;
    out.config = afdb::Config::sqlite(QStringLiteral("/tmp/af-bench-demo.sqlite"));
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(a, "--sqlite")) {
            if (!hasValue) usage(argv[0]);
            out.config = afdb::Config::sqlite(QString::fromLocal8Bit(argv[++i]));
        } else if (!std::strcmp(a, "--pg")) {
            if (!hasValue) usage(argv[0]);
            out.config = afdb::Config::postgresFromEnvironment();
            out.config.applyConnInfo(QString::fromLocal8Bit(argv[++i]));
        } else if (!std::strcmp(a, "--scale")) {
            if (!hasValue) usage(argv[0]);
            out.scale = std::atoi(argv[++i]);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return out;
}

std::unique_ptr<afdb::Database> openBenchDatabase(const BenchDatabaseOptions& options) {
    auto db = std::make_unique<afdb::Database>(options.config);
    db->migrate();
    const qint64 afs = afdb::scalar(db->connection(), QStringLiteral("SELECT COUNT(*) FROM AUTOFORNE")).toLongLong();
    if (afs == 0) {
        std::fprintf(stderr, "gerando os dados de demonstração na escala %d...\n", options.scale);
        QElapsedTimer clock;
        clock.start();
        afdemo::DemoOptions demo;
        demo.scale = options.scale;
        const afdemo::DemoSummary s = afdemo::generateDemoData(*db, demo);
        std::fprintf(stderr, "%d AFs, %lld itens em %.0f s\n", s.afs, static_cast<long long>(s.items),
                     clock.elapsed() / 1000.0);
    }
    return db;
}

BusiestBranch busiestBranch(afdb::Database& db) {
    QSqlQuery q = afdb::exec(db.connection(),
                             QStringLiteral("SELECT CDFILDEST, COUNT(*) AS N FROM AUTOFORNE GROUP BY CDFILDEST "
                                            "ORDER BY N DESC, CDFILDEST"));
    if (!q.next()) return {};
    return {q.value(0).toString(), q.value(1).toInt()};
}

BenchServer::BenchServer(afdb::Database& db, int threads)
    : m_server(db) {
    platform::server::HttpServerOptions http;
    http.port = 0;
    http.threads = threads;
    m_http = std::make_unique<platform::server::RpcHttpServer>(m_server.dispatcher(), http);
    m_http->start();
    m_port = m_http->port();
}

BenchServer::~BenchServer() { m_http->stop(); }

std::unique_ptr<host::RemoteConnection> BenchServer::connect(const QString& module, bool inProcess) {
    const auto transport = [&]() -> std::unique_ptr<host::RemoteTransport> {
        if (inProcess) return std::make_unique<host::InProcessTransport>(m_server.dispatcher().requestHandler());
        return std::make_unique<host::HttpTransport>();
    };
    host::RemoteConnection session(host::names::session::module, transport());
    session.setPort(m_port);
    const QString token = session.login(QStringLiteral("ADMIN"), QStringLiteral("admin")).token;
    auto net = std::make_unique<host::RemoteConnection>(module, transport());
    net->setPort(m_port);
    net->setSessionToken(token);
    return net;
}

host::RemoteResult callServAutoForne(host::RemoteConnection& net, const QString& branch) {
    const host::RemoteValue none;
    QString situations = QStringLiteral("1_2_3_4_5");
    return net.call(QStringLiteral("GetServAutoForne"),
                    {branch, QStringLiteral("T"), QStringLiteral("T"), none, none, QStringLiteral("T"),
                     QStringLiteral("T"), host::byRef(situations), QStringLiteral("X"), none, none,
                     QStringLiteral("T"), QStringLiteral("T"), false});
}

}  // namespace afbench
