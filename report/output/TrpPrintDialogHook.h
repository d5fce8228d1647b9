#pragma once

#include <functional>

class TrpPrintOptions;

// The print dialog `Print` shows when the options ask for it. The report library has no windows: the
// report's window library binds the real dialog, tests bind their own answer. The handler edits the
// options as the dialog's OK does (printer name, pages, copies, ...) and returns true for OK.
class TrpPrintDialogHook {
public:
    // options, the current page of the preview (from 1), the number of prepared pages.
    using Handler = std::function<bool(TrpPrintOptions& options, int currentPage, int pageCount)>;

    // Without a handler there is no dialog to show: the job goes ahead with the options as they are.
    static bool show(TrpPrintOptions& options, int currentPage, int pageCount);
    // Replaces the handler and returns the previous one; an empty handler restores the default.
    static Handler setHandler(Handler handler);
};
