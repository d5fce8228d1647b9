#pragma once

#include "PrintServer.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class CycleInputGate;
class StationStateStrip;
class TDataModule1;

// The main window: the print server's face for the operator. It owns the server (PrintServer) and shows
// it: the Start / Stop / Exit buttons, the progress towards the next print cycle, the operation log's
// mirror, each printer's state, and the menu that opens the settings windows. Its handlers run Start, Stop
// and the timer's tick of the server's PrintServerLifecycle.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder` is the folder of the executable, below which the templates and the log live.
    explicit TMainForm(const QString& programFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    PrintServer& server() { return *server_; }
    const PrintServer& server() const { return *server_; }

    // The server's, for the window's handlers and its tests.
    void WriteToLogFile(const QString& msg) { server_->WriteToLogFile(msg); }
    void setDataModule(TDataModule1* dataModule) { server_->setDataModule(dataModule); }
    TDataModule1* dataModule() const { return server_->dataModule(); }
    OperationLog& operationLog() { return server_->operationLog(); }
    bool isConnectDBServer() { return server_->isConnectDBServer(); }
    void DisconnectDatabaseServer() { server_->DisconnectDatabaseServer(); }
    PrintServerLifecycle& printServer() { return server_->lifecycle(); }
    PrintDispatcher& dispatcher() { return server_->dispatcher(); }

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
    // The server's one-second timer.
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
    void showServer();
    // Runs `action` now, or once the running cycle has ended: a window opened from a menu inside a cycle
    // would hold the cycle (and its order's transaction) until it is closed.
    void whenNoCycle(std::function<void()> action);
    void afterCycle();
    void FormCreate();
    void FormShow();

    // A child of the window, made before the widgets that show it.
    PrintServer* server_ = nullptr;
    // Exit chosen while a cycle printed: the window closes once that cycle has ended.
    bool closeAfterCycle_ = false;
    // The menu items chosen while a cycle ran, in order.
    std::vector<std::function<void()>> afterCycle_;
    // Gone before the window's children, the server among them, whose state it asks.
    std::unique_ptr<CycleInputGate> inputGate_;
};
