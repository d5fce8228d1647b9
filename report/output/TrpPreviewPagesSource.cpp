#include "TrpPreviewPagesSource.h"

#include "TrpPreviewPages.h"

int TrpPreviewPagesSource::PageCount() const {
    return pages_.Count();
}

TrpPageSettings TrpPreviewPagesSource::PageFormat(int index) const {
    return pages_.GetPageSettings(index);
}

void TrpPreviewPagesSource::DrawPage(int index, QPainter& painter, double scaleX, double scaleY,
                                     double offsetX, double offsetY, bool forPrinter) const {
    pages_.DrawPage(index, painter, scaleX, scaleY, QPointF(offsetX, offsetY),
                    forPrinter ? TrpDrawTarget::Printer : TrpDrawTarget::Preview);
}
