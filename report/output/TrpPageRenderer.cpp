#include "TrpPageRenderer.h"

#include "DotCanvas.h"
#include "EscPosEncoder.h"
#include "OutputFile.h"
#include "PdfJobWriter.h"
#include "TrpCustomPrinter.h"
#include "TrpError.h"
#include "TrpPagePainter.h"
#include "TrpPageSource.h"
#include "TrpPreviewPages.h"

#include <QMutex>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// The pixels of one image, reused from ticket to ticket. A long ticket's raster is tens of megabytes; the C
// library maps a block that large afresh for every allocation and the kernel clears and unmaps every page
// of it each time, so a ticket forty times as long cost hundreds of times as much. The buffer is handed
// out again once the image that used it is gone; while one is alive, the next image gets its own pixels.
class PixelBuffer {
public:
    static PixelBuffer& instance() {
        static PixelBuffer buffer;
        return buffer;
    }

    // An image of `width` x `height` on the kept pixels, or a null image when they are in use.
    QImage take(int width, int height) {
        const QMutexLocker lock(&mutex_);
        if (inUse_) {
            return {};
        }
        const qsizetype bytesPerLine = qsizetype(width) * 4;
        const size_t bytes = size_t(bytesPerLine) * size_t(height);
        if (bytes > capacity_) {
            data_.reset();
            data_ = std::make_unique_for_overwrite<uchar[]>(bytes);
            capacity_ = bytes;
        }
        inUse_ = true;
        return QImage(data_.get(), width, height, bytesPerLine, QImage::Format_RGB32, &PixelBuffer::release,
                      this);
    }

private:
    static void release(void* self) {
        auto* buffer = static_cast<PixelBuffer*>(self);
        const QMutexLocker lock(&buffer->mutex_);
        buffer->inUse_ = false;
    }

    QMutex mutex_;
    std::unique_ptr<uchar[]> data_;
    size_t capacity_ = 0;
    bool inUse_ = false;
};

// Clears an image's rows to white from the top down, as far as asked. White is every bit set in the image's
// format, so a row is cleared with memset.
class RowClearer {
public:
    explicit RowClearer(QImage& image)
        : bits_(image.bits()), bytesPerLine_(size_t(image.bytesPerLine())), height_(image.height()) {}

    // Clears the rows down to painter y `bottom` and one more, as a drawing reaching there may mark.
    void clearTo(double bottom) {
        if (!(bottom >= cleared_)) {
            return;
        }
        const int row = bottom >= height_ ? height_ : std::min(height_, static_cast<int>(bottom) + 2);
        std::memset(bits_ + size_t(cleared_) * bytesPerLine_, 0xFF, size_t(row - cleared_) * bytesPerLine_);
        cleared_ = row;
    }

private:
    uchar* bits_;
    size_t bytesPerLine_;
    int height_;
    int cleared_ = 0;
};

// The paper of page `index` as the printer driver is handed it: a ticket's custom size in whole tenths of a
// millimetre.
SpoolPageSettings driverPaper(const TrpPreviewPages& pages, int index) {
    const TrpPageSettings& s = pages.GetPageSettings(index);
    return TrpCustomPrinter::paperSettings(s.PaperSize, s.Orientation == TrpPrintOrientation::poLandscape,
                                           s.PaperWidth, s.PaperHeight);
}

} // namespace

QByteArray TrpPageRenderer::pdfDocument(const TrpPreviewPages& pages, const QString& title) {
    if (pages.Count() == 0) {
        throw TrpError(QStringLiteral("The report has no prepared page"));
    }
    PdfJobWriter writer(QString(), title);
    const double scale = PdfJobWriter::Resolution / 96.0;
    for (int i = 0; i < pages.Count(); ++i) {
        writer.beginPage(driverPaper(pages, i));
        pages.DrawPage(i, writer.painter(), scale, scale, QPointF(0, 0), TrpDrawTarget::Printer);
        writer.endPage();
    }
    if (!writer.close()) {
        throw TrpError(QStringLiteral("The PDF document could not be made"));
    }
    return writer.document();
}

void TrpPageRenderer::writePdf(const TrpPreviewPages& pages, const QString& fileName) {
    // Put together in memory and written in one go, so that a file that cannot take it all is noticed.
    const QByteArray document = pdfDocument(pages);
    QString why;
    if (!OutputFile::writeAll(fileName, document, &why)) {
        throw TrpError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, why));
    }
}

QImage TrpPageRenderer::renderImage(const TrpPreviewPages& pages, int index, double dpi) {
    const QSizeF mm = pages.GetPageSize(index);
    const int width = static_cast<int>(std::ceil(mm.width() / 25.4 * dpi - 1e-6));
    const int height = static_cast<int>(std::ceil(mm.height() / 25.4 * dpi - 1e-6));
    QImage image = PixelBuffer::instance().take(std::max(1, width), std::max(1, height));
    if (image.isNull()) {
        image = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    }
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    // The rows are cleared just ahead of the views drawn on them rather than all before drawing: a long
    // ticket's image is far larger than the processor's caches, and rows cleared a moment before their glyphs
    // are blended are still in the cache then, which saves a third of a long ticket's time.
    RowClearer rows(image);
    if (index >= 0 && index < pages.Count()) {
        QPainter painter(&image);
        const double scale = dpi / 96.0;
        TrpPagePainter page(painter, scale, scale, TrpDrawTarget::Printer);
        page.setReachHandler([&rows](double bottom) { rows.clearTo(bottom); });
        page.drawPage(pages.GetPage(index), pages.GetPageSettings(index), QPointF(0, 0));
    }
    rows.clearTo(image.height());

    return image;
}

namespace {

// Page `index` drawn in dots at `dpi` as a print job draws it: the paper the driver is handed, the page's
// corner on the paper's.
std::unique_ptr<DotCanvas> drawnInDots(const TrpPageSource& pages, int index, int dpi) {
    if (index < 0 || index >= pages.PageCount()) {
        throw TrpError(QStringLiteral("The report has no prepared page %1").arg(index + 1));
    }
    const TrpPageSettings s = pages.PageFormat(index);
    auto canvas = std::make_unique<DotCanvas>(
        TrpCustomPrinter::paperSettings(s.PaperSize, s.Orientation == TrpPrintOrientation::poLandscape,
                                        s.PaperWidth, s.PaperHeight),
        dpi);
    const double scale = dpi / 96.0;
    pages.DrawPage(index, canvas->painter(), scale, scale, 0, 0, true);
    return canvas;
}

} // namespace

DotPage TrpPageRenderer::renderDots(const TrpPageSource& pages, int index, int dpi) {
    return drawnInDots(pages, index, dpi)->finish();
}

QByteArray TrpPageRenderer::escPosDocument(const TrpPageSource& pages, const EscPosSettings& settings) {
    if (pages.PageCount() == 0) {
        throw TrpError(QStringLiteral("The report has no prepared page"));
    }
    // Page by page as a print job encodes them: the dots go into the document as they are read back.
    EscPosEncoder encoder(settings);
    for (int i = 0; i < pages.PageCount(); ++i) {
        const std::unique_ptr<DotCanvas> canvas = drawnInDots(pages, i, settings.dpi);
        encoder.beginPage(canvas->width(), canvas->height());
        canvas->finishRows([&encoder](const uchar* dots) { encoder.addRow(dots); });
        encoder.endPage();
    }
    return encoder.take();
}
