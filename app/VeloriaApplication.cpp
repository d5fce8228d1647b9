#include "VeloriaApplication.h"

#include "MessageService.h"

#include <exception>

namespace {

// The toolkit is built without exception support: an error must stop here, not unwind through it.
template <typename Deliver> bool deliverReportingErrors(Deliver deliver) {
    try {
        return deliver();
    } catch (...) {
        handleUncaughtException(std::current_exception());
        return false;
    }
}

} // namespace

VeloriaApplication::VeloriaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VeloriaApplication::notify(QObject* receiver, QEvent* event) {
    return deliverReportingErrors([&] { return QApplication::notify(receiver, event); });
}

VeloriaServiceApplication::VeloriaServiceApplication(int& argc, char** argv) : QGuiApplication(argc, argv) {}

bool VeloriaServiceApplication::notify(QObject* receiver, QEvent* event) {
    return deliverReportingErrors([&] { return QGuiApplication::notify(receiver, event); });
}
