#pragma once

#include <QString>
#include <functional>

// The report component's modal "Error" box (error icon, one OK button). The report library shows no
// windows itself: the application binds a handler to its message service, tests bind one that captures
// the text. Without a handler the text is written to the standard error stream.
class TrpErrorBox {
public:
    static constexpr const char* Caption = "Error";
    using Handler = std::function<void(const QString& text)>;

    static void show(const QString& text);
    // Replaces the handler and returns the previous one; an empty handler restores the default.
    static Handler setHandler(Handler handler);
};
