#include "TrpPreviewHook.h"

namespace {
TrpPreviewHook::Handler& current() {
    static TrpPreviewHook::Handler handler;
    return handler;
}
} // namespace

void TrpPreviewHook::show(TrpReport& report, const TrpPageSource& pages,
                          const std::function<void()>& prepare) {
    if (current()) {
        current()(report, pages, prepare);
    } else if (prepare) {
        prepare();
    }
}

TrpPreviewHook::Handler TrpPreviewHook::setHandler(Handler handler) {
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}
