#pragma once

#include <QString>

class TDataModule1;

// What the print server's lifecycle drives: the log, the Start and Stop controls, the progress, the
// one-second timer, and the shared connection's connect and disconnect. PrintServer is the program's;
// tests put their own in place.
class PrintServerPanel {
public:
    virtual ~PrintServerPanel() = default;

    virtual void WriteToLogFile(const QString& msg) = 0;
    // Empties the log's view; the log file is not touched.
    virtual void clearLogView() = 0;
    virtual void setStartEnabled(bool enabled) = 0;
    virtual void setStopEnabled(bool enabled) = 0;
    // Shows the ticks towards the next cycle; values beyond the bar's maximum show a full bar.
    virtual void setProgress(int ticks) = 0;
    virtual void setTimerEnabled(bool enabled) = 0;
    // Opens the shared connection, logging a failure; true when it is open on return.
    virtual bool isConnectDBServer() = 0;
    // Logs "Database Disconnected", then closes the shared connection.
    virtual void DisconnectDatabaseServer() = 0;
    // The data module with the outlet's key and the shared connection.
    virtual TDataModule1& dataModule() = 0;
};
