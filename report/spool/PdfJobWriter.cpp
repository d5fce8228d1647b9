#include "PdfJobWriter.h"

#include "OutputFile.h"
#include "PrintSpooler.h"
#include "TicketPdfWriter.h"

#include <QPageLayout>
#include <QPageSize>

namespace {

QPageLayout layoutFor(const SpoolPageSettings& settings) {
    QPageSize size;
    if (settings.paperSize == SpoolPageSettings::CustomPaper) {
        // The record carries width and length swapped for landscape; the PDF page wants them upright.
        double width = settings.paperWidth / 10.0;
        double length = settings.paperLength / 10.0;
        if (settings.landscape) {
            std::swap(width, length);
        }
        size = QPageSize(QSizeF(width, length), QPageSize::Millimeter, QStringLiteral("Custom"),
                         QPageSize::ExactMatch);
    } else {
        size = QPageSize(QPageSize::id(settings.paperSize));
    }
    return QPageLayout(size, settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace

PdfJobWriter::PdfJobWriter(const QString& path, const QString& title)
    : path_(path), writer_(std::make_unique<TicketPdfWriter>(title)) {}

PdfJobWriter::~PdfJobWriter() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void PdfJobWriter::beginPage(const SpoolPageSettings& settings) {
    writer_->setPageSize(layoutFor(settings).fullRect(QPageLayout::Millimeter).size());
    if (pages_.isEmpty()) {
        if (!painter_.begin(writer_.get())) {
            throw SpoolError(QStringLiteral("The document could not be started"));
        }
    } else {
        writer_->newPage();
    }
    pages_.append(settings);
}

bool PdfJobWriter::close() {
    if (painter_.isActive() && !painter_.end()) {
        return false;
    }
    document_ = writer_->document();
    if (path_.isEmpty() || pages_.isEmpty()) {
        return true;
    }
    // Written in one go, so that a file that cannot take it all is noticed.
    return OutputFile::writeAll(path_, document_);
}
