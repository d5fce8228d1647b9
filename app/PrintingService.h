#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <exception>

class PrintServer;

// The print server run unattended: started at once, started again by itself after a halt, stopped by a
// termination request. It drives the print server's Start, Stop and tick as the operator would, and no
// window exists.
class PrintingService : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Running,        // the server polls
        NothingToPrint, // the outlet prints on screen only
        Failed,         // the log says why
    };

    // The server's timer ticks here, so that a halt can be told apart from a cycle.
    PrintingService(PrintServer& server, std::chrono::milliseconds restartDelay, QObject* parent = nullptr);

    // Runs the lifecycle's Start. An error that escapes it is reported as the program reports uncaught
    // errors, and Stop runs after it.
    Outcome start();
    // Runs Stop and ends the event loop with exit code 0. A cycle in progress ends first.
    void terminate();

    // 30 seconds, or the milliseconds in $VELORIA_RESTART_DELAY_MS.
    static std::chrono::milliseconds restartDelayFromEnvironment();

private:
    void tick();
    void halt(std::exception_ptr error);
    void restart();
    void scheduleRestart(const QString& why);
    void finish();
    // Stop, with an error that escapes it reported as the program reports uncaught errors.
    void stopServer();

    PrintServer& server_;
    QTimer restartTimer_;
    bool busy_ = false;
    bool terminating_ = false;
    bool finished_ = false;
};
