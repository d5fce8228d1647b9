#include "PuertoRicoStyle.h"

#include <QApplication>
#include <QStyleFactory>

PuertoRicoStyle::PuertoRicoStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void PuertoRicoStyle::polish(QPalette& palette) {
    palette = standardPalette();
}

QPalette PuertoRicoStyle::standardPalette() const {
    QPalette palette;
    const QColor teal(0x2b, 0x9c, 0x93);
    const QColor darkTeal(0x1d, 0x6f, 0x69);
    const QColor mist(0xee, 0xf6, 0xf5);
    palette = QPalette(mist);
    palette.setColor(QPalette::Window, mist);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xdd, 0xee, 0xec));
    palette.setColor(QPalette::Button, QColor(0xd6, 0xeb, 0xe8));
    palette.setColor(QPalette::ButtonText, QColor(0x12, 0x33, 0x31));
    palette.setColor(QPalette::WindowText, QColor(0x12, 0x33, 0x31));
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, teal);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, darkTeal);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x8a, 0xa5, 0xa3));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8a, 0xa5, 0xa3));
    return palette;
}

bool applyPuertoRicoTheme(QApplication& app) noexcept {
    try {
        auto style = std::make_unique<PuertoRicoStyle>();
        if (!style->baseStyle()) {
            return false;
        }
        QApplication::setStyle(style.release());                  // the application takes ownership
        app.setPalette(QApplication::style()->standardPalette()); // the theme's own palette
        return true;
    } catch (...) {
        return false;
    }
}
