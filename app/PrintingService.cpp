#include "PrintingService.h"

#include "MainForm.h"
#include "PrintDispatcher.h"
#include "PrintServerLifecycle.h"
#include "VeloriaApplication.h"

#include <QCoreApplication>

namespace {

constexpr std::chrono::milliseconds DefaultRestartDelay{30000};

// Marks the service busy for as long as a handler of the server runs: a termination request that comes
// in meanwhile (printing lets the event loop run) waits until it has returned.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

} // namespace

PrintingService::PrintingService(TMainForm& form, std::chrono::milliseconds restartDelay, QObject* parent)
    : QObject(parent), form_(form) {
    QObject::disconnect(form_.Timer_Printing, &QTimer::timeout, nullptr, nullptr);
    connect(form_.Timer_Printing, &QTimer::timeout, this, &PrintingService::tick);
    restartTimer_.setSingleShot(true);
    restartTimer_.setInterval(restartDelay);
    connect(&restartTimer_, &QTimer::timeout, this, &PrintingService::restart);
    // Nobody sees the window's printer strip: each printer's state goes to the log when it changes.
    form_.dispatcher().printedTickets().stations().setChangeLog(
        [&form](const QString& state) { form.WriteToLogFile(QStringLiteral("Printer state: ") + state); });
}

std::chrono::milliseconds PrintingService::restartDelayFromEnvironment() {
    bool valid = false;
    const int ms = qEnvironmentVariableIntValue("VELORIA_RESTART_DELAY_MS", &valid);
    return valid && ms >= 0 ? std::chrono::milliseconds{ms} : DefaultRestartDelay;
}

PrintingService::Outcome PrintingService::start() {
    {
        const BusyScope busy(busy_);
        // Read afresh by this Start, or left empty when it ends before the settings row.
        form_.PrintingOptions.clear();
        try {
            // The lifecycle itself, not the window's button handler, which shows its errors and goes on:
            // here an error means the server did not start.
            form_.printServer().Start();
        } catch (...) {
            // An error while the settings row is read leaves the server blocked with the connection
            // open; nobody is there to press Stop.
            handleUncaughtException(std::current_exception());
            stopServer();
            return Outcome::Failed;
        }
    }
    if (form_.Timer_Printing->isActive()) {
        return Outcome::Running;
    }
    return form_.PrintingOptions == QStringLiteral("ScreenOnly") ? Outcome::NothingToPrint : Outcome::Failed;
}

void PrintingService::stopServer() {
    try {
        form_.printServer().Stop();
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
}

void PrintingService::tick() {
    {
        const BusyScope busy(busy_);
        try {
            form_.printServer().Tick();
        } catch (...) {
            halt(std::current_exception());
        }
    }
    if (terminating_) {
        finish();
    }
}

void PrintingService::halt(std::exception_ptr error) {
    // The order queue or the void list could not be read, most likely because the database went away.
    handleUncaughtException(error);
    if (terminating_) {
        return;
    }
    stopServer();
    scheduleRestart(QStringLiteral("Printing Server Halted"));
}

void PrintingService::scheduleRestart(const QString& why) {
    form_.WriteToLogFile(
        QStringLiteral("%1, Starting Again in %2 Seconds")
            .arg(why, QString::number(static_cast<double>(restartTimer_.interval()) / 1000.0)));
    restartTimer_.start();
}

void PrintingService::restart() {
    const Outcome outcome = start();
    if (terminating_) {
        finish();
        return;
    }
    switch (outcome) {
    case Outcome::Running:
        break;
    case Outcome::NothingToPrint:
        QCoreApplication::exit(0);
        break;
    case Outcome::Failed:
        scheduleRestart(QStringLiteral("Printing Server Not Started"));
        break;
    }
}

void PrintingService::terminate() {
    if (terminating_) {
        return;
    }
    terminating_ = true;
    if (!busy_) {
        finish();
    }
}

void PrintingService::finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    restartTimer_.stop();
    stopServer();
    QCoreApplication::exit(0);
}
