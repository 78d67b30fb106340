// Many clients loading AFs at once from one application server: each client
// logs in, then for the whole run opens random AFs the way the workspace does
// (header, item products, items, taxes), one call at a time. Prints the calls
// per second and the latency percentiles of single calls; logins happen before
// the measure.
//
//   af_load_tool [--sqlite FILE | --pg CONNINFO] [--scale N]
//                [--connect HOST:PORT] [--clients 32] [--seconds 30]
//
// Without --connect the server runs in this process (the same registry,
// dispatcher and HTTP server as afserver); with it, the clients call a running
// afserver over the same database.
#include "bench_server.h"

#include "platform/db/sql_exec.h"

#include "host/remote/http_transport.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

namespace {

struct AfKey {
    QString dest, launch, number;
};

struct ToolOptions {
    QString connectHost;
    int connectPort = 0;
    int clients = 32;
    int seconds = 30;
};

ToolOptions parseToolOptions(int argc, char** argv) {
    ToolOptions out;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--connect") && hasValue) {
            const QString hostPort = QString::fromLocal8Bit(argv[++i]);
            out.connectHost = hostPort.section(QLatin1Char(':'), 0, 0);
            out.connectPort = hostPort.section(QLatin1Char(':'), 1).toInt();
        } else if (!std::strcmp(argv[i], "--clients") && hasValue) {
            out.clients = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--seconds") && hasValue) {
            out.seconds = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "opção desconhecida: %s\n", argv[i]);
            std::exit(2);
        }
    }
    return out;
}

std::vector<AfKey> sampleAfs(afdb::Database& db) {
    std::vector<AfKey> keys;
    QSqlQuery q = afdb::exec(db.connection(), QStringLiteral("SELECT CDFILDEST, CDFILLANC, NRAUTOFORN FROM AUTOFORNE"));
    while (q.next()) keys.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    return keys;
}

struct ClientTally {
    std::vector<double> latenciesMs;
    int failures = 0;
    QString firstFailure;
};

std::unique_ptr<host::RemoteConnection> loginClient(const QString& host, int port) {
    host::RemoteConnection session(host::names::session::module, std::make_unique<host::HttpTransport>());
    session.setHost(host);
    session.setPort(port);
    const QString token = session.login(QStringLiteral("ADMIN"), QStringLiteral("admin")).token;
    auto net = std::make_unique<host::RemoteConnection>(QStringLiteral("Cmp03900.rdmLancaAutoF"),
                                                        std::make_unique<host::HttpTransport>());
    net->setHost(host);
    net->setPort(port);
    net->setSessionToken(token);
    return net;
}

// Logs every client in before the measure starts: a login verifies an Argon2id
// hash on purpose slowly, and 32 of them queued in front of the first loads
// would be counted as load latency.
std::vector<std::unique_ptr<host::RemoteConnection>> loginClients(int count, const QString& host, int port,
                                                                  std::vector<ClientTally>& tallies) {
    std::vector<std::unique_ptr<host::RemoteConnection>> nets(static_cast<size_t>(count));
    std::vector<std::thread> logins;
    for (int i = 0; i < count; ++i) {
        logins.emplace_back([&, i] {
            try {
                nets[size_t(i)] = loginClient(host, port);
            } catch (const std::exception& e) {
                tallies[size_t(i)].failures++;
                tallies[size_t(i)].firstFailure = QString::fromUtf8(e.what());
            }
        });
    }
    for (std::thread& t : logins) t.join();
    return nets;
}

void runClient(int id, host::RemoteConnection* net, const std::vector<AfKey>& keys,
               std::chrono::steady_clock::time_point end, ClientTally& tally) {
    static const char* const kLoads[] = {"GetAutoForne", "GetItemAutf_Produto", "GetItemAutF", "GetImpostoAF"};
    if (!net) return;  // its login failed, already counted
    std::mt19937 rng(std::uint32_t(1000 + id));
    std::uniform_int_distribution<size_t> pick(0, keys.size() - 1);
    while (std::chrono::steady_clock::now() < end) {
        const AfKey& af = keys[pick(rng)];
        for (const char* method : kLoads) {
            const auto start = std::chrono::steady_clock::now();
            const host::RemoteResult r = net->call(QString::fromLatin1(method), {af.dest, af.launch, af.number});
            const auto done = std::chrono::steady_clock::now();
            tally.latenciesMs.push_back(std::chrono::duration<double, std::milli>(done - start).count());
            if (!r.ok() && tally.failures++ == 0) tally.firstFailure = r.error();
        }
    }
}

double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const size_t i = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[i];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const afbench::BenchDatabaseOptions dbOptions = afbench::parseDatabaseOptions(argc, argv);
    const ToolOptions options = parseToolOptions(argc, argv);
    try {
        const auto db = afbench::openBenchDatabase(dbOptions);
        const std::vector<AfKey> keys = sampleAfs(*db);
        if (keys.empty()) throw std::runtime_error("the database holds no AF");

        std::unique_ptr<afbench::BenchServer> inProcess;
        QString host = options.connectHost;
        int port = options.connectPort;
        if (port == 0) {
            inProcess = std::make_unique<afbench::BenchServer>(*db);
            host = QStringLiteral("127.0.0.1");
            port = inProcess->port();
        }

        std::vector<ClientTally> tallies(size_t(options.clients));
        const auto nets = loginClients(options.clients, host, port, tallies);
        std::vector<std::thread> clients;
        QElapsedTimer clock;
        clock.start();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
        for (int i = 0; i < options.clients; ++i)
            clients.emplace_back(runClient, i, nets[size_t(i)].get(), std::cref(keys), end, std::ref(tallies[size_t(i)]));
        for (std::thread& t : clients) t.join();
        const double elapsed = clock.elapsed() / 1000.0;

        std::vector<double> all;
        int failures = 0;
        QString firstFailure;
        for (const ClientTally& t : tallies) {
            all.insert(all.end(), t.latenciesMs.begin(), t.latenciesMs.end());
            failures += t.failures;
            if (firstFailure.isEmpty()) firstFailure = t.firstFailure;
        }
        std::sort(all.begin(), all.end());
        std::printf("clientes %d  duração %.1f s  chamadas %zu  chamadas/s %.0f  falhas %d\n", options.clients,
                    elapsed, all.size(), double(all.size()) / elapsed, failures);
        std::printf("latência ms: p50 %.2f  p90 %.2f  p99 %.2f  máx %.2f\n", percentile(all, 0.50),
                    percentile(all, 0.90), percentile(all, 0.99), all.empty() ? 0.0 : all.back());
        if (failures) std::printf("primeira falha: %s\n", qPrintable(firstFailure));
        return failures ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "af_load_tool: %s\n", e.what());
        return 1;
    }
}
