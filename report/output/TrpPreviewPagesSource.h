#pragma once

#include "TrpPageSource.h"

class TrpPreviewPages;
struct TrpPageSettings;

// A report's prepared pages as the printer and the preview read them; drawing goes through the pages'
// own DrawPage, the one drawing routine of every output.
class TrpPreviewPagesSource final : public TrpPageSource {
public:
    explicit TrpPreviewPagesSource(const TrpPreviewPages& pages) : pages_(pages) {}

    // The paper of a page with these settings.
    static TrpPageFormat formatOf(const TrpPageSettings& settings);

    int PageCount() const override;
    TrpPageFormat PageFormat(int index) const override;
    void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX, double offsetY,
                  bool forPrinter) const override;

private:
    const TrpPreviewPages& pages_;
};
