#include "TrpDrawText.h"

#include "ShapedText.h"
#include "TicketPdfWriter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <limits>

namespace {

// Frame line bits of a memo's frame.
constexpr int FrameLeft = 1;
constexpr int FrameRight = 2;
constexpr int FrameTop = 4;
constexpr int FrameBottom = 8;

// Every rounding of measuring and wrapping goes to the nearest whole number and halves to the even one
// (the default rounding mode), so that a width at a half-dot boundary is not widened by a dot.
double roundHalfEven(double v) {
    return std::nearbyint(v);
}

} // namespace

int TrpTextFont::pointSize() const {
    return static_cast<int>(roundHalfEven(std::abs(height) * 72.0 / 96.0));
}

TrpDrawText& TrpDrawText::instance() {
    static TrpDrawText drawText;
    return drawText;
}

QMutex& TrpDrawText::lock() {
    static QMutex mutex;
    return mutex;
}

QString TrpDrawText::resolvedFamily(const QString& name) {
    QFont font(name);
    font.setPixelSize(92);
    return QFontInfo(font).family();
}

QFont TrpDrawText::deviceFont(double pixelSize) const {
    QFont font(font_.name);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    font.setBold(font_.style & 1);
    font.setItalic(font_.style & 2);
    font.setUnderline(font_.style & 4);
    font.setStrikeOut(font_.style & 8);
    // Widths must not depend on the desktop's hinting settings, and a character's advance must not change
    // with its neighbour: a line is as wide as the sum of its characters.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

void TrpDrawText::setFont(const TrpTextFont& font) {
    const bool sameFace = font.name == font_.name && font.style == font_.style &&
                          font.pointSize() == font_.pointSize() && charHeight_ != 0;
    font_ = font;
    if (sameFace) {
        return;
    }
    charHeight_ = static_cast<int>(roundHalfEven(font.pointSize() * MeasureDpi / 72.0));
    measureFont_ = deviceFont(charHeight_);
    const QFontMetricsF metrics(measureFont_);
    cellHeight_ = metrics.ascent() + metrics.descent();
    advances_.clear();
}

double TrpDrawText::charAdvance(QChar c) const {
    const auto it = advances_.constFind(c);
    if (it != advances_.constEnd()) {
        return *it;
    }
    const double advance = QFontMetricsF(measureFont_).horizontalAdvance(c);
    advances_.insert(c, advance);
    return advance;
}

std::shared_ptr<const ShapedText> TrpDrawText::shapedOrNull(const QString& text) const {
    return ShapedText::isSimple(text) ? nullptr : ShapedText::shape(measureFont_, text);
}

void TrpDrawText::prefixWidths(const QString& paragraph, QList<double>& widths) const {
    prefixWidths(paragraph, shapedOrNull(paragraph).get(), widths);
}

void TrpDrawText::prefixWidths(const QString& paragraph, const ShapedText* shaped,
                               QList<double>& widths) const {
    // One pass over the paragraph: widths[i] is the width of its first i characters.
    const double spacing = options_.charSpacing * Ratio;
    widths.resize(paragraph.size() + 1);
    widths[0] = 0;
    double sum = 0;
    if (shaped != nullptr) {
        // Joined, combined, reordered or fallback text: the advances of the shaped paragraph, each cluster's
        // on its first character, so that the lines are as wide as they are drawn.
        for (qsizetype i = 0; i < paragraph.size(); ++i) {
            sum += shaped->advances().at(i) + spacing;
            widths[i + 1] = sum;
        }
        return;
    }
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        const QChar c = paragraph.at(i);
        sum += charAdvance(c) + spacing;
        widths[i + 1] = sum;
    }
}

double TrpDrawText::lineWidth600(const QString& line, double prefixWidth) const {
    if (ShapedText::isSimple(line)) {
        return prefixWidth;
    }
    // Shaped on its own (the cache's entry for drawing it): the joining at a break may differ from the
    // paragraph's.
    return ShapedText::shape(measureFont_, line)->width() +
           options_.charSpacing * Ratio * static_cast<double>(line.size());
}

QList<char32_t> TrpDrawText::takeMissingCharacters() {
    QList<char32_t> missing;
    missing.swap(missing_);
    return missing;
}

double TrpDrawText::textWidth600(const QString& text) const {
    QList<double> widths;
    prefixWidths(text, widths);
    return widths.back();
}

