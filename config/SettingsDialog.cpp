#include "SettingsDialog.h"

#include "ModalResult.h"

#include <QFrame>
#include <QPushButton>
#include <QScreen>

SettingsDialog::SettingsDialog(QWidget* parent, const QString& objectName, const QString& caption,
                               int clientWidth, int clientHeight)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(objectName);
    setWindowTitle(caption);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(clientWidth, clientHeight);
    if (const QWidget* opener = parentWidget()) {
        move(opener->window()->geometry().center() - rect().center());
    } else if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void SettingsDialog::reject() {
    done(ModalResult::Cancel);
}

QFrame* SettingsDialog::addButtonPanel(const QString& objectName, int width) {
    auto* panel = new QFrame(this);
    panel->setObjectName(objectName);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(0, 0, width, height());
    return panel;
}

QPushButton* SettingsDialog::addButton(QWidget* parent, const QString& objectName, const QString& caption,
                                       const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(geometry);
    return button;
}
