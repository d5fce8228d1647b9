#pragma once

#include <QByteArray>
#include <QImage>

// One page as a printer of one bit per dot prints it: rows of dots packed eight to a byte, the leftmost dot
// in the highest bit, a set bit printed black. This is the layout receipt printers take their raster
// images in, so a page goes to them without repacking.
class DotPage {
public:
    DotPage() = default;
    // A blank page of `width` x `height` dots.
    DotPage(int width, int height);

    // The dots of a drawn page: a pixel darker than middle grey prints, a lighter one does not. Pages are
    // drawn without grey for this (see DotCanvas), so the threshold only decides colours.
    static DotPage fromImage(const QImage& image);
    // The same for one row of `width` grey pixels, into `out` (whole bytes, the last one padded white).
    static void packGreyRow(const uchar* grey, int width, uchar* out);

    int width() const { return width_; }
    int height() const { return height_; }
    int bytesPerRow() const { return bytesPerRow_; }
    const uchar* row(int y) const {
        return reinterpret_cast<const uchar*>(bits_.constData()) + qsizetype(y) * bytesPerRow_;
    }
    uchar* row(int y) { return reinterpret_cast<uchar*>(bits_.data()) + qsizetype(y) * bytesPerRow_; }
    bool dot(int x, int y) const { return (row(y)[x / 8] & (0x80 >> (x % 8))) != 0; }
    void setDot(int x, int y) { row(y)[x / 8] |= static_cast<uchar>(0x80 >> (x % 8)); }

    // A page of `width` x `height` dots whose rows are all about to be written whole (packGreyRow): its bytes
    // are not cleared first.
    static DotPage forWholeRows(int width, int height);

    // The page as a one-bit image (white and black), for looking at it and comparing it.
    QImage toImage() const;

    bool operator==(const DotPage&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    int bytesPerRow_ = 0;
    QByteArray bits_;
};
