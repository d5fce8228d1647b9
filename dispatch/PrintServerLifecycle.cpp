#include "PrintServerLifecycle.h"

#include "DataModule1.h"
#include "TraceChannel.h"
#include "TrpPrinters.h"

#include <QScopeGuard>

PrintServerLifecycle::PrintServerLifecycle(PrintServerState& state, PrintServerPanel& panel)
    : state_(state), panel_(panel), settingsQuery_(StatementId::POSGeneralSettingsQ) {}

void PrintServerLifecycle::log(const char* message) {
    panel_.WriteToLogFile(QString::fromLatin1(message));
}

void PrintServerLifecycle::traceOutletKey() {
    const TDataModule1& data = panel_.dataModule();
    const TraceChannel& trace = TraceChannel::instance();
    trace.Send(QStringLiteral("Customer_ID: ") + data.Customer_ID);
    trace.Send(QStringLiteral("Restaurant_ID: ") + data.Restaurant_ID);
    trace.Send(QStringLiteral("Outlet_ID: ") + data.Outlet_ID);
}

void PrintServerLifecycle::Start() {
    traceOutletKey();
    panel_.setStartEnabled(false);
    panel_.clearLogView();
    log("Trying to Start Printing Server");
    log("Trying to Connect to DB Server");
    if (!panel_.isConnectDBServer()) {
        panel_.setStartEnabled(true);
        log("Could Not Start Printing Server");
        return;
    }
    log("Connection to DB Server is Successful");
    traceOutletKey();
    log("Trying to Read Settings Record");

    TDataModule1& data = panel_.dataModule();
    settingsQuery_.close();
    settingsQuery_.setConnection(&data.ADOConnection1);
    data.bindOutletKey(settingsQuery_);
    settingsQuery_.open();

    if (settingsQuery_.recordCount() != 1) {
        panel_.DisconnectDatabaseServer();
        log("Reading Settings Failed");
        log("Could Not Start Printing Server");
        panel_.setStartEnabled(true);
        return;
    }
    state_.PrintingOptions = settingsQuery_.asString(QStringLiteral("Printing_Options"));
    log("Reading Settings Done Successfully");

    if (state_.printsOnScreenOnly()) {
        log("Printing Options is >Screen Only<, No Need for Print Server!");
        panel_.DisconnectDatabaseServer();
        panel_.setStartEnabled(true);
        return;
    }
    state_.Use_Packaging_Printer = settingsQuery_.asBoolean(QStringLiteral("Use_Packaging_Printer"));
    state_.Packaging_Printer_Name = settingsQuery_.asString(QStringLiteral("Packaging_Printer_Name"));

    // Two servers for one outlet would print every ticket twice.
    if (const auto refusal =
            outletLock_.acquire(data.ADOConnection1, data.Customer_ID, data.Restaurant_ID, data.Outlet_ID)) {
        panel_.DisconnectDatabaseServer();
        panel_.WriteToLogFile(*refusal);
        log("Could Not Start Printing Server");
        panel_.setStartEnabled(true);
        return;
    }

    // The print scheduler may have been restarted, or queues added, since the list was last read.
    TrpPrinters::refresh();
    if (started_) {
        started_();
    }

    state_.ElapsedSeconds = 0;
    panel_.setTimerEnabled(true);
    log("Timer Enabled. Checking for new orders every >5< seconds");
    panel_.setStopEnabled(true);
}

void PrintServerLifecycle::Stop() {
    ++stops_;
    log("Stopping Timer");
    panel_.setTimerEnabled(false);
    panel_.setProgress(0);
    state_.ElapsedSeconds = 0;
    log("Timer Stopped");
    log("Disconnecting Database");
    outletLock_.release();
    panel_.DisconnectDatabaseServer();
    panel_.setStopEnabled(false);
    panel_.setStartEnabled(true);
    log("Ready To Start Again");
}

void PrintServerLifecycle::Tick() {
    if (inCycle_) {
        // Stop and Start ran inside a long cycle: the new count begins once that cycle is over.
        return;
    }
    ++state_.ElapsedSeconds;
    panel_.setProgress(state_.ElapsedSeconds);
    if (state_.ElapsedSeconds == state_.SecondsToFirePrintingTimer) {
        CheckAndPrint();
    }
}

void PrintServerLifecycle::setCycleBatches(Batch orderBatch, Batch voidBatch) {
    orderBatch_ = std::move(orderBatch);
    voidBatch_ = std::move(voidBatch);
}

void PrintServerLifecycle::CheckAndPrint() {
    if (inCycle_) {
        return;
    }
    inCycle_ = true;
    const auto cycleEnded = qScopeGuard([this] {
        inCycle_ = false;
        if (ended_) {
            ended_();
        }
    });
    const TraceChannel& trace = TraceChannel::instance();
    trace.EnterMethod(QStringLiteral("CheckAndPrint"));
    panel_.setTimerEnabled(false);
    trace.Send(QStringLiteral("Timer Disabled"));
    stopsAtCycleStart_ = stops_;

    // A database file removed or restored under the running server would be read no more: the cycle halts
    // like any failure to read the queue, and the next Start opens what the path names then.
    panel_.dataModule().ADOConnection1.requireFileInPlace();

    if (orderBatch_) {
        orderBatch_();
    }
    if (voidBatch_ && !cycleStopRequested()) {
        voidBatch_();
    }

    // Printing lets the owner's handlers run meanwhile. When the operator stopped the server during the
    // cycle, switching the timer back on would leave it polling while the window shows it stopped.
    if (!cycleStopRequested()) {
        state_.ElapsedSeconds = 0;
        panel_.setProgress(0);
        panel_.setTimerEnabled(true);
        trace.Send(QStringLiteral("Timer Enabled"));
    }
    trace.ExitMethod(QStringLiteral("CheckAndPrint"));
}
