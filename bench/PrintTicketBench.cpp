#include "BenchSupport.h"
#include "CupsSpooler.h"
#include "KitchenTicket.h"
#include "PdfFolderSpooler.h"
#include "PdfJobWriter.h"
#include "TrpPreviewPages.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void printTickets(benchmark::State& state, const QString& printer, bool queue = false) {
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
        if (queue) {
            waitUntilQueueIdle(state, printer);
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
    printTickets(state, printer, true);
    TrpPrinters::reset();
}
BENCHMARK(BM_PrintTicketToCupsQueue)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The submission alone: a finished ticket's PDF (kept from one print) streamed to the queue again, with
// the refusal check before it as every print makes it.
void BM_SubmitTicketDocumentToCupsQueue(benchmark::State& state) {
    const QString printer = qEnvironmentVariable("VELORIA_BENCH_PRINTER");
    if (printer.isEmpty()) {
        state.SkipWithError("VELORIA_BENCH_PRINTER names no print queue");
        return;
    }
    KitchenTicket ticket(6);
    if (!ticket.prepare()) {
        state.SkipWithError("the kitchen ticket did not prepare");
        return;
    }
    QTemporaryDir dir;
    PdfFolderSpooler folder(dir.path(), {printer}, printer);
    PrintSpooler::setCurrent(&folder);
    TrpPrinters::reset();
    ticket.report.PrintOptions().ShowDialog = false;
    ticket.report.PrintOptions().Printer = printer;
    ticket.report.Print();
    PrintSpooler::setCurrent(nullptr);
    TrpPrinters::reset();
    if (folder.jobs().isEmpty()) {
        state.SkipWithError("nothing was printed");
        return;
    }
    QFile file(folder.jobs().front().file);
    file.open(QIODevice::ReadOnly);
    const QByteArray document = file.readAll();
    const SpoolPageSettings page = folder.jobs().front().pages.front();
    for (auto _ : state) {
        if (!CupsSpooler::refusalReason(printer).isEmpty()) {
            state.SkipWithError("the queue refuses jobs");
            return;
        }
        benchmark::DoNotOptimize(CupsSpooler::submit(printer, QStringLiteral("bench"), document, page));
        waitUntilQueueIdle(state, printer);
    }
    state.counters["pdf_bytes"] = static_cast<double>(document.size());
}
BENCHMARK(BM_SubmitTicketDocumentToCupsQueue)->Unit(benchmark::kMillisecond)->Repetitions(5);

// A printer that keeps nothing: each job's PDF is made in memory and dropped, so that many tickets measure
// the printing path's own memory and no disk or queue.
class DiscardingSpooler final : public PrintSpooler {
public:
    QList<QString> printerNames() const override { return {QStringLiteral("Kitchen")}; }
    QString defaultPrinterName() const override { return QStringLiteral("Kitchen"); }
    std::optional<SpoolDeviceCaps> openPrinter(const QString&) const override {
        SpoolDeviceCaps caps;
        caps.dpiX = PdfJobWriter::Resolution;
        caps.dpiY = PdfJobWriter::Resolution;
        caps.paperWidthMm = caps.printableWidthMm = 210;
        caps.paperHeightMm = caps.printableHeightMm = 297;
        caps.papers = {{SpoolPageSettings::CustomPaper, QStringLiteral("Custom")}, {9, QStringLiteral("A4")}};
        caps.bins = {{SpoolPageSettings::DefaultBin, QStringLiteral("Default")}};
        caps.defaults.paperSize = 9;
        return caps;
    }
    std::unique_ptr<SpoolJob> startJob(const QString&, const QString& title, const QString&) override {
        return std::make_unique<Job>(title);
    }

private:
    class Job final : public SpoolJob {
    public:
        explicit Job(const QString& title) : writer_(QString(), title) {}
        void beginPage(const SpoolPageSettings& settings) override { writer_.beginPage(settings); }
        QPainter& painter() override { return writer_.painter(); }
        int resolution() const override { return PdfJobWriter::Resolution; }
        void endPage() override {}
        void finish() override { writer_.close(); }
        void abort() override {}
        QByteArray document() const override { return writer_.document(); }

    private:
        PdfJobWriter writer_;
    };
};

// Memory over 10,000 tickets printed through the spooler (report, printer list, job, PDF): resident set
// size after a warm-up of 200 tickets and after the 10,000. Target: no growth.
void BM_PrintMemoryFlat(benchmark::State& state) {
    DiscardingSpooler spooler;
    PrintSpooler::setCurrent(&spooler);
    TrpPrinters::reset();
    KitchenTicket ticket(6);
    if (!ticket.prepare()) {
        state.SkipWithError("the kitchen ticket did not prepare");
        return;
    }
    ticket.report.PrintOptions().ShowDialog = false;
    ticket.report.PrintOptions().Printer = QStringLiteral("Kitchen");
    for (int i = 0; i < 200; ++i) {
        ticket.report.Print();
    }
    const long before = residentKiB();
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            if (!ticket.report.Print()) {
                state.SkipWithError("nothing was printed");
                break;
            }
        }
    }
    const long after = residentKiB();
    PrintSpooler::setCurrent(nullptr);
    TrpPrinters::reset();
    state.counters["rss_before_kib"] = static_cast<double>(before);
    state.counters["rss_after_kib"] = static_cast<double>(after);
    state.counters["growth_kib"] = static_cast<double>(after - before);
}
BENCHMARK(BM_PrintMemoryFlat)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv, VELORIA_SOURCE_DIR_PATH);
}
