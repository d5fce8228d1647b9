#include "DotCanvas.h"

#include <QMutex>
#include <QPageSize>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// The pixels of one canvas, kept from ticket to ticket. A long ticket's page is megabytes; the C library
// maps a block that large afresh for every allocation and the kernel clears every page of it again, which
// cost far more than the drawing. A canvas that read its page back leaves them white again row by row
// while each row is still in the cache, so the next one need not clear them. One canvas at a time uses
// them; another meanwhile gets its own.
class KeptPixels {
public:
    static KeptPixels& instance() {
        static KeptPixels pixels;
        return pixels;
    }

    // `bytes` of pixels, or nullptr when they are in use; `white` tells whether they are white already.
    uchar* take(size_t bytes, bool* white) {
        const QMutexLocker lock(&mutex_);
        if (inUse_) {
            return nullptr;
        }
        if (bytes > capacity_) {
            data_.reset();
            data_ = std::make_unique_for_overwrite<uchar[]>(bytes);
            capacity_ = bytes;
            white_ = false;
        }
        inUse_ = true;
        *white = white_;
        return data_.get();
    }
    // Gives the pixels back; `white` when every byte of them is white again.
    void release(bool white) {
        const QMutexLocker lock(&mutex_);
        inUse_ = false;
        white_ = white;
    }

private:
    QMutex mutex_;
    std::unique_ptr<uchar[]> data_;
    size_t capacity_ = 0;
    bool inUse_ = false;
    bool white_ = false;
};

} // namespace

QSize DotCanvas::paperDots(const SpoolPageSettings& paper, int dpi) {
    // The record carries width and length swapped for landscape: the sheet as it is drawn is upright.
    int width = paper.paperWidth;
    int length = paper.paperLength;
    if (paper.paperSize != SpoolPageSettings::CustomPaper) {
        const QSizeF mm = QPageSize(QPageSize::id(paper.paperSize)).size(QPageSize::Millimeter);
        width = static_cast<int>(std::lround(mm.width() * 10));
        length = static_cast<int>(std::lround(mm.height() * 10));
    } else if (paper.landscape) {
        std::swap(width, length);
    }
    const auto dots = [dpi](int tenths) {
        return std::max(1, static_cast<int>(std::ceil(tenths / 254.0 * dpi - 1e-6)));
    };
    return {dots(width), dots(length)};
}

DotCanvas::DotCanvas(const SpoolPageSettings& paper, int dpi) {
    const QSize size = paperDots(paper, dpi);
    // Rows of whole 32-bit words, as Qt lays out its own images.
    const qsizetype bytesPerLine = (qsizetype(size.width()) + 3) / 4 * 4;
    bool white = false;
    if (uchar* pixels = KeptPixels::instance().take(size_t(bytesPerLine) * size_t(size.height()), &white)) {
        image_ = QImage(pixels, size.width(), size.height(), bytesPerLine, QImage::Format_Grayscale8);
        sharedPixels_ = true;
    } else {
        image_ = QImage(size, QImage::Format_Grayscale8);
    }
    if (!white) {
        image_.fill(0xFF);
    }
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

DotCanvas::~DotCanvas() {
    if (painter_.isActive()) {
        painter_.end();
    }
    image_ = QImage();
    if (sharedPixels_) {
        KeptPixels::instance().release(whiteAgain_);
    }
}

DotPage DotCanvas::finish() {
    DotPage page = DotPage::forWholeRows(image_.width(), image_.height());
    int y = 0;
    finishRows(
        [&page, &y](const uchar* dots) { std::memcpy(page.row(y++), dots, size_t(page.bytesPerRow())); });
    return page;
}

void DotCanvas::finishRows(const std::function<void(const uchar*)>& row) {
    if (painter_.isActive()) {
        painter_.end();
    }
    QByteArray packed((image_.width() + 7) / 8, Qt::Uninitialized);
    auto* dots = reinterpret_cast<uchar*>(packed.data());
    for (int y = 0; y < image_.height(); ++y) {
        uchar* grey = image_.scanLine(y);
        DotPage::packGreyRow(grey, image_.width(), dots);
        // White again while the row is in the cache: the next canvas on these pixels need not clear them.
        std::memset(grey, 0xFF, size_t(image_.bytesPerLine()));
        row(dots);
    }
    whiteAgain_ = true;
}
