#include "TrpGeometryCheck.h"

#include "TrpBand.h"
#include "TrpReport.h"
#include "TrpReportPage.h"
#include "TrpTypes.h"
#include "TrpView.h"

#include <cmath>

namespace {

enum class Need { Size, Area, Position };

class Findings {
public:
    // `scale` turns the value into report pixels (millimetres for the paper and margins).
    void check(const QString& object, const char* property, double value, Need need, double scale = 1) {
        const double pixels = value * scale;
        bool printable = std::isfinite(pixels) && std::abs(pixels) <= TrpGeometryCheck::MaxPixels;
        if (need == Need::Size) {
            printable = printable && value >= 0;
        } else if (need == Need::Area) {
            printable = printable && value > 0;
        }
        if (!printable) {
            lines.append(QStringLiteral("%1: %2 %3 cannot be printed")
                             .arg(object, QLatin1String(property), QString::number(value, 'g', 10)));
        }
    }

    QStringList lines;
};

} // namespace

QStringList TrpGeometryCheck::problems(const TrpReport& report) {
    Findings found;
    for (const auto& pageObject : report.Objects()) {
        const auto* page = dynamic_cast<const TrpReportPage*>(pageObject.get());
        if (page == nullptr) {
            continue;
        }
        const QString& name = page->Name();
        found.check(name, "PaperWidth", page->PaperWidth(), Need::Area, TrpPixelsPerMm);
        found.check(name, "PaperHeight", page->PaperHeight(), Need::Area, TrpPixelsPerMm);
        found.check(name, "LeftMargin", page->LeftMargin(), Need::Position, TrpPixelsPerMm);
        found.check(name, "RightMargin", page->RightMargin(), Need::Position, TrpPixelsPerMm);
        found.check(name, "TopMargin", page->TopMargin(), Need::Position, TrpPixelsPerMm);
        found.check(name, "BottomMargin", page->BottomMargin(), Need::Position, TrpPixelsPerMm);
        for (const auto& bandObject : page->Objects()) {
            const auto* band = dynamic_cast<const TrpBand*>(bandObject.get());
            if (band == nullptr) {
                continue;
            }
            found.check(band->Name(), "Top", band->Top(), Need::Position);
            found.check(band->Name(), "Width", band->Width(), Need::Size);
            found.check(band->Name(), "Height", band->Height(), Need::Size);
            for (const auto& viewObject : band->Objects()) {
                const auto* view = dynamic_cast<const TrpView*>(viewObject.get());
                if (view == nullptr) {
                    continue;
                }
                found.check(view->Name(), "Left", view->Left(), Need::Position);
                found.check(view->Name(), "Top", view->Top(), Need::Position);
                found.check(view->Name(), "Width", view->Width(), Need::Size);
                found.check(view->Name(), "Height", view->Height(), Need::Size);
            }
        }
    }
    return found.lines;
}
