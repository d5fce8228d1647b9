#include "PdfJobWriter.h"

#include "OutputFile.h"
#include "PrintSpooler.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

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

PdfJobWriter::PdfJobWriter(const QString& path, const QString& title) : path_(path) {
    document_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&document_);
    writer_->setResolution(Resolution);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Veloria Kitchen Printing Server"));
}

PdfJobWriter::~PdfJobWriter() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void PdfJobWriter::beginPage(const SpoolPageSettings& settings) {
    writer_->setPageLayout(layoutFor(settings));
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
    if (!painter_.isActive()) {
        return true;
    }
    return painter_.end() && OutputFile::writeAll(path_, document_.data());
}
