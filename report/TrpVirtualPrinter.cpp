#include "TrpVirtualPrinter.h"

#include <QPageSize>

bool TrpVirtualPrinter::Init() {
    if (Initialized) {
        return true;
    }
    takeMeasures(600, 600, 210, 297, 0, 0, 210, 297);
    Papers = {{SpoolPageSettings::CustomPaper, QStringLiteral("Custom")}};
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const QPageSize paper(static_cast<QPageSize::PageSizeId>(id));
        if (paper.windowsId() > 0 && paper.windowsId() < SpoolPageSettings::CustomPaper) {
            Papers.append({paper.windowsId(), paper.name()});
        }
    }
    Bins = {{SpoolPageSettings::DefaultBin, QStringLiteral("Default")}};
    DefaultPaper = 9;
    DeviceMode.paperSize = 9;
    Initialized = true;
    return true;
}
