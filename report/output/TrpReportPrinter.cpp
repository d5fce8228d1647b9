#include "TrpReportPrinter.h"

#include "PrintSpooler.h"
#include "TrpErrorBox.h"
#include "TrpPageNumbers.h"
#include "TrpPageSource.h"
#include "TrpPrintDialogHook.h"
#include "TrpPrinters.h"
#include "TrpReport.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <cmath>
#include <optional>

namespace {

// The driver's duplex codes: 0 its default, 1 long edge, 2 short edge.
int duplexCode(TrpDuplexMode mode) {
    switch (mode) {
    case TrpDuplexMode::dmVertical:
        return 1;
    case TrpDuplexMode::dmHorizontal:
        return 2;
    case TrpDuplexMode::dmNone:
    case TrpDuplexMode::dmSimplex:
        break;
    }
    return 0;
}

// What decides whether a page needs settings of its own: paper code, size in whole millimetres, bin,
// orientation, duplex.
struct PaperKey {
    int paper;
    long width;
    long height;
    int bin;
    TrpPrintOrientation orientation;
    TrpDuplexMode duplex;
    bool operator==(const PaperKey&) const = default;
};

PaperKey keyOf(const TrpPageSettings& f, TrpDuplexMode duplex) {
    return {f.PaperSize, std::lround(f.PaperWidth), std::lround(f.PaperHeight), f.Bin, f.Orientation, duplex};
}

// The message of a refusal names the printer, so that the operator knows which queue to look at.
[[noreturn]] void raiseNamed(const QString& printer, const QString& reason) {
    if (reason.contains(QLatin1Char('"') + printer + QLatin1Char('"'))) {
        throw SpoolError(reason);
    }
    throw SpoolError(QStringLiteral("Printer \"%1\": %2").arg(printer, reason));
}

void printDocument(const TrpReport& report, const TrpPageSource& pages, TrpCustomPrinter& printer,
                   TrpDuplexMode duplex, const std::function<bool()>& stopRequested,
                   const TrpDocumentPrinted& printed) {
    const TrpPrintOptions& options = report.PrintOptions();
    const TrpPageNumbers numbers(options.PageNumbers);
    const int count = pages.PageCount();
    const int copies = std::max(1, options.Copies);
    const int passes = options.Collate ? copies : 1;
    const int driverCopies = options.Collate ? 1 : copies;
    const QString title = TrpReportPrinter::JobTitle(report);

    std::unique_ptr<SpoolJob> job;
    std::optional<PaperKey> previous;
    SpoolPageSettings firstPage;
    try {
        for (int pass = 0; pass < passes; ++pass) {
            for (int n = 0; n < count; ++n) {
                const int index = options.Reverse ? count - 1 - n : n;
                const int page = index + 1;
                if (!numbers.includes(page) ||
                    (options.PrintPages == TrpPrintPages::ppOdd && page % 2 == 0) ||
                    (options.PrintPages == TrpPrintPages::ppEven && page % 2 == 1)) {
                    continue;
                }
                if (stopRequested && stopRequested()) {
                    if (job) {
                        job->abort();
                    }
                    return;
                }
                const TrpPageSettings format = pages.PageFormat(index);
                const PaperKey key = keyOf(format, duplex);
                if (!previous || !(*previous == key)) {
                    printer.applyPageSettings(printer.pageSettings(
                        format.PaperSize, format.Orientation == TrpPrintOrientation::poLandscape,
                        format.PaperWidth, format.PaperHeight, driverCopies, format.Bin, duplexCode(duplex)));
                    previous = key;
                }
                if (!job) {
                    job = PrintSpooler::current().startJob(printer.Name, title, options.PrnOutFileName);
                    firstPage = printer.DeviceMode;
                }
                job->beginPage(printer.DeviceMode);
                // The page's origin on the paper's top left corner, whatever the device cannot reach.
                const double dpi = job->resolution();
                const double scale = dpi / 96.0;
                pages.DrawPage(index, job->painter(), scale, scale, -printer.LeftOffset * dpi / 25.4,
                               -printer.TopOffset * dpi / 25.4, true);
                job->endPage();
                QCoreApplication::processEvents();
            }
        }
        if (job) {
            job->finish();
        }
    } catch (const SpoolError& e) {
        if (job) {
            job->abort();
        }
        raiseNamed(printer.Name, e.message());
    } catch (...) {
        if (job) {
            job->abort();
        }
        throw;
    }
    if (job && printed) {
        printed(TrpPrintedDocument{printer.Name, title, firstPage, job->document(), job->queueState(),
                                   job->notice()});
    }
}

} // namespace

QString TrpReportPrinter::JobTitle(const TrpReport& report) {
    if (!report.ReportOptions().Name.isEmpty()) {
        return report.ReportOptions().Name;
    }
    if (!report.FileName().isEmpty()) {
        return report.FileName();
    }
    return QString::fromLatin1(DefaultTitle);
}

bool TrpReportPrinter::Print(TrpReport& report, const TrpPageSource& pages, int currentPage,
                             const std::function<bool()>& stopRequested, const TrpDocumentPrinted& printed) {
    TrpPrinters& printers = TrpPrinters::instance();
    if (!printers.HasPhysicalPrinters()) {
        TrpErrorBox::show(QString::fromLatin1(NoPrinters));
        return false;
    }
    TrpPrintOptions& options = report.PrintOptions();
    const TrpPrintOptions kept = options;
    const auto restore = qScopeGuard([&options, &kept] { options = kept; });
    TrpDuplexMode duplex = options.Duplex;

    printers.SelectPrinter(options.Printer);
    if (options.ShowDialog) {
        if (!TrpPrintDialogHook::show(options, currentPage, pages.PageCount())) {
            return false;
        }
        printers.SelectPrinter(options.Printer);
        duplex = options.Duplex;
    }
    // The job holds its printer: handlers run between pages may read the printer list again meanwhile.
    const std::shared_ptr<TrpCustomPrinter> printer = printers.PrinterForJob();
    if (printer == nullptr || !printer->Initialized) {
        // Nothing can print: saying so to the caller keeps the ticket from counting as printed.
        throw SpoolError(
            QStringLiteral("%1: \"%2\"")
                .arg(QLatin1String(InvalidPrinter), printer != nullptr ? printer->Name : QString()));
    }
    const auto resetChoices = qScopeGuard([printer] {
        printer->DeviceMode.bin = printer->DefaultBin;
        printer->DeviceMode.duplex = printer->DefaultDuplex;
    });
    printDocument(report, pages, *printer, duplex, stopRequested, printed);
    return true;
}
