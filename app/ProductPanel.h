#pragma once

#include <QString>

class QLabel;
class QWidget;

// The product's identity as the splash and About windows show it: the five bold labels of the right panel.
struct ProductLabels {
    QLabel* lbl_ProductName = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbl_Version = nullptr;
    QLabel* lbl_LastUpdated = nullptr;
};

// A panel with a lowered outer and a raised inner bevel, placed at `x`, `y` with the given size.
QWidget* makeBevelledPanel(const QString& name, QWidget* parent, int x, int y, int width, int height);

// The labels at 16 pixels from the panel's left edge and 19, 41, 63, 93 and 115 from its top; the version
// and date labels carry their initial captions until the window sets them.
ProductLabels addProductLabels(QWidget* panel);

// The product logo, 80 by 80 pixels, drawn stretched into a frame of that size at `x`, `y`.
QLabel* addProductLogo(const QString& name, QWidget* panel, int x, int y);