QList<TrpTextLine> TrpDrawText::wrapParagraph(const QString& source) {
    const QString paragraph = source.isEmpty() ? QStringLiteral(" ") : source;
    // A line breaks only between clusters: never between a letter and its marks, inside a syllable or
    // between the halves of a character outside the basic plane.
    const std::shared_ptr<const ShapedText> shaped = shapedOrNull(paragraph);
    QList<double> widths;
    prefixWidths(paragraph, shaped.get(), widths);
    if (shaped) {
        for (const char32_t c : shaped->missing()) {
            if (!missing_.contains(c)) {
                missing_.append(c);
            }
        }
    }
    const auto clusterStart = [&shaped](qsizetype i) {
        return !shaped || shaped->startsCluster(i);
    };
    const double span = roundHalfEven(rect_.right()) - roundHalfEven(rect_.left());
    const double firstWidth = roundHalfEven(Ratio * (span - options_.paragraphGap));
    const double otherWidth = roundHalfEven(Ratio * span);

    QList<TrpTextLine> out;
    auto addLine = [&](qsizetype from, qsizetype to) {
        const QString text = paragraph.mid(from, to - from);
        out.append(
            TrpTextLine{text, out.isEmpty(), false,
                        shaped ? lineWidth600(text, widths[to] - widths[from]) : widths[to] - widths[from]});
    };
    const qsizetype length = paragraph.size();
    if (length == 1 || !options_.wordWrap || widths[length] <= firstWidth) {
        addLine(0, length);
    } else {
        qsizetype start = 0;
        qsizetype lastSpace = -1;
        qsizetype i = 0;
        while (i < length) {
            if (paragraph.at(i) == QLatin1Char(' ')) {
                lastSpace = i;
            }
            const double available = out.isEmpty() ? firstWidth : otherWidth;
            if (widths[i + 1] - widths[start] <= available) {
                ++i;
                continue;
            }
            if (lastSpace >= start) {
                // The line ends before the space, which is dropped.
                addLine(start, lastSpace);
                start = lastSpace + 1;
            } else {
                // A word longer than the line is broken inside, before the cluster that does not fit; a
                // cluster wider than the line stands alone.
                qsizetype end = i;
                while (end > start && !clusterStart(end)) {
                    --end;
                }
                if (end == start) {
                    end = i + 1;
                    while (end < length && !clusterStart(end)) {
                        ++end;
                    }
                }
                addLine(start, end);
                start = end;
            }
            lastSpace = -1;
            i = start;
        }
        addLine(start, length);
    }
    out.back().lastOfParagraph = true;
    return out;
}

void TrpDrawText::setText(const QStringList& lines) {
    lines_.clear();
    for (const QString& paragraph : lines) {
        lines_.append(wrapParagraph(paragraph));
    }
}

double TrpDrawText::lineHeight() const {
    return charHeight_ / Ratio + options_.lineSpacing;
}

double TrpDrawText::calcHeight() const {
    if (lines_.isEmpty()) {
        return 0;
    }
    double height = lines_.size() * lineHeight();
    if (options_.lineSpacing < 0) {
        height -= options_.lineSpacing;
    }
    if (font_.pointSize() > 12) {
        const double extra = (cellHeight_ - charHeight_) / Ratio;
        if (extra > 0) {
            height += extra;
        }
    }
    return height;
}

double TrpDrawText::calcWidth() const {
    double widest = 0;
    for (const TrpTextLine& line : lines_) {
        widest = std::max(widest, line.width600);
    }
    return widest / Ratio;
}

QRectF TrpDrawText::textRect(const QRectF& memo, double gapX, double gapY, double frameWidth, int frameTyp) {
    double left = memo.left() + gapX;
    double top = memo.top() + gapY;
    double right = memo.left() + memo.width() - gapX + 1;
    double bottom = memo.top() + memo.height() - gapY + 1;
    if (frameTyp & FrameLeft) {
        left += roundHalfEven((frameWidth - 1) / 2);
    }
    if (frameTyp & FrameTop) {
        top += roundHalfEven((frameWidth - 1) / 2);
    }
    if (frameTyp & FrameRight) {
        right -= roundHalfEven(frameWidth / 2);
    }
    if (frameTyp & FrameBottom) {
        bottom -= roundHalfEven(frameWidth / 2);
    }
    return QRectF(QPointF(roundHalfEven(left), roundHalfEven(top)),
                  QPointF(roundHalfEven(right), roundHalfEven(bottom)));
}

