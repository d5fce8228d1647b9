#include "TrpPagePainter.h"

#include "TrpDrawText.h"

#include <QMutexLocker>
#include <QPainter>
#include <algorithm>

namespace {

QColor toColor(qint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

Qt::PenStyle penStyle(TrpFrameStyle style) {
    switch (style) {
    case TrpFrameStyle::fsDash:
        return Qt::DashLine;
    case TrpFrameStyle::fsDot:
    case TrpFrameStyle::fsAltDot:
        return Qt::DotLine;
    case TrpFrameStyle::fsDashDot:
        return Qt::DashDotLine;
    case TrpFrameStyle::fsDashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

TrpPagePainter::TrpPagePainter(QPainter& painter, double scaleX, double scaleY, TrpDrawTarget target)
    : m_painter(painter), m_scaleX(scaleX), m_scaleY(scaleY), m_target(target) {}

void TrpPagePainter::reach(double bottom) const {
    if (m_reach) {
        m_reach(bottom);
    }
}

QRectF TrpPagePainter::toDevice(const QRectF& r) const {
    return QRectF(m_origin.x() + r.x() * m_scaleX, m_origin.y() + r.y() * m_scaleY, r.width() * m_scaleX,
                  r.height() * m_scaleY);
}

void TrpPagePainter::drawPage(const TrpPreviewPage& page, const TrpPageSettings& settings, QPointF offset) {
    // Every painter starts with text antialiasing on; one handed over with it off draws for a device of one
    // bit per dot (DotCanvas), where any grey edge would be thresholded into ragged strokes.
    m_dots = !m_painter.testRenderHint(QPainter::TextAntialiasing);
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, !m_dots);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF paper(offset, QSizeF(settings.PaperWidth * TrpPixelsPerMm * m_scaleX,
                                      settings.PaperHeight * TrpPixelsPerMm * m_scaleY));
    if (m_target == TrpDrawTarget::Preview) {
        m_painter.setClipRect(paper, Qt::IntersectClip);
    }
    m_origin = offset + QPointF(settings.LeftMargin * TrpPixelsPerMm * m_scaleX,
                                settings.TopMargin * TrpPixelsPerMm * m_scaleY);
    // The page frame goes round the printable area.
    const double printableWidth =
        (settings.PaperWidth - settings.LeftMargin - settings.RightMargin) * TrpPixelsPerMm;
    const double printableHeight =
        (settings.PaperHeight - settings.TopMargin - settings.BottomMargin) * TrpPixelsPerMm;
    drawFrame(settings.Frame, QRectF(0, 0, printableWidth, printableHeight));

    const int shownIn =
        m_target == TrpDrawTarget::Printer ? TrpVisibility::vsPrint : TrpVisibility::vsPreview;
    for (const TrpPreparedBand& band : page.bands) {
        for (const TrpPreparedView& view : band.views) {
            if ((view.visibility & shownIn) == 0) {
                continue;
            }
            const QRectF rect = view.bounds.translated(band.bounds.topLeft());
            switch (view.kind) {
            case TrpPreparedView::Kind::Memo:
                drawMemo(view, rect);
                break;
            case TrpPreparedView::Kind::Line:
                drawFrame(view.frame, rect);
                break;
            case TrpPreparedView::Kind::Picture:
                drawPicture(view, rect);
                drawFrame(view.frame, rect);
                break;
            }
        }
    }
    m_painter.restore();
}

void TrpPagePainter::drawFrame(const TrpFrame& frame, const QRectF& rect) {
    if (frame.Typ() == 0) {
        return;
    }
    const QRectF d = toDevice(rect);
    struct Side {
        int bit;
        const TrpFrameLine& line;
        QLineF at;
        bool horizontal;
    } const sides[] = {
        {TrpFrameTyp::ftLeft, frame.leftLine(), QLineF(d.topLeft(), d.bottomLeft()), false},
        {TrpFrameTyp::ftRight, frame.rightLine(), QLineF(d.topRight(), d.bottomRight()), false},
        {TrpFrameTyp::ftTop, frame.topLine(), QLineF(d.topLeft(), d.topRight()), true},
        {TrpFrameTyp::ftBottom, frame.bottomLine(), QLineF(d.bottomLeft(), d.bottomRight()), true},
    };
    double widest = 0;
    for (const Side& side : sides) {
        if (frame.hasSide(side.bit)) {
            widest = std::max(widest, side.line.Width * (side.horizontal ? m_scaleY : m_scaleX));
        }
    }
    // A line is centred on the edge; its whole width and an antialiased pixel below are more than it marks.
    reach(d.bottom() + widest + 1);
    for (const Side& side : sides) {
        if (!frame.hasSide(side.bit)) {
            continue;
        }
        QPen pen(toColor(side.line.Color));
        pen.setWidthF(side.line.Width * (side.horizontal ? m_scaleY : m_scaleX));
        pen.setStyle(penStyle(side.line.Style));
        pen.setCapStyle(Qt::FlatCap);
        m_painter.setPen(pen);
        m_painter.drawLine(side.at);
    }
}

void TrpPagePainter::drawMemo(const TrpPreparedView& view, const QRectF& rect) {
    if (view.fill.BackColor != TrpNoColor) {
        const QRectF fill = toDevice(rect);
        reach(fill.bottom() + 1);
        m_painter.fillRect(fill, toColor(view.fill.BackColor));
    }
    drawFrame(view.frame, rect);
    if (view.text.isEmpty()) {
        return;
    }
    m_painter.save();
    if (view.clipped) {
        m_painter.setClipRect(toDevice(rect), Qt::IntersectClip);
    }
    {
        QMutexLocker lock(&TrpDrawText::lock());
        TrpDrawText& text = TrpDrawText::instance();
        TrpTextFont font;
        font.name = view.font.Name;
        font.height = view.font.Height;
        font.style = view.font.Style;
        font.color = toColor(view.font.Color);
        text.setFont(font);
        TrpTextOptions options;
        options.wordWrap = view.wordWrap;
        options.charSpacing = view.charSpacing;
        options.lineSpacing = view.lineSpacing;
        options.paragraphGap = view.paragraphGap;
        options.hAlign = view.hAlign;
        options.clipped = view.clipped;
        text.setOptions(options);
        text.setDimensions(
            TrpDrawText::textRect(rect, view.gapX, view.gapY, view.frame.Width(), view.frame.Typ()));
        text.setText(view.text);
        // Text a memo does not clip may run past its bottom edge.
        reach(text.drawnBottom(m_scaleY, m_origin));
        text.drawText(m_painter, m_scaleX, m_scaleY, m_origin);
    }
    m_painter.restore();
}

void TrpPagePainter::drawPicture(const TrpPreparedView& view, const QRectF& rect) {
    if (view.image.isNull() || view.image.width() == 0 || view.image.height() == 0) {
        return;
    }
    QSizeF size(view.image.width(), view.image.height());
    if (view.stretched) {
        if (view.keepAspectRatio) {
            const double factor =
                std::min(rect.width() / view.image.width(), rect.height() / view.image.height());
            size = QSizeF(view.image.width() * factor, view.image.height() * factor);
        } else {
            size = rect.size();
        }
    }
    QPointF at = rect.topLeft();
    if (view.center) {
        at += QPointF((rect.width() - size.width()) / 2, (rect.height() - size.height()) / 2);
    }
    const QRectF target = toDevice(QRectF(at, size));
    reach(target.bottom() + 1);
    if (m_dots) {
        drawDitheredPicture(view.image, target);
        return;
    }
    m_painter.drawImage(target, view.image);
}

void TrpPagePainter::drawDitheredPicture(const QImage& image, const QRectF& target) {
    // The picture is scaled to the dots it covers on white paper and dithered there, dot for dot, so that
    // its tones survive as patterns of whole dots.
    const QRect dots = m_painter.transform().mapRect(target).toAlignedRect();
    if (dots.isEmpty()) {
        return;
    }
    QImage onPaper(dots.size(), QImage::Format_RGB32);
    onPaper.fill(Qt::white);
    {
        QPainter scaler(&onPaper);
        scaler.setRenderHint(QPainter::SmoothPixmapTransform, true);
        scaler.drawImage(QRectF(target.topLeft() - QPointF(dots.topLeft()), target.size()), image);
    }
    const QImage dithered =
        onPaper.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::DiffuseDither | Qt::PreferDither);
    m_painter.save();
    m_painter.resetTransform();
    m_painter.drawImage(dots.topLeft(), dithered);
    m_painter.restore();
}

// The prepared pages of a report hand one page and its settings to the painter. Defined here rather than
// beside the pages, so that the layout knows nothing of drawing.
void TrpPreviewPages::DrawPage(int index, QPainter& painter, double scaleX, double scaleY, QPointF offset,
                               TrpDrawTarget target) const {
    if (index < 0 || index >= Count()) {
        return;
    }
    TrpPagePainter(painter, scaleX, scaleY, target).drawPage(GetPage(index), GetPageSettings(index), offset);
}
