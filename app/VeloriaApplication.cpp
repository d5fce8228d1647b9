#include "VeloriaApplication.h"

#include "MessageService.h"

#include <exception>

VeloriaApplication::VeloriaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VeloriaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        handleUncaughtException(std::current_exception());
        return false;
    }
}

void handleUncaughtException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        showStandardError(QString::fromUtf8(e.what()));
    } catch (...) {
        showStandardError(QStringLiteral("Unknown error"));
    }
}

void runHandler(const std::function<void()>& body) {
    try {
        body();
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
}
