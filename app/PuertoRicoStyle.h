#pragma once

#include <QProxyStyle>

class QApplication;

// The program's visual theme: a calm teal-accented palette on the platform's Fusion style.
class PuertoRicoStyle : public QProxyStyle {
    Q_OBJECT
public:
    PuertoRicoStyle();

    QPalette standardPalette() const override;
    void polish(QPalette& palette) override;
    using QProxyStyle::polish;
};

// Applies the theme to every window. A theme that cannot be applied leaves the platform's look and
// never stops the start-up; returns whether it was applied.
bool applyPuertoRicoTheme(QApplication& app) noexcept;
