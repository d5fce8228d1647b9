#include "DotPage.h"

#include <QtEndian>
#include <cstring>

DotPage::DotPage(int width, int height)
    : width_(width), height_(height), bytesPerRow_((width + 7) / 8),
      bits_(qsizetype(bytesPerRow_) * height, '\0') {}

DotPage DotPage::forWholeRows(int width, int height) {
    DotPage page;
    page.width_ = width;
    page.height_ = height;
    page.bytesPerRow_ = (width + 7) / 8;
    page.bits_ = QByteArray(qsizetype(page.bytesPerRow_) * height, Qt::Uninitialized);
    return page;
}

DotPage DotPage::fromImage(const QImage& image) {
    if (image.format() == QImage::Format_Grayscale8) {
        DotPage page = forWholeRows(image.width(), image.height());
        for (int y = 0; y < page.height_; ++y) {
            packGreyRow(image.constScanLine(y), page.width_, page.row(y));
        }
        return page;
    }
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

void DotPage::packGreyRow(const uchar* grey, int width, uchar* out) {
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        // Eight pixels at once: a pixel prints when its top bit is clear (darker than 128). The
        // multiplication gathers the eight flags into the top byte, the leftmost pixel highest.
        const quint64 pixels = qFromLittleEndian<quint64>(grey + x);
        const quint64 dark = (~pixels >> 7) & 0x0101010101010101ULL;
        out[x / 8] = static_cast<uchar>((dark * 0x8040201008040201ULL) >> 56);
    }
    if (x < width) {
        uchar last = 0;
        for (int i = 0; x + i < width; ++i) {
            if (grey[x + i] < 128) {
                last |= static_cast<uchar>(0x80 >> i);
            }
        }
        out[x / 8] = last;
    }
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
