// Dataset figures on a 100,000-row x 30-field table: fill from a packet against
// a bare CBOR parse of the same bytes, whole packet and delta, filter, locate,
// and memory against the raw size of the values.
#include "host/data/dataset.h"

#include <benchmark/benchmark.h>

#include <QtCore/QCborValue>
#include <malloc.h>

using namespace host;

namespace {

constexpr int kRows = 100'000;

// 30 fields shaped like an AF item list: codes, names, quantities, prices, dates, flags.
void defineFields(Dataset& ds) {
    for (int i = 0; i < 10; ++i) ds.addField(FieldDef::string(QStringLiteral("S%1").arg(i), 30));
    for (int i = 0; i < 8; ++i) ds.addField(FieldDef::floating(QStringLiteral("F%1").arg(i)));
    for (int i = 0; i < 4; ++i) ds.addField(FieldDef::integer(QStringLiteral("I%1").arg(i)));
    for (int i = 0; i < 4; ++i) ds.addField(FieldDef::dateTime(QStringLiteral("D%1").arg(i)));
    for (int i = 0; i < 4; ++i) ds.addField(FieldDef::string(QStringLiteral("ID%1").arg(i), 1));
}

// Deterministic content; the raw size counts each value's own bytes (UTF-16 text, 8-byte numbers).
QByteArray makePacket(int rows, size_t* rawBytes = nullptr) {
    Packet p;
    Dataset shape;
    defineFields(shape);
    for (Field* f : shape.fields()) p.fields.push_back(f->def());
    p.rows.resize(size_t(rows));
    size_t raw = 0;
    quint32 seed = 12345;
    auto rnd = [&seed] {  // LCG; the high bits, since the low ones cycle quickly
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const DateTime base = DateTime::fromDate(QDate(2026, 1, 1));
    for (int r = 0; r < rows; ++r) {
        auto& v = p.rows[size_t(r)].values;
        v.reserve(30);
        for (int i = 0; i < 10; ++i) {
            QString s = QStringLiteral("%1-%2").arg(i == 0 ? r : int(rnd() % 5000), 10, 10, QLatin1Char('0')).arg(i);
            if (i >= 5) s += QStringLiteral(" descrição ") + QString::number(rnd() % 100);
            raw += size_t(s.size()) * 2;
            v.emplace_back(std::move(s));
        }
        for (int i = 0; i < 8; ++i) v.emplace_back(double(rnd() % 100000) / 100.0);
        for (int i = 0; i < 4; ++i) v.emplace_back(qint64(rnd() % 1000));
        for (int i = 0; i < 4; ++i) v.emplace_back(DateTime{base.msecs + qint64(rnd() % 365) * 86'400'000});
        for (int i = 0; i < 4; ++i) v.emplace_back(QString(QChar(u'0' + int(rnd() % 6))));
        raw += 8 * 16 + 4 * 2;
    }
    if (rawBytes) *rawBytes = raw;
    return encodePacket(p);
}

const QByteArray& packet() {
    static const QByteArray bytes = makePacket(kRows);
    return bytes;
}

void BM_BareCborParse(benchmark::State& state) {
    const QByteArray& bytes = packet();
    for (auto _ : state) {
        QCborValue v = QCborValue::fromCbor(bytes);
        benchmark::DoNotOptimize(v);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_BareCborParse)->Unit(benchmark::kMillisecond);

void BM_FillFromPacket(benchmark::State& state) {
    const QByteArray& bytes = packet();
    for (auto _ : state) {
        Dataset ds;
        defineFields(ds);
        ds.setData(bytes);
        benchmark::DoNotOptimize(ds.recordCount());
        state.PauseTiming();  // freeing 3 million values is not part of the fill
        ds.close();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_FillFromPacket)->Unit(benchmark::kMillisecond);

void BM_WholePacket(benchmark::State& state) {
    Dataset ds;
    defineFields(ds);
    ds.setData(packet());
    for (auto _ : state) benchmark::DoNotOptimize(ds.data());
}
BENCHMARK(BM_WholePacket)->Unit(benchmark::kMillisecond);

void BM_Delta10kChangedRows(benchmark::State& state) {
    Dataset ds;
    defineFields(ds);
    ds.setData(packet());
    ds.mergeChangeLog();
    Field& qty = ds.field("F0");
    Field& note = ds.field("S7");
    for (int i = 0; i < 10'000; ++i) {
        ds.setRecNo(i * 10 + 1);
        ds.edit();
        qty.setAsFloat(qty.asFloat() + 1);
        note.clear();
        ds.post();
    }
    for (auto _ : state) benchmark::DoNotOptimize(ds.delta());
    state.counters["changes"] = ds.changeCount();
}
BENCHMARK(BM_Delta10kChangedRows)->Unit(benchmark::kMillisecond);

void BM_FilterText(benchmark::State& state) {
    Dataset ds;
    defineFields(ds);
    ds.setData(packet());
    ds.setFiltered(true);
    int visible = 0;
    for (auto _ : state) {
        ds.setFilter(QStringLiteral("[ID0]= '3' and [F1] >= 200,5 and [D0] <> NULL"));
        visible = ds.recordCount();
        state.PauseTiming();
        ds.setFilter(QString());
        state.ResumeTiming();
    }
    state.counters["visible"] = visible;
}
BENCHMARK(BM_FilterText)->Unit(benchmark::kMillisecond);

void BM_LocateLastRow(benchmark::State& state) {
    Dataset ds;
    defineFields(ds);
    ds.setData(packet());
    const QString wanted = QStringLiteral("%1-0").arg(kRows - 1, 10, 10, QLatin1Char('0'));
    for (auto _ : state) {
        ds.first();
        if (!ds.locate(QStringLiteral("S0"), wanted, {true, false})) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_LocateLastRow)->Unit(benchmark::kMillisecond);

void BM_MemoryOf100kRows(benchmark::State& state) {
    size_t raw = 0;
    const QByteArray bytes = makePacket(kRows, &raw);
    double ratio = 0, heapMiB = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        auto ds = std::make_unique<Dataset>();
        defineFields(*ds);
        ds->setData(bytes);
        const size_t used = mallinfo2().uordblks - before;
        heapMiB = double(used) / (1024 * 1024);
        ratio = double(used) / double(raw);
    }
    state.counters["heap_MiB"] = heapMiB;
    state.counters["raw_MiB"] = double(raw) / (1024 * 1024);
    state.counters["ratio"] = ratio;
}
BENCHMARK(BM_MemoryOf100kRows)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
