#include "PrintingService.h"

#include "MessageService.h"
#include "PrintDispatcher.h"
#include "PrintServer.h"
#include "PrintServerLifecycle.h"

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

PrintingService::PrintingService(PrintServer& server, std::chrono::milliseconds restartDelay, QObject* parent)
    : QObject(parent), server_(server) {
    connect(&server_.timer(), &QTimer::timeout, this, &PrintingService::tick);
    restartTimer_.setSingleShot(true);
    restartTimer_.setInterval(restartDelay);
    connect(&restartTimer_, &QTimer::timeout, this, &PrintingService::restart);
    // Nobody sees a printer strip: each printer's state goes to the log when it changes.
    server_.dispatcher().printedTickets().stations().setChangeLog([&server](const QString& state) {
        server.WriteToLogFile(QStringLiteral("Printer state: ") + state);
    });
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
        server_.PrintingOptions.clear();
        try {
            // The lifecycle itself, not the window's button handler, which shows its errors and goes on:
            // here an error means the server did not start.
            server_.lifecycle().Start();
        } catch (...) {
            // An error while the settings row is read leaves the server blocked with the connection
            // open; nobody is there to press Stop.
            handleUncaughtException(std::current_exception());
            stopServer();
            return Outcome::Failed;
        }
    }
    if (server_.timer().isActive()) {
        return Outcome::Running;
    }
    return server_.printsOnScreenOnly() ? Outcome::NothingToPrint : Outcome::Failed;
}

void PrintingService::stopServer() {
    try {
        server_.lifecycle().Stop();
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
}

void PrintingService::tick() {
    {
        const BusyScope busy(busy_);
        try {
            server_.lifecycle().Tick();
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
    server_.WriteToLogFile(
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
