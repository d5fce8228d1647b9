#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class DotPage;
class TrpPageSource;
class TrpPreviewPages;
struct EscPosSettings;

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
    // Page `index` in the dots a printer of one bit per dot prints at `dpi`: nothing antialiased, text
    // without grey, pictures dithered. They are the dots an ESC/POS queue of that resolution receives.
    // Any page source will do: the archive's stored pages give the dots of a printed ticket.
    static DotPage renderDots(const TrpPageSource& pages, int index, int dpi);
    // The ESC/POS document a queue with `settings` receives for these pages. Throws TrpError when there is
    // no page.
    static QByteArray escPosDocument(const TrpPageSource& pages, const EscPosSettings& settings);
};
