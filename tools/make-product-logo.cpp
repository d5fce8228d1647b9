// Draws the product logo of the splash and About windows: an 80 x 80 PNG with transparency. The PNG in
// app/resources is this program's output; run it again after changing the drawing:
//   make-product-logo app/resources/product-logo.png
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

QImage drawLogo() {
    QImage image(80, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A teal tile with rounded corners.
    QLinearGradient tile(0, 0, 0, 80);
    tile.setColorAt(0.0, QColor(0x2b, 0xa8, 0x9c));
    tile.setColorAt(1.0, QColor(0x14, 0x6b, 0x66));
    p.setPen(QPen(QColor(0x0e, 0x4d, 0x4a), 2));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(3, 3, 74, 74), 14, 14);

    // A kitchen ticket leaving a printer slot, its lower edge torn.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0b, 0x3b, 0x39));
    p.drawRoundedRect(QRectF(14, 14, 52, 8), 3, 3);
    QPainterPath ticket;
    ticket.moveTo(22, 18);
    ticket.lineTo(58, 18);
    ticket.lineTo(58, 62);
    for (int i = 0; i < 6; ++i) {
        ticket.lineTo(58 - 3 - 6 * i, 66);
        ticket.lineTo(58 - 6 - 6 * i, 62);
    }
    ticket.closeSubpath();
    p.setBrush(QColor(0xfb, 0xf8, 0xef));
    p.drawPath(ticket);

    // A bold V across the ticket, and three order lines under it.
    p.setPen(QPen(QColor(0xe0, 0x6c, 0x2e), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath vee;
    vee.moveTo(29, 26);
    vee.lineTo(40, 45);
    vee.lineTo(51, 26);
    p.drawPath(vee);
    p.setPen(QPen(QColor(0x6d, 0x76, 0x75), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(28, 52), QPointF(52, 52));
    p.drawLine(QPointF(28, 57), QPointF(46, 57));
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-product-logo OUTPUT.png\n");
        return 2;
    }
    if (!drawLogo().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "make-product-logo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
