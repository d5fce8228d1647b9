#include "EscPosEncoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char Esc = 0x1B;
constexpr char Gs = 0x1D;

void appendLittleEndian16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// Copies a page row onto a head row `offset` dots from its left edge; dots beyond the head are dropped.
// The head row starts out uninitialised.
void placeRow(const uchar* source, int sourceBytes, uchar* head, int headBytes, int offset) {
    if (offset % 8 == 0) {
        const int at = offset / 8;
        const int copied = std::min(sourceBytes, headBytes - at);
        std::memset(head, 0, size_t(at));
        std::memcpy(head + at, source, size_t(copied));
        std::memset(head + at + copied, 0, size_t(headBytes - at - copied));
        return;
    }
    std::memset(head, 0, size_t(headBytes));
    const int shift = offset % 8;
    for (int i = 0; i < sourceBytes; ++i) {
        const uchar bits = source[i];
        if (bits == 0) {
            continue;
        }
        const int at = offset / 8 + i;
        if (at >= headBytes) {
            break;
        }
        head[at] |= static_cast<uchar>(bits >> shift);
        if (at + 1 < headBytes) {
            head[at + 1] |= static_cast<uchar>(bits << (8 - shift));
        }
    }
}

void appendFeedAndCut(QByteArray& out, const EscPosSettings& settings) {
    // ESC J feeds at most 255 dot rows at a time.
    for (int left = settings.feed; left > 0; left -= 255) {
        out.append(Esc);
        out.append('J');
        out.append(static_cast<char>(std::min(left, 255)));
    }
    switch (settings.cut) {
    case EscPosSettings::Cut::Partial:
        out.append(Gs);
        out.append('V');
        out.append('\x01');
        break;
    case EscPosSettings::Cut::Full:
        out.append(Gs);
        out.append('V');
        out.append('\x00');
        break;
    case EscPosSettings::Cut::None:
        break;
    }
}

} // namespace

EscPosEncoder::EscPosEncoder(const EscPosSettings& settings)
    : settings_(settings), headBytes_(settings.dots / 8) {
    out_.append(Esc);
    out_.append('@');
}

void EscPosEncoder::beginPage(int width, int height) {
    pageBytes_ = (width + 7) / 8;
    pageHeight_ = height;
    offset_ = std::max(0, (settings_.dots - width) / 2);
    row_ = 0;
    band_ = nullptr;
    // The whole page at once, so that its rows are written without the document growing under them.
    out_.reserve(out_.size() + qsizetype(headBytes_) * height + 8 * (height / MaxBandRows + 1) +
                 3 * (settings_.feed / 255 + 2));
}

void EscPosEncoder::addRow(const uchar* dots) {
    if (row_ % MaxBandRows == 0) {
        const int rows = std::min(MaxBandRows, pageHeight_ - row_);
        out_.append(Gs);
        out_.append('v');
        out_.append('0');
        out_.append('\0');
        appendLittleEndian16(out_, headBytes_);
        appendLittleEndian16(out_, rows);
        const qsizetype at = out_.size();
        out_.resize(at + qsizetype(headBytes_) * rows);
        band_ = reinterpret_cast<uchar*>(out_.data() + at);
    }
    placeRow(dots, pageBytes_, band_, headBytes_, offset_);
    band_ += headBytes_;
    ++row_;
}

void EscPosEncoder::endPage() {
    appendFeedAndCut(out_, settings_);
}

QByteArray EscPosEncoder::encode(const QList<DotPage>& pages, const EscPosSettings& settings) {
    EscPosEncoder encoder(settings);
    for (const DotPage& page : pages) {
        encoder.beginPage(page.width(), page.height());
        for (int y = 0; y < page.height(); ++y) {
            encoder.addRow(page.row(y));
        }
        encoder.endPage();
    }
    return encoder.take();
}

QString EscPosEncoder::fitting(const QString& queue, int pageWidth, const EscPosSettings& settings) {
    if (pageWidth < settings.dots) {
        return QStringLiteral("Printer %1: tickets %2 dots wide are centred on its head of %3 dots")
            .arg(queue)
            .arg(pageWidth)
            .arg(settings.dots);
    }
    if (pageWidth > settings.dots) {
        return QStringLiteral(
                   "Printer %1: tickets %2 dots wide are cut at its head's %3 dots; the right %4 dots do "
                   "not print")
            .arg(queue)
            .arg(pageWidth)
            .arg(settings.dots)
            .arg(pageWidth - settings.dots);
    }
    return {};
}

namespace {

// Walks the document's commands; false at anything encode() does not write or that is cut short.
bool walk(const QByteArray& d, int* firstWidth) {
    if (!d.startsWith("\x1b@")) {
        return false;
    }
    qsizetype at = 2;
    const auto byte = [&d](qsizetype i) {
        return static_cast<uchar>(d[i]);
    };
    while (at < d.size()) {
        const qsizetype left = d.size() - at;
        if (byte(at) == 0x1D && left >= 8 && d[at + 1] == 'v' && d[at + 2] == '0') {
            const qsizetype width = byte(at + 4) | (byte(at + 5) << 8);
            const qsizetype rows = byte(at + 6) | (byte(at + 7) << 8);
            if (width == 0 || rows == 0 || left - 8 < width * rows) {
                return false;
            }
            if (firstWidth != nullptr && *firstWidth == 0) {
                *firstWidth = static_cast<int>(width * 8);
            }
            at += 8 + width * rows;
        } else if (byte(at) == 0x1B && left >= 3 && d[at + 1] == 'J') {
            at += 3;
        } else if (byte(at) == 0x1D && left >= 3 && d[at + 1] == 'V' && byte(at + 2) <= 1) {
            at += 3;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

bool EscPosEncoder::isWholeDocument(const QByteArray& document) {
    return walk(document, nullptr);
}

int EscPosEncoder::headDots(const QByteArray& document) {
    int width = 0;
    walk(document, &width);
    return width;
}
