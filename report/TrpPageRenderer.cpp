#include "TrpPageRenderer.h"

#include "OutputFile.h"
#include "TrpError.h"
#include "TrpPreviewPages.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

namespace {

constexpr double PdfDpi = 600;

QPageSize ticketPageSize(const QSizeF& mm) {
    return QPageSize(mm, QPageSize::Millimeter, QStringLiteral("Ticket"), QPageSize::ExactMatch);
}

} // namespace

void TrpPageRenderer::writePdf(const TrpPreviewPages& pages, const QString& fileName) {
    if (pages.Count() == 0) {
        throw TrpError(QStringLiteral("The report has no prepared page"));
    }
    // Put together in memory and written in one go, so that a file that cannot take it all is noticed.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter writer(&document);
    writer.setResolution(static_cast<int>(PdfDpi));
    writer.setCreator(QStringLiteral("Veloria Kitchen Printing Server"));
    writer.setPageLayout(
        QPageLayout(ticketPageSize(pages.GetPageSize(0)), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        throw TrpError(QStringLiteral("Cannot write \"%1\"").arg(fileName));
    }
    const double scale = PdfDpi / 96.0;
    for (int i = 0; i < pages.Count(); ++i) {
        if (i > 0) {
            writer.setPageLayout(
                QPageLayout(ticketPageSize(pages.GetPageSize(i)), QPageLayout::Portrait, QMarginsF()));
            writer.newPage();
        }
        pages.DrawPage(i, painter, scale, scale, QPointF(0, 0), TrpDrawTarget::Printer);
    }
    QString why;
    if (!painter.end() || !OutputFile::writeAll(fileName, document.data(), &why)) {
        throw TrpError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, why));
    }
}

QImage TrpPageRenderer::renderImage(const TrpPreviewPages& pages, int index, double dpi) {
    const QSizeF mm = pages.GetPageSize(index);
    const int width = static_cast<int>(std::ceil(mm.width() / 25.4 * dpi - 1e-6));
    const int height = static_cast<int>(std::ceil(mm.height() / 25.4 * dpi - 1e-6));
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double scale = dpi / 96.0;
    pages.DrawPage(index, painter, scale, scale, QPointF(0, 0), TrpDrawTarget::Printer);
    painter.end();
    return image;
}
