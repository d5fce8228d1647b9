#pragma once

#include <QString>
#include <functional>

// How a receipt printer's queue wants its tickets: the dots its head prints across, its resolution, the
// cut after each ticket and the paper fed before it. The operator sets them on the queue in the print
// scheduler (veloria-dots, veloria-dpi, veloria-cut, veloria-feed), where they outlast restarts.
struct EscPosSettings {
    enum class Cut { Partial, Full, None };

    // 72 mm at 203 dpi: the printable width of an 80 mm head.
    static constexpr int DefaultDots = 576;
    static constexpr int DefaultDpi = 203;
    // 15 mm at 203 dpi: on common 80 mm printers the cutter sits 12 to 15 mm above the print line, so the
    // last printed line clears the blade with a little white below it.
    static constexpr int DefaultFeed = 120;

    int dots = DefaultDots;
    int dpi = DefaultDpi;
    Cut cut = Cut::Partial;
    int feed = DefaultFeed;

    bool operator==(const EscPosSettings&) const = default;

    // Reads the settings from a queue's options (`option` gives an option's value, empty when it is not
    // set); an option not set keeps its default. A value the printer cannot be driven with raises
    // SpoolError naming the queue, the option and what it takes.
    static EscPosSettings fromQueueOptions(const QString& queue,
                                           const std::function<QString(const char*)>& option);
};
