#include "WidgetMessageService.h"

#include <QMessageBox>

MessageButton WidgetMessageService::show(const MessageRequest& request) {
    QMessageBox box;
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QMessageBox::StandardButtons buttons;
    if (request.buttons & MbOk)
        buttons |= QMessageBox::Ok;
    if (request.buttons & MbCancel)
        buttons |= QMessageBox::Cancel;
    if (request.buttons & MbYes)
        buttons |= QMessageBox::Yes;
    if (request.buttons & MbNo)
        buttons |= QMessageBox::No;
    box.setStandardButtons(buttons);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MbCancel;
    case QMessageBox::Yes:
        return MbYes;
    case QMessageBox::No:
        return MbNo;
    default:
        return MbOk;
    }
}
