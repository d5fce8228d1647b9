#include "DotPage.h"

#include <cstring>

DotPage::DotPage(int width, int height)
    : width_(width), height_(height), bytesPerRow_((width + 7) / 8),
      bits_(qsizetype(bytesPerRow_) * height, '\0') {}

DotPage DotPage::fromImage(const QImage& image) {
    const QImage rgb = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    DotPage page(rgb.width(), rgb.height());
    for (int y = 0; y < page.height_; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = page.row(y);
        for (int x = 0; x < page.width_; ++x) {
            // White is by far the most common pixel; it is decided without weighing the colours.
            if ((pixels[x] & 0xFFFFFF) != 0xFFFFFF && qGray(pixels[x]) < 128) {
                out[x / 8] |= static_cast<uchar>(0x80 >> (x % 8));
            }
        }
    }
    return page;
}

QImage DotPage::toImage() const {
    // Format_Mono keeps its dots as this page does: the leftmost in the highest bit.
    QImage image(width_, height_, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < height_; ++y) {
        std::memcpy(image.scanLine(y), row(y), size_t(bytesPerRow_));
    }
    return image;
}
