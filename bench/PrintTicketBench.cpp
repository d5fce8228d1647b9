#include "KitchenTicket.h"
#include "PdfFolderSpooler.h"
#include "TrpPreviewPages.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void printTickets(benchmark::State& state, const QString& printer) {
    // The shipped kitchen order template, prepared with six items as the dispatch cycle does it.
    KitchenTicket ticket(6);
    if (!ticket.prepare() || ticket.report.PreviewPages().Count() != 1) {
        state.SkipWithError("the kitchen ticket did not prepare");
        return;
    }
    ticket.report.PrintOptions().ShowDialog = false;
    ticket.report.PrintOptions().Printer = printer;
    for (auto _ : state) {
        if (!ticket.report.Print()) {
            state.SkipWithError("nothing was printed");
            return;
        }
    }
}

// Prepared ticket -> PDF job kept by a folder printer (drawing, PDF writing, the file on disk).
void BM_PrintTicketToFolderPrinter(benchmark::State& state) {
    QTemporaryDir dir;
    PdfFolderSpooler spooler(dir.path(), {QStringLiteral("Kitchen")}, QStringLiteral("Kitchen"));
    PrintSpooler::setCurrent(&spooler);
    TrpPrinters::reset();
    printTickets(state, QStringLiteral("Kitchen"));
    PrintSpooler::setCurrent(nullptr);
    TrpPrinters::reset();
}
BENCHMARK(BM_PrintTicketToFolderPrinter)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Prepared ticket -> PDF job accepted by the print scheduler's queue (CUPS_SERVER and
// VELORIA_BENCH_PRINTER name them; scripts/bench-print starts a private scheduler for this).
void BM_PrintTicketToCupsQueue(benchmark::State& state) {
    const QString printer = qEnvironmentVariable("VELORIA_BENCH_PRINTER");
    if (printer.isEmpty()) {
        state.SkipWithError("VELORIA_BENCH_PRINTER names no print queue");
        return;
    }
    PrintSpooler::setCurrent(nullptr);
    TrpPrinters::reset();
    printTickets(state, printer);
    TrpPrinters::reset();
}
BENCHMARK(BM_PrintTicketToCupsQueue)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("VELORIA_SOURCE_DIR", VELORIA_SOURCE_DIR_PATH);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
