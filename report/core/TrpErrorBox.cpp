#include "TrpErrorBox.h"

#include <cstdio>

namespace {
TrpErrorBox::Handler& current() {
    static TrpErrorBox::Handler handler;
    return handler;
}
} // namespace

void TrpErrorBox::show(const QString& text) {
    if (current()) {
        current()(text);
        return;
    }
    const QByteArray utf8 = QStringLiteral("%1: %2").arg(QLatin1String(Caption), text).toUtf8();
    std::fprintf(stderr, "%s\n", utf8.constData());
}

TrpErrorBox::Handler TrpErrorBox::setHandler(Handler handler) {
    Handler previous = std::move(current());
    current() = std::move(handler);
    return previous;
}
