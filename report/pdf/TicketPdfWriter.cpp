#include "TicketPdfWriter.h"

#include "TicketPdfEngine.h"

#include <QPainter>
#include <climits>
#include <cmath>

TicketPdfWriter::TicketPdfWriter(QString title)
    : engine_(std::make_unique<TicketPdfEngine>(std::move(title), QSizeF(210, 297))), pageMm_(210, 297) {}

TicketPdfWriter::~TicketPdfWriter() = default;

void TicketPdfWriter::setPageSize(const QSizeF& millimetres) {
    pageMm_ = millimetres;
    engine_->setNextPageSize(millimetres);
}

void TicketPdfWriter::newPage() {
    engine_->newPage();
}

const QByteArray& TicketPdfWriter::document() const {
    return engine_->document();
}

QPaintEngine* TicketPdfWriter::paintEngine() const {
    return engine_.get();
}

bool TicketPdfWriter::drawTextRun(QPainter& painter, const QPointF& baseline, const QFont& font,
                                  QStringView text) {
    auto* engine = dynamic_cast<TicketPdfEngine*>(painter.paintEngine());
    const QTransform transform = painter.combinedTransform();
    if (engine == nullptr || font.underline() || font.strikeOut() || !transform.isAffine() ||
        transform.m12() != 0 || transform.m21() != 0) {
        return false; // decorations and turned text are the painter's
    }
    // Pages clip to rectangles only, so the clip's bounds are the clip.
    std::optional<QRectF> clip;
    if (painter.hasClipping()) {
        clip = transform.mapRect(painter.clipBoundingRect());
    }
    engine->drawTextRun(baseline, font, text, painter.pen().color(), transform, clip);
    return true;
}

int TicketPdfWriter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return static_cast<int>(std::lround(pageMm_.width() / 25.4 * Resolution));
    case PdmHeight:
        return static_cast<int>(std::lround(pageMm_.height() / 25.4 * Resolution));
    case PdmWidthMM:
        return static_cast<int>(std::lround(pageMm_.width()));
    case PdmHeightMM:
        return static_cast<int>(std::lround(pageMm_.height()));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return Resolution;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    }
    return 0;
}
