#pragma once

#include <functional>

class TrpPageSource;
class TrpReport;

// Sends a report's prepared pages to the printer its print options name: the copies and collation loop,
// reverse order, page numbers, odd or even pages, the job title, the page settings handed to the driver
// before the first page and whenever a page's paper differs from the one before.
//
// Results: false when no printer is installed ("No printers installed on your system" is shown) or the
// print dialog was cancelled; true otherwise, also when the selected printer could not be opened
// ("Printer selected is not valid" is shown, nothing printed) or there was nothing to print. A job the
// spooler or the driver refuses is never reported as printed: it raises SpoolError, whose message names
// the printer and the reason, and nothing is printed. The print options are the same afterwards as before,
// whatever happened; the printer list keeps the printer selected.
class TrpReportPrinter {
public:
    static constexpr const char* NoPrinters = "No printers installed on your system";
    static constexpr const char* InvalidPrinter = "Printer selected is not valid";
    // The job title when the report has neither a name nor a file.
    static constexpr const char* DefaultTitle = "Report";

    // `currentPage` (from 1) is the preview's current page, for the dialog's "Current page".
    // `stopRequested` is asked before every page; true drops the job.
    static bool Print(TrpReport& report, const TrpPageSource& pages, int currentPage = 1,
                      const std::function<bool()>& stopRequested = {});
};
