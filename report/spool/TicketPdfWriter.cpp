#include "TicketPdfWriter.h"

#include "TicketPdfEngine.h"

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
