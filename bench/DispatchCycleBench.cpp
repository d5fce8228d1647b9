// One dispatch cycle of 100 queued orders over three stations with packaging on, printed through folder
// printers (PDF files), the database work included, without and with the printed tickets' archive; and
// resident memory over 1,000 cycles. Target on the
// reference machine: under 5 ms per ticket, memory flat.
#include "BenchSupport.h"
#include "DispatchTestBed.h"
#include "PdfJobWriter.h"
#include "PrintSpooler.h"
#include "TrpPrinters.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Printers that write every job into one PDF file per printer, overwritten by the next: the tickets are
// made in full, and nothing is kept that would grow with their number.
class OverwritingPrinters final : public PrintSpooler {
public:
    OverwritingPrinters() {
        PrintSpooler::setCurrent(this);
        TrpPrinters::reset();
    }
    ~OverwritingPrinters() override {
        TrpPrinters::reset();
        PrintSpooler::setCurrent(nullptr);
    }
    OverwritingPrinters(const OverwritingPrinters&) = delete;
    OverwritingPrinters& operator=(const OverwritingPrinters&) = delete;

    QList<QString> printerNames() const override { return {"Kitchen", "Grill", "Salads", "Packaging"}; }
    QString defaultPrinterName() const override { return QStringLiteral("Kitchen"); }
    std::optional<SpoolDeviceCaps> openPrinter(const QString&) const override {
        SpoolDeviceCaps caps;
        caps.dpiX = caps.dpiY = PdfJobWriter::Resolution;
        caps.paperWidthMm = caps.printableWidthMm = 210;
        caps.paperHeightMm = caps.printableHeightMm = 297;
        caps.papers = {{SpoolPageSettings::CustomPaper, QStringLiteral("Custom")}};
        caps.bins = {{SpoolPageSettings::DefaultBin, QStringLiteral("Default")}};
        return caps;
    }
    std::unique_ptr<SpoolJob> startJob(const QString& printer, const QString& title,
                                       const QString&) override {
        ++jobs;
        return std::make_unique<Job>(dir_.filePath(printer + QStringLiteral(".pdf")), title);
    }

    long jobs = 0;

private:
    class Job final : public SpoolJob {
    public:
        Job(const QString& path, const QString& title) : writer_(path, title) {}
        void beginPage(const SpoolPageSettings& settings) override { writer_.beginPage(settings); }
        QPainter& painter() override { return writer_.painter(); }
        int resolution() const override { return PdfJobWriter::Resolution; }
        void endPage() override {}
        void finish() override {
            if (!writer_.close()) {
                throw SpoolError(QStringLiteral("the job could not be written"));
            }
        }
        void abort() override {}
        QByteArray document() const override { return writer_.document(); }

    private:
        PdfJobWriter writer_;
    };
    QTemporaryDir dir_;
};

// An outlet with three stations, packaging copies of two of them, and `orders` orders of six lines each
// (two per station), every one printed as three kitchen tickets and one packaging copy. `archive`: every
// ticket is also kept in the printed tickets' archive, as the program does by default.
struct Outlet {
    explicit Outlet(int orders, bool archive = false) {
        bed.panel.data.TicketArchiveDays = archive ? 7 : 0;
        const qint64 kitchen = bed.station(QStringLiteral("Kitchen"));
        const qint64 grill = bed.station(QStringLiteral("Grill"));
        const qint64 salads = bed.station(QStringLiteral("Salads"));
        bed.copyToPackaging(QStringLiteral("Grill"));
        bed.copyToPackaging(QStringLiteral("Salads"));
        QList<DispatchTestBed::Line> lines;
        int n = 0;
        for (const qint64 station : {kitchen, grill, salads}) {
            for (int i = 0; i < 2; ++i) {
                lines.append({bed.item(QStringLiteral("Dish number %1 with a longer name").arg(++n),
                                       QStringLiteral("Second name %1").arg(n), station),
                              i + 1, i == 0 ? QString() : QStringLiteral("No onions")});
            }
        }
        for (int i = 0; i < orders; ++i) {
            bed.order(100 + i, lines);
        }
        bed.server.Start();
    }
    // Every order queued again with its lines unprinted, as the terminals would leave them. The test
    // panel's log (a list in memory, unlike the real log file) is emptied so that it does not grow.
    void requeue() {
        bed.panel.log.clear();
        bed.db.exec(
            QStringLiteral("UPDATE OrdersDetails SET isPrinted = 0;"
                           "INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) "
                           "SELECT Customer_ID, Restaurant_ID, Outlet_ID, Master_ID FROM OrdersMaster;"));
    }

    OverwritingPrinters printers;
    DispatchTestBed bed{true};
};

void BM_DispatchCycle(benchmark::State& state) {
    const int orders = static_cast<int>(state.range(0));
    Outlet outlet(orders, state.range(1) != 0);
    long tickets = 0;
    for (auto _ : state) {
        state.PauseTiming();
        outlet.requeue();
        const long before = outlet.printers.jobs;
        state.ResumeTiming();
        outlet.bed.cycle();
        tickets += outlet.printers.jobs - before;
    }
    if (outlet.bed.queued() != 0 || tickets != 4L * orders * static_cast<long>(state.iterations())) {
        state.SkipWithError("the cycle did not print every ticket");
        return;
    }
    state.counters["tickets"] = static_cast<double>(tickets);
    state.counters["per_ticket"] = benchmark::Counter(
        static_cast<double>(tickets), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
// Arguments: orders per cycle; 1 to keep every ticket in the archive as well.
BENCHMARK(BM_DispatchCycle)
    ->Args({100, 0})
    ->Args({100, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// Resident memory before and after a number of cycles (1,000) of one order (four tickets) each.
void BM_DispatchMemoryFlat(benchmark::State& state) {
    const auto cycles = state.range(0);
    Outlet outlet(1);
    for (int i = 0; i < 20; ++i) { // warm-up: fonts, caches, the database's pages
        outlet.requeue();
        outlet.bed.cycle();
    }
    const long before = residentKiB();
    long peak = before;
    for (auto _ : state) {
        for (int i = 0; i < cycles; ++i) {
            outlet.requeue();
            outlet.bed.cycle();
            peak = std::max(peak, residentKiB());
        }
    }
    state.counters["rss_before_kib"] = static_cast<double>(before);
    state.counters["rss_after_kib"] = static_cast<double>(residentKiB());
    state.counters["rss_peak_kib"] = static_cast<double>(peak);
    state.counters["tickets"] = static_cast<double>(outlet.printers.jobs);
}
BENCHMARK(BM_DispatchMemoryFlat)->Arg(1000)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv, VELORIA_SOURCE_DIR_PATH);
}
