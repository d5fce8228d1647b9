#include "TrpVirtualPrinter.h"

#include "TrpPaperSizes.h"

bool TrpVirtualPrinter::Init() {
    if (Initialized) {
        return true;
    }
    takeMeasures(600, 600, 210, 297, 0, 0, 210, 297);
    Papers = {{SpoolPageSettings::CustomPaper, QStringLiteral("Custom")}};
    for (int code = 1; code < SpoolPageSettings::CustomPaper; ++code) {
        if (const auto size = TrpPaperSizes::find(code)) {
            Papers.append(
                {code, QStringLiteral("%1 x %2 mm").arg(size->width / 10.0).arg(size->height / 10.0)});
        }
    }
    Bins = {{SpoolPageSettings::DefaultBin, QStringLiteral("Default")}};
    DefaultPaper = 9;
    DeviceMode.paperSize = 9;
    Initialized = true;
    return true;
}
