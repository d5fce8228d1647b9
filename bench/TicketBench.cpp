// Preparing and rendering a kitchen ticket, and memory over many preparations. Targets on the reference
// machine: under 1 ms to prepare a 5-row ticket, under 20 ms for 200 rows; prepare + PDF at most a third of
// a canvas-API PDF library's time (scripts/bench-peers); the 203 dpi raster of 200 rows under 10 ms and
// linear in the ticket's length; RSS flat over 10,000 preparations. The PDF and raster measures also run
// on a ticket in the scripts kitchens read (argument 1): every line shaped, fallback faces embedded.
#include "BenchSupport.h"
#include "TrpJsonData.h"
#include "TrpPageRenderer.h"
#include "TrpPreviewPages.h"
#include "TrpReport.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

QByteArray kitchenTemplate() {
    QFile file(QStringLiteral(VELORIA_REPORT_FIXTURE));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", VELORIA_REPORT_FIXTURE);
        std::exit(1);
    }
    return file.readAll();
}

// An order header and `rows` items; every seventh item has a long name (three lines) and a remark. With
// `mixed`, the second names and remarks are in the scripts kitchens read: Arabic, Hebrew, Chinese, Thai.
QByteArray kitchenData(int rows, bool mixed = false) {
    static const char* const seconds[] = {"\"برغر لحم\"", "\"פלאפל בפיתה\"", "\"宫保鸡丁\"", "\"ผัดไทย\""};
    QByteArray items;
    for (int i = 0; i < rows; ++i) {
        const bool longOne = i % 7 == 3;
        const QByteArray second = mixed ? QByteArray(seconds[i % 4])
                                        : (i % 2 == 0 ? QByteArray("\"Second name\"") : QByteArray("null"));
        const QByteArray remark =
            mixed ? QByteArray("\"بدون بصل من فضلك مع صلصة إضافية\"") : QByteArray("\"No onions\"");
        items +=
            (i > 0 ? "," : "") + QByteArray("{\"QTY\": ") + QByteArray::number(1 + i % 4) +
            ", \"Displayed_Name_PL\": \"" +
            (longOne ? QByteArray("Grilled chicken breast with lemon, thyme and roasted garlic butter sauce")
                     : "Item " + QByteArray::number(i)) +
            "\", \"Displayed_Name_SL\": " + second +
            ", \"Remarks\": " + (longOne ? remark : QByteArray("null")) + "}";
    }
    return R"({"repDS_OrdersMaster": [{"Master_ID": 7, "Order_Seq": 42, "Order_Kind_Desc": "Dine in",
        "Open_DateTime": "2020-12-25T19:05:00", "Waiter_Name": "Sam", "Order_Upper_Line": "Hall",
        "Order_Downer_Line": "T4", "Master_Remarks": "No nuts"}], "repDS_KitchenOrders": [)" +
           items + "]}";
}

struct Ticket {
    explicit Ticket(int rows, bool mixed = false) : data(kitchenData(rows, mixed)) {
        report.EngineOptions().NewSilentMode = TrpSilentMode::simSilent;
        report.LoadFromMemory(kitchenTemplate());
    }
    TrpJsonData data;
    TrpReport report;
};

// PrepareReport as the dispatch cycle calls it: template loaded, adapters' queries open.
void BM_PrepareKitchenTicket(benchmark::State& state) {
    Ticket ticket(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!ticket.report.PrepareReport(true)) {
            state.SkipWithError("preparation failed");
            break;
        }
    }
    state.counters["mm"] = ticket.report.PreviewPages().GetPageSize(0).height();
}
BENCHMARK(BM_PrepareKitchenTicket)
    ->Arg(5)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RenderKitchenTicketPdf(benchmark::State& state) {
    Ticket ticket(static_cast<int>(state.range(0)));
    ticket.report.PrepareReport(true);
    const QString file = QDir::temp().filePath(QStringLiteral("veloria-ticket-bench-%1.pdf").arg(getpid()));
    for (auto _ : state) {
        TrpPageRenderer::writePdf(ticket.report.PreviewPages(), file);
    }
    QFile::remove(file);
}
BENCHMARK(BM_RenderKitchenTicketPdf)
    ->Arg(5)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The PDF alone, made in memory as a print job makes it (no file).
void BM_KitchenTicketPdfInMemory(benchmark::State& state) {
    Ticket ticket(static_cast<int>(state.range(0)), state.range(1) != 0);
    ticket.report.PrepareReport(true);
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = TrpPageRenderer::pdfDocument(ticket.report.PreviewPages()).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
// Second argument 1: the mixed-script ticket.
BENCHMARK(BM_KitchenTicketPdfInMemory)
    ->ArgsProduct({{5, 200}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Preparation and PDF together, as a ticket is printed: the side-by-side comparison's measure.
void BM_PrepareAndPdfKitchenTicket(benchmark::State& state) {
    Ticket ticket(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        ticket.report.PrepareReport(true);
        benchmark::DoNotOptimize(TrpPageRenderer::pdfDocument(ticket.report.PreviewPages()));
    }
}
BENCHMARK(BM_PrepareAndPdfKitchenTicket)
    ->ArgsProduct({{5, 200}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_RenderKitchenTicketImage203Dpi(benchmark::State& state) {
    Ticket ticket(static_cast<int>(state.range(0)), state.range(1) != 0);
    ticket.report.PrepareReport(true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrpPageRenderer::renderImage(ticket.report.PreviewPages(), 0, 203));
    }
}
BENCHMARK(BM_RenderKitchenTicketImage203Dpi)
    ->ArgsProduct({{5, 200}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Memory over 10,000 preparations of a 5-row ticket: resident set size after a warm-up and at the end.
void BM_PrepareMemoryFlat(benchmark::State& state) {
    Ticket ticket(5);
    for (int i = 0; i < 200; ++i) {
        ticket.report.PrepareReport(true);
    }
    const long before = residentKiB();
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            ticket.report.PrepareReport(true);
        }
    }
    const long after = residentKiB();
    state.counters["rss_before_kib"] = static_cast<double>(before);
    state.counters["rss_after_kib"] = static_cast<double>(after);
    state.counters["growth_kib"] = static_cast<double>(after - before);
}
BENCHMARK(BM_PrepareMemoryFlat)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
