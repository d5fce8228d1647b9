#include "ProductPanel.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <qdrawutil.h>

namespace {

class BevelledPanel final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect outer = rect();
        qDrawShadePanel(&painter, outer, palette(), /*sunken=*/true, 1);
        qDrawShadePanel(&painter, outer.adjusted(1, 1, -1, -1), palette(), /*sunken=*/false, 1);
    }
};

QFont labelFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

QLabel* addLabel(const QString& name, const QString& text, int top, QWidget* panel) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    label->setFont(labelFont());
    label->setGeometry(16, top, panel->width() - 32, 18);
    return label;
}

} // namespace

QWidget* makeBevelledPanel(const QString& name, QWidget* parent, int x, int y, int width, int height) {
    auto* panel = new BevelledPanel(parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::Window);
    panel->setGeometry(x, y, width, height);
    return panel;
}

ProductLabels addProductLabels(QWidget* panel) {
    ProductLabels labels;
    labels.lbl_ProductName = addLabel(QStringLiteral("lbl_ProductName"),
                                      QStringLiteral("Veloria Restaurant Management System"), 19, panel);
    labels.Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Printing Server Module"), 41, panel);
    labels.Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("On Premises Edition"), 63, panel);
    labels.lbl_Version =
        addLabel(QStringLiteral("lbl_Version"), QStringLiteral("Version 3.5.3.43"), 93, panel);
    labels.lbl_LastUpdated = addLabel(QStringLiteral("lbl_LastUpdated"),
                                      QStringLiteral("Last Updated on the 14th of Aug 2017"), 115, panel);
    return labels;
}

QLabel* addProductLogo(const QString& name, QWidget* panel, int x, int y) {
    auto* picture = new QLabel(panel);
    picture->setObjectName(name);
    picture->setGeometry(x, y, 80, 80);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap(QStringLiteral(":/veloria/product-logo.png")));
    return picture;
}
