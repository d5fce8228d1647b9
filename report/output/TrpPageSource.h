#pragma once

#include "TrpPageSettings.h"

class QPainter;

// The prepared pages as output sees them: how many, each page's paper, and the one drawing routine that
// both the printer and the preview use.
class TrpPageSource {
public:
    virtual ~TrpPageSource() = default;

    virtual int PageCount() const = 0;
    virtual TrpPageSettings PageFormat(int index) const = 0;
    // Draws page `index` (from 0) with report pixels scaled by scaleX / scaleY and the page's top left
    // corner at (offsetX, offsetY) device units. `forPrinter` picks the views that print; otherwise those
    // that show in the preview.
    virtual void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX,
                          double offsetY, bool forPrinter) const = 0;
};
