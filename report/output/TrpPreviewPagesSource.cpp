#include "TrpPreviewPagesSource.h"

#include "TrpPreviewPages.h"

int TrpPreviewPagesSource::PageCount() const {
    return pages_.Count();
}

TrpPageFormat TrpPreviewPagesSource::PageFormat(int index) const {
    return formatOf(pages_.GetPageSettings(index));
}

TrpPageFormat TrpPreviewPagesSource::formatOf(const TrpPageSettings& s) {
    TrpPageFormat f;
    f.PaperSize = s.PaperSize;
    f.PaperWidth = s.PaperWidth;
    f.PaperHeight = s.PaperHeight;
    f.Orientation = s.Orientation;
    f.LeftMargin = s.LeftMargin;
    f.TopMargin = s.TopMargin;
    f.RightMargin = s.RightMargin;
    f.BottomMargin = s.BottomMargin;
    f.Bin = s.Bin;
    f.Duplex = s.Duplex;
    return f;
}

void TrpPreviewPagesSource::DrawPage(int index, QPainter& painter, double scaleX, double scaleY,
                                     double offsetX, double offsetY, bool forPrinter) const {
    pages_.DrawPage(index, painter, scaleX, scaleY, QPointF(offsetX, offsetY),
                    forPrinter ? TrpDrawTarget::Printer : TrpDrawTarget::Preview);
}
