#pragma once

#include "DbQuery.h"
#include "OutletLock.h"
#include "PrintServerPanel.h"
#include "PrintServerState.h"

#include <functional>

// Start, Stop and the one-second tick of the print server, and the frame of the dispatch cycle that
// every sixth tick runs. The print server's owner (the main window or the service) calls these from its
// handlers; the server's controls are reached only through PrintServerPanel, so the lifecycle runs on its
// own in tests.
class PrintServerLifecycle {
public:
    PrintServerLifecycle(PrintServerState& state, PrintServerPanel& panel);

    // Connects, reads the outlet's settings row, takes the outlet's lock and, unless the outlet prints on
    // screen only, arms the timer; the lock is kept until Stop. A failure to read the settings row is not
    // caught: it reaches the caller with both buttons disabled, the connection open and the timer off.
    void Start();
    // Disarms the timer and disconnects, whatever the current state.
    void Stop();
    // One tick of the timer; the tick that reaches SecondsToFirePrintingTimer runs CheckAndPrint.
    void Tick();
    // One dispatch cycle: the timer is off while the order batch and then the void batch run; then the
    // count and the bar start again from 0 and the timer is switched back on. A failure that escapes a
    // batch leaves the timer off and the count at its value (the server is halted until Stop and Start).
    // Printing lets the owner run its handlers meanwhile: a cycle asked for while one runs (Stop, then
    // Start, then six ticks inside one long cycle) does not start, and a cycle during which Stop ran
    // leaves the timer as Stop (and a later Start) set it.
    void CheckAndPrint();

    // True while a cycle runs.
    bool inCycle() const { return inCycle_; }
    // True when Stop ran since the current cycle began: the cycle ends at the next order or void, and
    // runs no further statement on the connection Stop closed.
    bool cycleStopRequested() const { return stops_ != stopsAtCycleStart_; }

    // The cycle's two halves: the order tickets, then the void tickets. Each protects its own
    // transaction; whatever escapes halts the server.
    using Batch = std::function<void()>;
    void setCycleBatches(Batch orderBatch, Batch voidBatch);
    // Runs when Start has read the outlet's settings, just before the timer is armed.
    void setStartedHook(std::function<void()> started) { started_ = std::move(started); }
    // Runs when a cycle has ended (its units committed or rolled back), however it ended.
    void setCycleEndedHook(std::function<void()> ended) { ended_ = std::move(ended); }

private:
    void log(const char* message);
    void traceOutletKey();

    PrintServerState& state_;
    PrintServerPanel& panel_;
    DbQuery settingsQuery_;
    OutletLock outletLock_;
    Batch orderBatch_;
    Batch voidBatch_;
    std::function<void()> started_;
    std::function<void()> ended_;
    int stops_ = 0;
    int stopsAtCycleStart_ = 0;
    bool inCycle_ = false;
};
