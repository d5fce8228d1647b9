#pragma once

#include "TrpTypes.h"

class QPainter;

// The paper of one prepared page, as the printer and the preview need it: the paper code, the size in
// millimetres (for a ticket: 72 mm by the length its content needs), orientation, margins, bin, duplex.
struct TrpPageFormat {
    int PaperSize = TrpCustomPaperSize;
    double PaperWidth = 0;
    double PaperHeight = 0;
    TrpPrintOrientation Orientation = TrpPrintOrientation::poPortrait;
    double LeftMargin = 0;
    double TopMargin = 0;
    double RightMargin = 0;
    double BottomMargin = 0;
    int Bin = 7;
    TrpDuplexMode Duplex = TrpDuplexMode::dmNone;
};

// The prepared pages as output sees them: how many, each page's paper, and the one drawing routine that
// both the printer and the preview use.
class TrpPageSource {
public:
    virtual ~TrpPageSource() = default;

    virtual int PageCount() const = 0;
    virtual TrpPageFormat PageFormat(int index) const = 0;
    // Draws page `index` (from 0) with report pixels scaled by scaleX / scaleY and the page's top left
    // corner at (offsetX, offsetY) device units. `forPrinter` picks the views that print; otherwise those
    // that show in the preview.
    virtual void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX,
                          double offsetY, bool forPrinter) const = 0;
};
