// How long the demo data takes on SQLite: scale 1 (the demo and the screen tests,
// 200 AFs) and scale 50 (10,000 AFs, 100,000 items). The large scale (500:
// 100,000 AFs, 1,000,000 items) is run by hand with the afdemodata tool.
//   cmake --build build --target demodata_bench && build/bench/demodata_bench
#include "platform/demodata/demo_data.h"

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>

namespace {

void BM_DemoDataSqlite(benchmark::State& state) {
    const int scale = int(state.range(0));
    qint64 rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        state.ResumeTiming();
        {
            afdb::Database db(afdb::Config::sqlite(dir->filePath(QStringLiteral("demo.db"))));
            rows += afdemo::generateDemoData(db, {.scale = scale}).rows;
        }
        state.PauseTiming();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["linhas/s"] = benchmark::Counter(double(rows), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_DemoDataSqlite)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DemoDataSqlite)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // Qt's SQL drivers expect one
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
