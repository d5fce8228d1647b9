#pragma once

#include "TrpFrame.h"
#include "TrpTypes.h"

class TrpReportPage;

// The paper of one prepared page, taken from its template page, as the printer, the preview and the
// stored pages need it: the paper code, the size in millimetres (for a ticket: 72 mm by the length its
// content needs), orientation, margins (millimetres), source bins, duplex and the frame round the
// printable area.
struct TrpPageSettings {
    int PaperSize = TrpCustomPaperSize;
    double PaperWidth = 0;
    double PaperHeight = 0;
    TrpPrintOrientation Orientation = TrpPrintOrientation::poPortrait;
    double LeftMargin = 0;
    double RightMargin = 0;
    double TopMargin = 0;
    double BottomMargin = 0;
    int Bin = 7;
    int BinOtherPages = 7;
    TrpDuplexMode Duplex = TrpDuplexMode::dmNone;
    TrpFrame Frame;

    static TrpPageSettings of(const TrpReportPage& page);
};
