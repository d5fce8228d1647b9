#include "TrpDBDataset.h"
#include "TrpReport.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray kitchenTicket() {
    QFile file(QStringLiteral(VELORIA_REPORT_FIXTURE));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", VELORIA_REPORT_FIXTURE);
        std::exit(1);
    }
    return file.readAll();
}

// One ticket's load as the dispatch cycle does it: empty the report and read the template, binding the
// adapters of the window by name.
void BM_ReadKitchenTicketTemplate(benchmark::State& state) {
    const QByteArray data = kitchenTicket();
    QObject window;
    window.setObjectName("MainForm");
    TrpDBDataset orders(&window);
    orders.SetName("repDS_KitchenOrders");
    TrpDBDataset master(&window);
    master.SetName("repDS_OrdersMaster");
    TrpReport report;
    report.SetOwner(&window);
    int objects = 0;
    for (auto _ : state) {
        report.LoadFromMemory(data);
        objects = 0;
        report.ForEachObject([&objects](TrpComponent&) { ++objects; });
        benchmark::DoNotOptimize(objects);
    }
    if (!report.Errors().isEmpty() || report.Datasets().size() != 2 ||
        report.Datasets()[0]->DataSet() != &orders) {
        state.SkipWithError("the template did not read as expected");
    }
    state.counters["objects"] = objects;
    state.SetBytesProcessed(state.iterations() * data.size());
}
BENCHMARK(BM_ReadKitchenTicketTemplate)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Writing the same template to memory (the preparation saves and restores the tree this way).
void BM_WriteKitchenTicketTemplate(benchmark::State& state) {
    TrpReport report;
    report.LoadFromMemory(kitchenTicket());
    for (auto _ : state) {
        benchmark::DoNotOptimize(report.SaveToMemory());
    }
}
BENCHMARK(BM_WriteKitchenTicketTemplate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
