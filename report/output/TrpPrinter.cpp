#include "TrpPrinter.h"

#include "PrintSpooler.h"

bool TrpPrinter::Init() {
    if (Initialized) {
        return true;
    }
    const std::optional<SpoolDeviceCaps> caps = PrintSpooler::current().openPrinter(Name);
    if (!caps ||
        !takeMeasures(caps->dpiX, caps->dpiY, caps->paperWidthMm, caps->paperHeightMm, caps->leftOffsetMm,
                      caps->topOffsetMm, caps->printableWidthMm, caps->printableHeightMm)) {
        return false;
    }
    Location = caps->location;
    DeviceMode = caps->defaults;
    DefaultPaper = caps->defaults.paperSize;
    DefaultBin = caps->defaults.bin;
    DefaultDuplex = caps->defaults.duplex;
    DefaultLandscape = caps->defaults.landscape;
    Papers = {{SpoolPageSettings::CustomPaper, QStringLiteral("Custom")}};
    for (const auto& paper : caps->papers) {
        if (paper.first != SpoolPageSettings::CustomPaper) {
            Papers.append(paper);
        }
    }
    Bins = {{SpoolPageSettings::DefaultBin, QStringLiteral("Default")}};
    for (const auto& bin : caps->bins) {
        if (bin.first != SpoolPageSettings::DefaultBin) {
            Bins.append(bin);
        }
    }
    Initialized = true;
    return true;
}
