#pragma once

#include "TrpPreparedPage.h"

#include <QPointF>
#include <QSizeF>
#include <vector>

class QPainter;

// Where a prepared page is drawn: decides which views show (a view's Visibility: vsPrint on the
// printer, vsPreview on screen) and whether drawing is clipped to the page.
enum class TrpDrawTarget { Printer, Preview };

// The prepared pages of a report (its PreviewPages): the output of a preparation, read by printing, the
// preview and the ticket rendering tool. Per template page a source copy of its settings; per prepared
// page the bands placed on it with copies of their views.
//
// The engine builds them with AddSourcePage, AddPage, AddObject and UpdatePageDimensions; readers use
// Count, GetPage, GetPageSettings, GetPageSize and DrawPage.
class TrpPreviewPages {
public:
    // Discards every page and source copy.
    void Clear();

    // Building (the layout engine). A source copy is made once per template page and run.
    void AddSourcePage(const TrpReportPage& page);
    // A new, empty prepared page made from that template page; it becomes the current page.
    void AddPage(const TrpReportPage& page);
    // Copies a band with its visible views onto the current page, at the band's current geometry.
    void AddObject(const TrpBand& band);
    // True when the band, or for a page footer any page footer, is on the current page already.
    bool BandExists(const TrpBand& band) const;
    // Makes the source copy of `page` a custom paper of `height` x `width` report pixels (kept in
    // millimetres rounded to 8 decimals): every prepared page made from it takes that size.
    void UpdatePageDimensions(const TrpReportPage& page, double height, double width);
    // Ends a run: the template pages are no longer referred to.
    void Finish();

    int Count() const { return static_cast<int>(m_pages.size()); }
    const TrpPreviewPage& GetPage(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    const TrpPageSettings& GetPageSettings(int index) const;
    // The paper of a page in millimetres (width, height).
    QSizeF GetPageSize(int index) const;

    // Draws page `index` onto `painter`. One report pixel (1/96 inch) becomes `scaleX` x `scaleY` device
    // units, and `offset` is the device position of the paper's top left corner. On the printer: scale =
    // device dots per inch / 96, offset = minus the printer's physical offsets in dots. In the preview:
    // zoom and scroll position; drawing is clipped to the page. Text is measured at 600 dpi and scaled,
    // so a page wraps the same on every device. The painter's state is left as it was. The page goes to
    // TrpPagePainter (output/), where this is defined.
    void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, QPointF offset,
                  TrpDrawTarget target) const;

private:
    struct Source {
        const TrpReportPage* page = nullptr;
        TrpPageSettings settings;
    };
    int sourceIndexOf(const TrpReportPage& page) const;

    std::vector<Source> m_sources;
    std::vector<TrpPreviewPage> m_pages;
};
