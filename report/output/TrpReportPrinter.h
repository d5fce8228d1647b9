#pragma once

#include "TrpPrintedDocument.h"

#include <QString>
#include <functional>

class TrpPageSource;
class TrpReport;

// Sends a report's prepared pages to the printer its print options name: the copies and collation loop,
// reverse order, page numbers, odd or even pages, the job title, the page settings handed to the driver
// before the first page and whenever a page's paper differs from the one before.
//
// Results: false when no printer is installed ("No printers installed on your system" is shown) or the
// print dialog was cancelled; true when the job was handed over or there was nothing to print. A job that
// cannot print is never reported as printed: a printer that cannot be opened or measured raises
// SpoolError ("Printer selected is not valid: "<name>""), and so does a job the spooler or the driver
// refuses, its message naming the printer and the reason; nothing is printed then. The print options are
// the same afterwards as before, whatever happened; the printer list keeps the printer selected.
class TrpReportPrinter {
public:
    static constexpr const char* NoPrinters = "No printers installed on your system";
    static constexpr const char* InvalidPrinter = "Printer selected is not valid";
    // The job title when the report has neither a name nor a file.
    static constexpr const char* DefaultTitle = "Report";

    // The job's title: the report's name, else its template file, else DefaultTitle.
    static QString JobTitle(const TrpReport& report);

    // `currentPage` (from 1) is the preview's current page, for the dialog's "Current page".
    // `stopRequested` is asked before every page; true drops the job. `printed` hears of the document
    // once the printer has taken it.
    static bool Print(TrpReport& report, const TrpPageSource& pages, int currentPage = 1,
                      const std::function<bool()>& stopRequested = {},
                      const TrpDocumentPrinted& printed = {});
};
