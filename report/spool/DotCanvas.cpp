#include "DotCanvas.h"

#include <QPageSize>
#include <algorithm>
#include <cmath>

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
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::white);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image_.setDotsPerMeterX(dotsPerMeter);
    image_.setDotsPerMeterY(dotsPerMeter);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
}

DotPage DotCanvas::finish() {
    if (painter_.isActive()) {
        painter_.end();
    }
    return DotPage::fromImage(image_);
}
