// Receipt printers' ESC/POS: a prepared kitchen ticket turned into the bytes a raw queue sends its printer,
// and printed to such a queue of a private scheduler whose device is a receipt printer on a loopback port.
#include "BenchSupport.h"
#include "EscPosSettings.h"
#include "KitchenTicket.h"
#include "PrintSpooler.h"
#include "ReceiptPrinter.h"
#include "TrpPageRenderer.h"
#include "TrpPreviewPagesSource.h"
#include "TrpPrinters.h"

#include <QFileInfo>
#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

// Prepared ticket of N items -> ESC/POS bytes for an 80 mm head at 203 dpi (drawing in dots, threshold,
// bands, feed and cut). Targets: under 1 ms at 5 items, under 10 ms at 200.
void BM_TicketToEscPos(benchmark::State& state) {
    KitchenTicket ticket(static_cast<int>(state.range(0)));
    if (!ticket.prepare()) {
        state.SkipWithError("the kitchen ticket did not prepare");
        return;
    }
    const TrpPreviewPagesSource pages(ticket.report.PreviewPages());
    const EscPosSettings queue;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray document = TrpPageRenderer::escPosDocument(pages, queue);
        bytes = document.size();
        benchmark::DoNotOptimize(document.constData());
    }
    state.counters["escpos_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_TicketToEscPos)->Arg(5)->Arg(200)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Prepared ticket (6 items) -> ESC/POS job accepted by a raw queue of the scheduler CUPS_SERVER names (a
// private one: scripts/bench-print starts it; the queue is added and removed here). Its device is a receipt
// printer on a loopback port (argument 0), or the test scheduler's capture backend as the PDF benchmark's
// queue has (argument 1). Target: under 8 ms median.
void BM_PrintTicketToEscPosQueue(benchmark::State& state) {
    if (qEnvironmentVariableIsEmpty("VELORIA_BENCH_PRINTER")) {
        state.SkipWithError("no private print scheduler (run scripts/bench-print)");
        return;
    }
    const ReceiptPrinter printer;
    const QString capture = QStringLiteral("capture:") +
                            QFileInfo(qEnvironmentVariable("CUPS_SERVER")).path() + QStringLiteral("/out");
    const QString queue = QStringLiteral("EscPosBench");
    QProcess::execute(QStringLiteral("lpadmin"),
                      {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                       state.range(0) == 0 ? printer.uri() : capture, QStringLiteral("-m"),
                       QStringLiteral("raw"), QStringLiteral("-o"),
                       QStringLiteral("veloria-format-default=escpos")});
    KitchenTicket ticket(6);
    if (!ticket.prepare()) {
        state.SkipWithError("the kitchen ticket did not prepare");
        return;
    }
    PrintSpooler::setCurrent(nullptr);
    TrpPrinters::reset();
    ticket.report.PrintOptions().ShowDialog = false;
    ticket.report.PrintOptions().Printer = queue;
    for (auto _ : state) {
        if (!ticket.report.Print()) {
            state.SkipWithError("nothing was printed");
            break;
        }
        waitUntilQueueIdle(state, queue);
    }
    TrpPrinters::reset();
    QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
    if (state.range(0) == 0) {
        state.counters["printer_jobs"] = static_cast<double>(printer.jobs().size());
    }
}
BENCHMARK(BM_PrintTicketToEscPosQueue)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv, VELORIA_SOURCE_DIR_PATH);
}