int TrpDrawText::memoHeight(double textHeight, double gapY, double frameWidth, int frameTyp,
                            double shadowWidth) {
    double height = textHeight + 2 * gapY;
    if (frameTyp & FrameTop) {
        height += (frameWidth - 1) / 2;
    }
    if (frameTyp & FrameBottom) {
        height += frameWidth / 2;
    }
    height += shadowWidth;
    return static_cast<int>(std::nearbyint(height)); // the default rounding mode: halves to even
}

double TrpDrawText::drawnBottom(double scaleY, const QPointF& origin) const {
    if (lines_.isEmpty()) {
        return std::numeric_limits<double>::lowest();
    }
    // The first baseline lies within a cell of the top; lines may also step upwards (negative spacing).
    const double top = roundHalfEven(rect_.top()) * Ratio;
    const double steps = static_cast<double>(lines_.size() - 1) * lineHeight() * Ratio;
    const double lowest = top + std::max(0.0, steps) + 2 * cellHeight_;
    return origin.y() + lowest * scaleY / Ratio;
}

void TrpDrawText::drawText(QPainter& painter, double scaleX, double scaleY, const QPointF& origin) const {
    if (lines_.isEmpty()) {
        return;
    }
    painter.save();
    // Draw in the measuring resolution: the device shows exactly the positions that were measured.
    painter.translate(origin);
    painter.scale(scaleX / Ratio, scaleY / Ratio);
    // A painter with text antialiasing off draws for one bit per dot, and Qt's raster engine still blends
    // glyph edges unless the font itself forbids it. The glyphs keep the measured font's outlines and
    // advances; only their edges are whole dots.
    QFont font = measureFont_;
    if (!painter.testRenderHint(QPainter::TextAntialiasing)) {
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoAntialias));
    }
    painter.setFont(font);
    painter.setPen(font_.color);
    const QFontMetricsF metrics(measureFont_);
    const double left = roundHalfEven(rect_.left()) * Ratio;
    const double right = roundHalfEven(rect_.right()) * Ratio;
    const double pitch = lineHeight() * Ratio;
    double y = roundHalfEven(rect_.top()) * Ratio + metrics.ascent();
    for (const TrpTextLine& line : lines_) {
        double x = left;
        if (line.firstOfParagraph) {
            x += options_.paragraphGap * Ratio;
        }
        const double free = right - x - line.width600;
        switch (options_.hAlign) {
        case TrpHAlign::haLeft:
            break;
        case TrpHAlign::haRight:
            x += free;
            break;
        case TrpHAlign::haCenter:
            x += free / 2;
            break;
        case TrpHAlign::haBlock:
            break;
        }
        const qsizetype spaces = line.text.count(QLatin1Char(' '));
        if (options_.hAlign == TrpHAlign::haBlock && !line.lastOfParagraph && spaces > 0 && free > 0) {
            // The spaces of every line but a paragraph's last widen to fill the width.
            const double extra = free / static_cast<double>(spaces);
            for (const QString& word : line.text.split(QLatin1Char(' '))) {
                painter.drawText(QPointF(x, y), word);
                x += textWidth600(word + QLatin1Char(' ')) + extra;
            }
        } else if (options_.charSpacing != 0) {
            // Spaced out cluster by cluster: a letter keeps its marks and a character its two halves.
            if (ShapedText::isSimple(line.text)) {
                for (const QChar c : line.text) {
                    painter.drawText(QPointF(x, y), QString(c));
                    x += charAdvance(c) + options_.charSpacing * Ratio;
                }
            } else {
                const std::shared_ptr<const ShapedText> shaped = ShapedText::shape(measureFont_, line.text);
                QList<double> widths;
                prefixWidths(line.text, shaped.get(), widths);
                qsizetype from = 0;
                while (from < line.text.size()) {
                    qsizetype to = from + 1;
                    while (to < line.text.size() && !shaped->startsCluster(to)) {
                        ++to;
                    }
                    painter.drawText(QPointF(x, y), line.text.mid(from, to - from));
                    x += widths[to] - widths[from];
                    from = to;
                }
            }
        } else if (!TicketPdfWriter::drawTextRun(painter, QPointF(x, y), measureFont_, line.text)) {
            painter.drawText(QPointF(x, y), line.text);
        }
        y += pitch;
    }
    painter.restore();
}
