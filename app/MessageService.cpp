#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class WidgetMessageService final : public MessageService {
public:
    MessageButton show(const MessageRequest& request) override {
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
};

MessageService* replacement = nullptr;

} // namespace

MessageService& MessageService::current() {
    static WidgetMessageService real;
    return replacement ? *replacement : real;
}

void MessageService::setCurrent(MessageService* service) {
    replacement = service;
}

QString withClosingFullStop(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void showStandardError(const QString& message) {
    MessageService::current().show(MessageRequest{QString::fromLatin1(ApplicationTitle),
                                                  withClosingFullStop(message), MessageIcon::Error, MbOk});
}

void showInformation(const QString& text) {
    MessageService::current().show(
        MessageRequest{QString::fromLatin1(ApplicationTitle), text, MessageIcon::None, MbOk});
}

QString errorMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void handleUncaughtException(std::exception_ptr error) {
    showStandardError(errorMessage(error));
}

void runReportingErrors(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
}
