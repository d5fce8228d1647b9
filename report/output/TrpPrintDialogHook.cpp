#include "TrpPrintDialogHook.h"

namespace {
TrpPrintDialogHook::Handler& current() {
    static TrpPrintDialogHook::Handler handler;
    return handler;
}
} // namespace

bool TrpPrintDialogHook::show(TrpPrintOptions& options, int currentPage, int pageCount) {
    return current() ? current()(options, currentPage, pageCount) : true;
}

TrpPrintDialogHook::Handler TrpPrintDialogHook::setHandler(Handler handler) {
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}
