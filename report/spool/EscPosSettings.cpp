#include "EscPosSettings.h"

#include "PrintSpooler.h"

namespace {

[[noreturn]] void badOption(const QString& queue, const char* name, const QString& value, const char* takes) {
    throw SpoolError(QStringLiteral("Printer \"%1\": the queue option %2 is \"%3\"; it takes %4")
                         .arg(queue, QLatin1String(name), value, QLatin1String(takes)));
}

// A whole number in [low, high] (and a multiple of `step`), or the option's error.
int wholeNumber(const QString& queue, const char* name, const QString& value, int low, int high, int step,
                const char* takes) {
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok || number < low || number > high || number % step != 0) {
        badOption(queue, name, value, takes);
    }
    return number;
}

} // namespace

EscPosSettings EscPosSettings::fromQueueOptions(const QString& queue,
                                                const std::function<QString(const char*)>& option) {
    EscPosSettings settings;
    if (const QString dots = option("veloria-dots"); !dots.isEmpty()) {
        // A raster row is sent as whole bytes of dots.
        settings.dots = wholeNumber(queue, "veloria-dots", dots, 8, 2048, 8,
                                    "the dots a line prints across, a multiple of 8 from 8 to 2048 (576 for "
                                    "80 mm paper, 384 for 58 mm)");
    }
    if (const QString dpi = option("veloria-dpi"); !dpi.isEmpty()) {
        settings.dpi = wholeNumber(queue, "veloria-dpi", dpi, 72, 600, 1,
                                   "the printer's dots per inch, a whole number from 72 to 600 (203 or 180)");
    }
    if (const QString cut = option("veloria-cut"); !cut.isEmpty()) {
        if (cut == QStringLiteral("partial")) {
            settings.cut = Cut::Partial;
        } else if (cut == QStringLiteral("full")) {
            settings.cut = Cut::Full;
        } else if (cut == QStringLiteral("none")) {
            settings.cut = Cut::None;
        } else {
            badOption(queue, "veloria-cut", cut, "partial, full or none");
        }
    }
    if (const QString feed = option("veloria-feed"); !feed.isEmpty()) {
        settings.feed = wholeNumber(queue, "veloria-feed", feed, 0, 1000, 1,
                                    "the dot rows fed before the cut, a whole number from 0 to 1000");
    }
    return settings;
}
