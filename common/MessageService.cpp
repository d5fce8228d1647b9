#include "MessageService.h"

#include "ServiceMessageService.h"

namespace {

// Until the program puts its boxes in place (the window program) or the service its log, a box is a line
// on standard error, answered as nobody is there to answer it.
MessageService& fallback() {
    static ServiceMessageService toStandardError;
    return toStandardError;
}

MessageService* replacement = nullptr;

} // namespace

MessageService& MessageService::current() {
    return replacement ? *replacement : fallback();
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
