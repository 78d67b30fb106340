// GetServAutoForne (the AF list of one destination branch) through the whole
// server path over HTTP, against the bare query plus its packet encoding on the
// same engine. The branch is the one with the most AFs in the large demo
// database (about 10,000 at scale 500).
//
//   af_list_bench [--sqlite FILE | --pg CONNINFO] [--scale N] [benchmark flags]
#include "bench_server.h"

#include "platform/server/modules/lanca_autof/lanca_autof_fields.h"
#include "platform/server/modules/lanca_autof/lanca_autof_methods.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/data/dataset.h"

#include <QtCore/QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

namespace modules = platform::server::modules;

afdb::Database* g_db = nullptr;
afbench::BenchServer* g_server = nullptr;
afbench::BusiestBranch g_branch;

void setCounters(benchmark::State& state, qint64 bytes) {
    state.counters["afs"] = g_branch.afs;
    state.counters["packet_bytes"] = double(bytes);
}

// What any server must at least do: run the query and encode the rows.
void BM_BareQueryAndEncode(benchmark::State& state) {
    const QString sql = modules::servAutoForneSelect() +
                        QStringLiteral("WHERE A.CDFILDEST = :DEST ORDER BY A.DTAUTOFORN, A.CDFILLANC, A.NRAUTOFORN");
    const modules::Fields fields = modules::fields::servAutoForne();
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray packet = modules::queryPacket(g_db->connection(), fields, sql, {{"DEST", g_branch.code}});
        bytes = packet.size();
        benchmark::DoNotOptimize(packet.constData());
    }
    setCounters(state, bytes);
}

// Calls the method until the benchmark has enough; false when a call failed.
void callRepeatedly(benchmark::State& state, host::RemoteConnection& net) {
    // Steady state: the worker's database connection is opened and the
    // statement prepared once, by a call outside the measure.
    afbench::callServAutoForne(net, g_branch.code);
    qint64 bytes = 0;
    for (auto _ : state) {
        const host::RemoteResult r = afbench::callServAutoForne(net, g_branch.code);
        if (!r.ok()) {
            state.SkipWithError(r.error().toStdString().c_str());
            return;
        }
        bytes = r.value().packetBytes().size();
    }
    setCounters(state, bytes);
}

// The embedded server's path: the dispatcher without HTTP.
void BM_InProcessGetServAutoForne(benchmark::State& state) {
    callRepeatedly(state, *g_server->connect(QStringLiteral("Cmp03900.rdmLancaAutoF"), true));
}

void BM_HttpGetServAutoForne(benchmark::State& state) {
    callRepeatedly(state, *g_server->connect(QStringLiteral("Cmp03900.rdmLancaAutoF")));
}

// The same, and the client's dataset filled from the answer (what the user waits for).
void BM_HttpGetServAutoForneIntoDataset(benchmark::State& state) {
    auto net = g_server->connect(QStringLiteral("Cmp03900.rdmLancaAutoF"));
    host::Dataset list;
    for (const host::FieldDef& f : modules::fields::servAutoForne()) list.addField(f);
    qint64 bytes = 0;
    for (auto _ : state) {
        const host::RemoteResult r = afbench::callServAutoForne(*net, g_branch.code);
        if (!r.ok()) {
            state.SkipWithError(r.error().toStdString().c_str());
            return;
        }
        bytes = r.value().packetBytes().size();
        list.setData(r.value().packetBytes());
    }
    if (list.recordCount() != g_branch.afs) state.SkipWithError("the list does not hold every AF of the branch");
    setCounters(state, bytes);
}

BENCHMARK(BM_BareQueryAndEncode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InProcessGetServAutoForne)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HttpGetServAutoForne)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HttpGetServAutoForneIntoDataset)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the SQL drivers are plugins
    const afbench::BenchDatabaseOptions options = afbench::parseDatabaseOptions(argc, argv);
    benchmark::Initialize(&argc, argv);
    try {
        const auto db = afbench::openBenchDatabase(options);
        // One worker: every measured call runs on the connection the warm-up call opened.
        afbench::BenchServer server(*db, 1);
        g_db = db.get();
        g_server = &server;
        g_branch = afbench::busiestBranch(*db);
        std::fprintf(stderr, "filial %s: %d AFs\n", qPrintable(g_branch.code), g_branch.afs);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "af_list_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
