#pragma once

#include "SpoolPageSettings.h"

#include <QBuffer>
#include <QList>
#include <QPainter>
#include <QString>
#include <memory>

class QPdfWriter;

// Draws the pages of one print job into a PDF file at 600 dots per inch, each page with the paper size
// its settings name. Both spoolers hand such a file on: to the print queue, or to the caller's folder.
class PdfJobWriter {
public:
    static constexpr int Resolution = 600;

    PdfJobWriter(const QString& path, const QString& title);
    ~PdfJobWriter();
    PdfJobWriter(const PdfJobWriter&) = delete;
    PdfJobWriter& operator=(const PdfJobWriter&) = delete;

    void beginPage(const SpoolPageSettings& settings);
    QPainter& painter() { return painter_; }
    void endPage() {}
    // Ends the document and writes it to its file; false when the file could not take all of it.
    bool close();

    int pageCount() const { return pages_.size(); }
    const QList<SpoolPageSettings>& pages() const { return pages_; }

private:
    QString path_;
    // The document is put together in memory and written at the end in one go, so that a file that
    // cannot take it all is noticed.
    QBuffer document_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    QList<SpoolPageSettings> pages_;
};
