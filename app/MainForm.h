#pragma once

#include "OperationLog.h"

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
class TDataModule1;

// The main window: the operator's Start / Stop / Exit buttons, the progress towards the next print cycle,
// the operation log's mirror and the menu that opens the settings windows.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder` is the folder of the executable, below which the templates and the log live.
    explicit TMainForm(const QString& programFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Appends one time-stamped line to the log file and the memo; never raises.
    void WriteToLogFile(const QString& msg);

    void setDataModule(TDataModule1* dataModule) { dataModule_ = dataModule; }
    OperationLog& operationLog() { return *log_; }

    // Fixed at window creation.
    QString Report_Path;
    QString LogFile_Path;
    int SecondsToFirePrintingTimer = 0;

    QFrame* pnl_Status = nullptr;
    QPushButton* btn_StartPrintingServer = nullptr;
    QPushButton* btn_StopPrintingServer = nullptr;
    QPushButton* btn_Exit = nullptr;
    QFrame* Panel1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Menu_File = nullptr;
    QAction* Menu_Exit = nullptr;
    QMenu* Menu_Settings = nullptr;
    QAction* Menu_KitchenStationsPrinters = nullptr;
    QAction* Menu_DispatchingPackaging = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Menu_About = nullptr;
    QTimer* Timer_Printing = nullptr;

public Q_SLOTS:
    void btn_StartPrintingServerClick();
    void btn_StopPrintingServerClick();
    void btn_ExitClick();
    void Menu_ExitClick();
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

    std::unique_ptr<OperationLog> log_;
    TDataModule1* dataModule_ = nullptr;
};
