// The grid over a large dataset: a reset (new content), painting a screenful,
// scrolling a page and moving the cursor must not depend on the row count.
#include "platform/kit/data_source.h"
#include "platform/kit/db_grid.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <benchmark/benchmark.h>

namespace {

struct Big {
    host::Dataset ds{QStringLiteral("cdsGrande")};
    kit::DataSource source{&ds};
    explicit Big(int rows) {
        ds.addField(host::FieldDef::integer("NRSEQ", "Seq."));
        ds.addField(host::FieldDef::string("DSITEM", 30, "Item"));
        ds.addField(host::FieldDef::floating("QTDE", "Qtde", "###,##0.000"));
        ds.addField(host::FieldDef::dateTime("DTENTREGA", "Entrega"));
        ds.createDataset();
        ds.disableControls();
        for (int i = 0; i < rows; ++i) {
            ds.append();
            ds.field("NRSEQ").setAsInteger(i + 1);
            ds.field("DSITEM").setAsString(QStringLiteral("Item %1").arg(i + 1));
            ds.field("QTDE").setAsFloat(i * 1.5);
            ds.field("DTENTREGA").setAsDateTime(host::DateTime::fromDate(QDate(2025, 1, 1).addDays(i % 365)));
            ds.post();
        }
        ds.enableControls();
        ds.first();
    }
};

void render(kit::DBGrid& grid) {
    QPixmap target(grid.viewport()->size());
    grid.viewport()->render(&target);
}

void BM_ResetAndPaint(benchmark::State& state) {
    Big big(int(state.range(0)));
    kit::DBGrid grid;
    grid.resize(800, 600);
    grid.setDataSource(&big.source);
    grid.show();
    for (auto _ : state) {
        big.ds.disableControls();
        big.ds.enableControls();  // one DataSetChanged: the grid resets
        render(grid);
    }
}
BENCHMARK(BM_ResetAndPaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ScrollPage(benchmark::State& state) {
    Big big(int(state.range(0)));
    kit::DBGrid grid;
    grid.resize(800, 600);
    grid.setDataSource(&big.source);
    grid.show();
    QScrollBar* bar = grid.verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        render(grid);
    }
}
BENCHMARK(BM_ScrollPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_MoveCursor(benchmark::State& state) {
    Big big(int(state.range(0)));
    kit::DBGrid grid;
    grid.resize(800, 600);
    grid.setDataSource(&big.source);
    grid.show();
    for (auto _ : state) {
        if (!big.ds.next()) big.ds.first();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MoveCursor)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
