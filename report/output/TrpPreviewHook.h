#pragma once

#include <functional>

class TrpPageSource;
class TrpReport;

// The preview window `ShowReport` opens. The report's window library binds the real window; the handler
// shows the pages modally, runs `prepare` shortly after the window opened (the pages appear as it adds
// them) and returns when the window is closed.
class TrpPreviewHook {
public:
    using Handler = std::function<void(TrpReport& report, const TrpPageSource& pages,
                                       const std::function<void()>& prepare)>;

    // Without a handler there is no window: the pages are prepared and nothing is shown.
    static void show(TrpReport& report, const TrpPageSource& pages, const std::function<void()>& prepare);
    static Handler setHandler(Handler handler);
};
