#pragma once

#include <QStringList>

class TrpReport;

// Finds the sizes and positions of a template that no printer can take: paper, margins, bands and views
// that are not finite numbers, negative where a size is meant, a paper without area, or beyond what a
// roll of paper could ever hold. Each finding is an error line "<object>: <property> ... cannot be
// printed"; preparation lays out nothing while there is one.
class TrpGeometryCheck {
public:
    // The largest size or distance taken, in report pixels: the room an endless page offers.
    static constexpr double MaxPixels = 1000000;

    static QStringList problems(const TrpReport& report);
};
