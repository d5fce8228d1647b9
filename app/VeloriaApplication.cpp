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
