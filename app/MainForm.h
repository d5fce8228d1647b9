#pragma once

#include "OperationLog.h"
#include "PrintServerState.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class PrintDispatcher;
class PrintServerLifecycle;
class StationStateStrip;
class TDataModule1;

// The main window: the operator's Start / Stop / Exit buttons, the progress towards the next print cycle,
// the operation log's mirror and the menu that opens the settings windows. It keeps the print server's
// state (PrintServerState) and runs Start, Stop and the tick through PrintServerLifecycle.
class TMainForm : public QMainWindow, public PrintServerState {
    Q_OBJECT
public:
    // `programFolder` is the folder of the executable, below which the templates and the log live.
    explicit TMainForm(const QString& programFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Appends one time-stamped line to the log file and the memo; never raises.
    void WriteToLogFile(const QString& msg);

    void setDataModule(TDataModule1* dataModule) { dataModule_ = dataModule; }
    TDataModule1* dataModule() const { return dataModule_; }
    OperationLog& operationLog() { return *log_; }

    // Opens the shared connection unless it already reports itself open, with the busy pointer shown
    // meanwhile; a failure is logged in one of three wordings and gives false.
    bool isConnectDBServer();
    // Logs "Database Disconnected", then closes the shared connection (rolling back an open transaction).
    void DisconnectDatabaseServer();
    // One dispatch cycle; run by the tick that reaches SecondsToFirePrintingTimer.
    void CheckAndPrint();
    PrintServerLifecycle& printServer() { return *lifecycle_; }
    // The order and void batches of the cycle, with their statements and report components.
    PrintDispatcher& dispatcher() { return *dispatcher_; }

    // Fixed at window creation.
    QString Report_Path;
    QString LogFile_Path;
    // The printed tickets of the last days, one folder per day.
    QString TicketArchive_Path;

    QFrame* pnl_Status = nullptr;
    QPushButton* btn_StartPrintingServer = nullptr;
    QPushButton* btn_StopPrintingServer = nullptr;
    QPushButton* btn_Exit = nullptr;
    QFrame* Panel1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Menu_File = nullptr;
    QAction* Menu_PrintedTickets = nullptr;
    QAction* Menu_Exit = nullptr;
    QMenu* Menu_Settings = nullptr;
    QAction* Menu_KitchenStationsPrinters = nullptr;
    QAction* Menu_DispatchingPackaging = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Menu_About = nullptr;
    QTimer* Timer_Printing = nullptr;
    // Each printer's state since Start, in pnl_Status beside the buttons.
    StationStateStrip* StationStates = nullptr;

public Q_SLOTS:
    void btn_StartPrintingServerClick();
    void btn_StopPrintingServerClick();
    void btn_ExitClick();
    void Menu_ExitClick();
    void Menu_PrintedTicketsClick();
    void Menu_KitchenStationsPrintersClick();
    void Menu_DispatchingPackagingClick();
    void Menu_AboutClick();
    void Timer_PrintingTimer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void FormCreate();
    void FormShow();

    class LifecyclePanel;

    std::unique_ptr<OperationLog> log_;
    TDataModule1* dataModule_ = nullptr;
    std::unique_ptr<LifecyclePanel> panel_;
    std::unique_ptr<PrintServerLifecycle> lifecycle_;
    std::unique_ptr<PrintDispatcher> dispatcher_;
    // Exit chosen while a cycle printed: the window closes once that cycle has ended.
    bool closeAfterCycle_ = false;
};
