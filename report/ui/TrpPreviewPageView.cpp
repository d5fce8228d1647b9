#include "TrpPreviewPageView.h"

#include "TrpPageSource.h"
#include "TrpTypes.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

TrpPreviewPageView::TrpPreviewPageView(const TrpPageSource& pages, QWidget* parent)
    : QWidget(parent), pages_(pages) {
    setObjectName(QStringLiteral("PageView"));
    setAutoFillBackground(false);
    refresh();
}

void TrpPreviewPageView::setPage(int index) {
    page_ = index;
    refresh();
}

void TrpPreviewPageView::setZoom(double zoom) {
    zoom_ = zoom;
    refresh();
}

QSizeF TrpPreviewPageView::paperSize() const {
    if (page_ < 0 || page_ >= pages_.PageCount()) {
        return {};
    }
    const TrpPageSettings format = pages_.PageFormat(page_);
    return {format.PaperWidth * TrpPixelsPerMm, format.PaperHeight * TrpPixelsPerMm};
}

void TrpPreviewPageView::refresh() {
    const QSizeF paper = paperSize() * zoom_;
    setFixedSize(static_cast<int>(std::ceil(paper.width())) + 2 * Desk,
                 static_cast<int>(std::ceil(paper.height())) + 2 * Desk);
    update();
}

void TrpPreviewPageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const QSizeF paper = paperSize() * zoom_;
    if (paper.isEmpty()) {
        return;
    }
    const QRectF sheet(Desk, Desk, paper.width(), paper.height());
    painter.fillRect(sheet.translated(3, 3), QColor(0x40, 0x40, 0x40));
    painter.fillRect(sheet, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(sheet);
    pages_.DrawPage(page_, painter, zoom_, zoom_, sheet.left(), sheet.top(), false);
}
