#pragma once

#include "SpoolPageSettings.h"

#include <QByteArray>
#include <QList>
#include <QPainter>
#include <QString>
#include <memory>

class TicketPdfWriter;

// Draws the pages of one print job into a PDF document at 600 dots per inch, each page with the paper size
// its settings name. The document is made in memory; both spoolers hand those bytes on: to the print
// queue, or to a file.
class PdfJobWriter {
public:
    static constexpr int Resolution = 600;

    // `path` empty: the document stays in memory only; otherwise close() also writes it to that file.
    PdfJobWriter(const QString& path, const QString& title);
    ~PdfJobWriter();
    PdfJobWriter(const PdfJobWriter&) = delete;
    PdfJobWriter& operator=(const PdfJobWriter&) = delete;

    void beginPage(const SpoolPageSettings& settings);
    QPainter& painter() { return painter_; }
    void endPage() {}
    // Ends the document; false when it could not be made or its file could not be written.
    bool close();

    int pageCount() const { return pages_.size(); }
    const QList<SpoolPageSettings>& pages() const { return pages_; }
    // The finished document's bytes (empty before close()).
    const QByteArray& document() const { return document_; }

private:
    QString path_;
    QByteArray document_;
    std::unique_ptr<TicketPdfWriter> writer_;
    QPainter painter_;
    QList<SpoolPageSettings> pages_;
};
