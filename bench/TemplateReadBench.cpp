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

// A template of n small memos: reading it must grow linearly with n (BigO near N), so that a file of
// half a million objects still loads.
void BM_ReadManyMemos(benchmark::State& state) {
    const auto memos = static_cast<int>(state.range(0));
    QByteArray data = "<?xml version=\"1.0\" encoding=\"utf-8\"?><TrpReport><TrpReportPage Name=\"Page1\">"
                      "<TrpMasterData Name=\"Rows\" Height=\"20\" Width=\"264\">";
    for (int i = 0; i < memos; ++i) {
        data +=
            "<TrpMemoView Name=\"Memo" + QByteArray::number(i) + "\" Width=\"50\" Height=\"19\" Text=\"x\"/>";
    }
    data += "</TrpMasterData></TrpReportPage></TrpReport>";
    TrpReport report;
    for (auto _ : state) {
        report.LoadFromMemory(data);
    }
    if (!report.Errors().isEmpty() || report.FindObject(QStringLiteral("memo%1").arg(memos - 1)) == nullptr) {
        state.SkipWithError("the template did not read as expected");
    }
    state.SetComplexityN(memos);
}
BENCHMARK(BM_ReadManyMemos)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

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
