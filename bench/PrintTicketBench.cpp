#include "PdfFolderSpooler.h"
#include "TextPageSource.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A kitchen ticket's prepared page: 72 mm by about 15 cm, header, six item rows with remarks, footer.
TextPageSource kitchenTicket() {
    TextPageSource pages;
    QStringList lines{"Order #1042", "Table 12   Dine In", "Waiter: Maya", "10/12/2026 03:45 PM", "--------"};
    for (int i = 1; i <= 6; ++i) {
        lines.append(QStringLiteral("%1 x Mixed Grill with garlic sauce %2").arg(i).arg(i));
        lines.append(QStringLiteral("   no onions, extra lemon"));
    }
    lines.append(QStringLiteral("Printed by the kitchen printing server"));
    pages.pages.push_back(TextPageSource::ticket(151.4, lines));
    return pages;
}

void printTickets(benchmark::State& state, const QString& printer) {
    TrpReport report;
    report.ReportOptions().Name = QStringLiteral("rep_KitchenOrder.xml");
    report.PrintOptions().ShowDialog = false;
    report.PrintOptions().Printer = printer;
    const TextPageSource pages = kitchenTicket();
    for (auto _ : state) {
        if (!TrpReportPrinter::Print(report, pages)) {
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
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
