// Draws the placeholder logo of the test receipt: a 709 x 295 PNG, 8 bits per channel with alpha, the
// words "Your Logo Here" in black inside a thin black border on a transparent background. The PNG in
// templates/logo is this program's output; run it again after changing the drawing:
//   make-ticket-logo templates/logo/your-logo-here.png
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int LogoWidth = 709;
constexpr int LogoHeight = 295;

QImage drawLogo() {
    // Straight (not premultiplied) alpha: the PNG stores it as it is.
    QImage image(LogoWidth, LogoHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A 4 px frame just inside the edges; at the receipt's scale it prints about one dot wide.
    const qreal border = 4;
    p.setPen(QPen(Qt::black, border, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(border / 2, border / 2, LogoWidth - border, LogoHeight - border));

    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(84);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, LogoWidth, LogoHeight), Qt::AlignCenter, QStringLiteral("Your Logo Here"));
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-ticket-logo OUTPUT.png\n");
        return 2;
    }
    // Text needs the font database, which needs a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (!drawLogo().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "make-ticket-logo: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
