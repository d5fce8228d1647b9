#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class TrpPreviewPages;

// Renders prepared pages to files without a printer: a PDF whose pages have the prepared paper sizes, or
// an image of one page at a given resolution. Both draw through TrpPreviewPages::DrawPage as a printer
// would (views visible in print).
class TrpPageRenderer {
public:
    // Writes every page to a PDF file (drawn at 600 dpi). Throws TrpError when the file cannot be written
    // or there is no page.
    static void writePdf(const TrpPreviewPages& pages, const QString& fileName);
    // The same PDF document in memory, titled `title`. It is the document a print queue receives for these
    // pages from a job of that title: the same writer, paper and drawing. Throws TrpError when there is no
    // page.
    static QByteArray pdfDocument(const TrpPreviewPages& pages, const QString& title = {});
    // Page `index` on a white image of `dpi` dots per inch, as large as its paper (rounded up).
    static QImage renderImage(const TrpPreviewPages& pages, int index, double dpi);
};
