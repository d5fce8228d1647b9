#pragma once

#include "TrpPageSource.h"

class TrpPreviewPages;

// A report's prepared pages as the printer and the preview read them; drawing goes through the pages'
// own DrawPage, the one drawing routine of every output.
class TrpPreviewPagesSource final : public TrpPageSource {
public:
    explicit TrpPreviewPagesSource(const TrpPreviewPages& pages) : pages_(pages) {}

    int PageCount() const override;
    TrpPageSettings PageFormat(int index) const override;
    void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX, double offsetY,
                  bool forPrinter) const override;

private:
    const TrpPreviewPages& pages_;
};
