#pragma once

#include "TrpPageSource.h"
#include "TrpPreparedPage.h"

#include <QByteArray>
#include <vector>

class TrpPreviewPages;

// Prepared pages kept apart from the report that laid them out: written to bytes beside a printed ticket
// and read back later to show that ticket in the preview exactly as it was drawn for the printer. Drawing
// goes through the same page painter as the report's own pages.
class TrpStoredPages final : public TrpPageSource {
public:
    TrpStoredPages() = default;
    // A copy of the report's prepared pages.
    explicit TrpStoredPages(const TrpPreviewPages& pages);

    QByteArray toBytes() const;
    // Raises TrpError("The stored pages are damaged") for bytes that are not stored pages.
    static TrpStoredPages fromBytes(const QByteArray& bytes);

    int PageCount() const override { return static_cast<int>(pages_.size()); }
    TrpPageSettings PageFormat(int index) const override;
    void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX, double offsetY,
                  bool forPrinter) const override;

private:
    struct Page {
        TrpPageSettings settings;
        TrpPreviewPage page;
    };
    std::vector<Page> pages_;
};
