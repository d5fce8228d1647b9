#include "EscPosDecoder.h"

#include <algorithm>

DecodedEscPos decodeEscPos(const QByteArray& d) {
    DecodedEscPos out;
    const auto at = [&d](qsizetype i) {
        return static_cast<uchar>(d[i]);
    };
    out.initialises = d.startsWith("\x1b@");
    if (!out.initialises) {
        out.error = QStringLiteral("no ESC @ at the start");
        return out;
    }
    struct Band {
        qsizetype data;
        int rows;
    };
    QList<Band> bands;
    qsizetype i = 2;
    qsizetype tailStart = 2;
    while (i < d.size()) {
        if (at(i) == 0x1D && i + 8 <= d.size() && d[i + 1] == 'v' && d[i + 2] == '0') {
            if (at(i + 3) != 0) {
                out.error = QStringLiteral("raster image of mode %1").arg(at(i + 3));
                return out;
            }
            const int bytes = at(i + 4) | (at(i + 5) << 8);
            const int rows = at(i + 6) | (at(i + 7) << 8);
            if (out.width == 0) {
                out.width = bytes * 8;
            } else if (out.width != bytes * 8) {
                out.error =
                    QStringLiteral("an image %1 dots wide after one of %2").arg(bytes * 8).arg(out.width);
                return out;
            }
            if (i + 8 + qsizetype(bytes) * rows > d.size()) {
                out.error = QStringLiteral("an image cut short");
                return out;
            }
            if (!out.tail.isEmpty() || tailStart != i) {
                out.error = QStringLiteral("commands between images");
                return out;
            }
            bands.append({i + 8, rows});
            out.bandRows.append(rows);
            i += 8 + qsizetype(bytes) * rows;
            tailStart = i;
        } else if ((at(i) == 0x1B && i + 3 <= d.size() && d[i + 1] == 'J') ||
                   (at(i) == 0x1D && i + 3 <= d.size() && d[i + 1] == 'V')) {
            i += 3;
        } else {
            out.error = QStringLiteral("unknown byte 0x%1 at %2").arg(at(i), 2, 16, QLatin1Char('0')).arg(i);
            return out;
        }
    }
    out.tail = d.mid(tailStart);
    int height = 0;
    for (const Band& band : bands) {
        height += band.rows;
    }
    out.dots = DotPage(out.width, height);
    int y = 0;
    for (const Band& band : bands) {
        for (int r = 0; r < band.rows; ++r, ++y) {
            const auto* row =
                reinterpret_cast<const uchar*>(d.constData() + band.data + qsizetype(r) * (out.width / 8));
            for (int x = 0; x < out.width; ++x) {
                if (row[x / 8] & (0x80 >> (x % 8))) {
                    out.dots.setDot(x, y);
                }
            }
        }
    }
    return out;
}

DotPage placedOnHead(const DotPage& page, int dots) {
    DotPage head(dots, page.height());
    const int offset = std::max(0, (dots - page.width()) / 2);
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width() && x + offset < dots; ++x) {
            if (page.dot(x, y)) {
                head.setDot(x + offset, y);
            }
        }
    }
    return head;
}
