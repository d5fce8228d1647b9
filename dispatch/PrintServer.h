#pragma once

#include "OperationLog.h"
#include "PrintServerState.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class PrintDispatcher;
class PrintServerLifecycle;
class TDataModule1;

// The print server itself, with or without a window: its state, Start / Stop and the one-second timer
// (PrintServerLifecycle), the dispatcher with its cycle batches, the outlet's lock and the operation log.
// What an operator would see (the log's lines, the Start and Stop buttons, the progress, the busy pointer
// while the database is reached) is told through signals: the main window shows it, the service has
// nobody to show it to. A tick of the timer does nothing by itself; its owner (the window or the service)
// runs `lifecycle().Tick()` in its own handler, which decides what an error that escapes it means.
class PrintServer : public QObject, public PrintServerState {
    Q_OBJECT
public:
    // `programFolder` is the folder of the executable, below which the templates, the log and the printed
    // tickets live.
    explicit PrintServer(const QString& programFolder, QObject* parent = nullptr);
    ~PrintServer() override;

    // The data module with the outlet's key and the shared connection; the caller keeps ownership.
    void setDataModule(TDataModule1* dataModule) { dataModule_ = dataModule; }
    TDataModule1* dataModule() const { return dataModule_; }
    // The data module; an error when none has been set.
    TDataModule1& requireDataModule();

    // The first line of the log, once the server exists.
    void launched();

    // Appends one time-stamped line to the log file and its mirror; never raises.
    void WriteToLogFile(const QString& msg);
    OperationLog& operationLog() { return *log_; }

    // Opens the shared connection unless it already reports itself open, with the database wait told
    // meanwhile; a failure is logged in one of three wordings and gives false.
    bool isConnectDBServer();
    // Logs "Database Disconnected", then closes the shared connection (rolling back an open transaction).
    void DisconnectDatabaseServer();

    PrintServerLifecycle& lifecycle() { return *lifecycle_; }
    // The order and void batches of the cycle, with their statements and report components.
    PrintDispatcher& dispatcher() { return *dispatcher_; }
    // One tick a second while the server polls; objectName "Timer_Printing".
    QTimer& timer() { return timer_; }

    // Fixed at creation.
    QString Report_Path;
    QString LogFile_Path;
    // The printed tickets of the last days, one folder per day.
    QString TicketArchive_Path;

Q_SIGNALS:
    // One line as the log shows it (after its time stamp); a line the file missed is followed by why.
    void logLineWritten(const QString& line);
    // Start empties the log's view; the file keeps every line.
    void logViewCleared();
    void startEnabledChanged(bool enabled);
    void stopEnabledChanged(bool enabled);
    // The ticks towards the next cycle.
    void progressChanged(int ticks);
    // A cycle has ended: its units committed or rolled back, the timer running again unless the cycle
    // halted or Stop ran in it.
    void cycleEnded();
    // The connection is being opened, and that wait has ended (however it ended).
    void databaseWaitStarted();
    void databaseWaitEnded();

private:
    class Panel;

    TDataModule1* dataModule_ = nullptr;
    QTimer timer_{this};
    std::unique_ptr<OperationLog> log_;
    std::unique_ptr<Panel> panel_;
    std::unique_ptr<PrintServerLifecycle> lifecycle_;
    std::unique_ptr<PrintDispatcher> dispatcher_;
};
