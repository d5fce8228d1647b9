#include "MainForm.h"

#include "AboutForm.h"
#include "CycleInputGate.h"
#include "DataModule1.h"
#include "DispatchingPrinterSettingsForm.h"
#include "MessageService.h"
#include "PrintDispatcher.h"
#include "PrintServerLifecycle.h"
#include "PrintedTicketsForm.h"
#include "StationStateStrip.h"
#include "StationsMgtForm.h"
#include "UrlOpener.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

namespace {

QFont tahoma(int pointSize) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(pointSize);
    return font;
}

QPushButton* makeButton(const QString& name, const QString& caption, int width, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFixedSize(width, 41);
    return button;
}

QAction* makeAction(const QString& name, const QString& caption, QMenu* menu) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

TMainForm::TMainForm(const QString& programFolder, QWidget* parent) : QMainWindow(parent) {
    server_ = new PrintServer(programFolder, this);
    buildWindow();
    Timer_Printing = &server_->timer();
    StationStates = new StationStateStrip(server_->dispatcher().printedTickets().stations(), pnl_Status);
    // The strip takes the panel's free room left of the buttons, which stay at its right.
    auto* statusRow = qobject_cast<QHBoxLayout*>(pnl_Status->layout());
    statusRow->insertWidget(0, StationStates, 1);
    statusRow->setStretch(1, 0);
    showServer();
    // Stop and Exit act at once, also inside a cycle; the menus open, and their items wait for the cycle.
    inputGate_ = std::make_unique<CycleInputGate>([this] { return server_->lifecycle().inCycle(); },
                                                  [this](QObject* receiver) {
                                                      return receiver == btn_StopPrintingServer ||
                                                             receiver == btn_Exit ||
                                                             qobject_cast<QMenu*>(receiver) != nullptr ||
                                                             qobject_cast<QMenuBar*>(receiver) != nullptr;
                                                  });
    connect(server_, &PrintServer::cycleEnded, this, &TMainForm::afterCycle, Qt::QueuedConnection);
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::buildWindow() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Veloria Restaurant Management System - Printing Server "));
    setFont(tahoma(12));

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);
    Menu_File = MainMenu1->addMenu(QStringLiteral("File"));
    Menu_File->setObjectName(QStringLiteral("Menu_File"));
    Menu_PrintedTickets =
        makeAction(QStringLiteral("Menu_PrintedTickets"), QStringLiteral("Printed Tickets..."), Menu_File);
    Menu_Exit = makeAction(QStringLiteral("Menu_Exit"), QStringLiteral("Exit"), Menu_File);
    Menu_Settings = MainMenu1->addMenu(QStringLiteral("Settings"));
    Menu_Settings->setObjectName(QStringLiteral("Menu_Settings"));
    Menu_KitchenStationsPrinters = makeAction(QStringLiteral("Menu_KitchenStationsPrinters"),
                                              QStringLiteral("Stations / Printers"), Menu_Settings);
    Menu_DispatchingPackaging = makeAction(QStringLiteral("Menu_DispatchingPackaging"),
                                           QStringLiteral("Dispatching / Packaging"), Menu_Settings);
    Help1 = MainMenu1->addMenu(QStringLiteral("Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Menu_About = makeAction(QStringLiteral("Menu_About"), QStringLiteral("About"), Help1);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(3, 3, 3, 3);
    column->setSpacing(3);

    pnl_Status = new QFrame(client);
    pnl_Status->setObjectName(QStringLiteral("pnl_Status"));
    pnl_Status->setFrameShape(QFrame::StyledPanel);
    pnl_Status->setFixedHeight(62);
    pnl_Status->setFont(tahoma(8));
    auto* buttons = new QHBoxLayout(pnl_Status);
    buttons->setContentsMargins(3, 3, 3, 3);
    buttons->setSpacing(3);
    buttons->addStretch(1);
    btn_StartPrintingServer = makeButton(QStringLiteral("btn_StartPrintingServer"),
                                         QStringLiteral("Start Printing Server"), 185, pnl_Status);
    btn_StopPrintingServer = makeButton(QStringLiteral("btn_StopPrintingServer"),
                                        QStringLiteral("Stop Printing Server"), 185, pnl_Status);
    btn_Exit = makeButton(QStringLiteral("btn_Exit"), QStringLiteral("Exit"), 101, pnl_Status);
    for (QPushButton* b : {btn_StartPrintingServer, btn_StopPrintingServer, btn_Exit}) {
        buttons->addWidget(b, 0, Qt::AlignTop);
    }
    btn_StopPrintingServer->setEnabled(false);

    Memo1 = new QPlainTextEdit(client);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFixedHeight(31);
    auto* barRow = new QHBoxLayout(Panel1);
    barRow->setContentsMargins(1, 1, 1, 1);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 5);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    barRow->addWidget(ProgressBar1);

    column->addWidget(pnl_Status);
    column->addWidget(Memo1, 1);
    column->addWidget(Panel1);
    setCentralWidget(client);

    connect(btn_StartPrintingServer, &QPushButton::clicked, this, &TMainForm::btn_StartPrintingServerClick);
    connect(btn_StopPrintingServer, &QPushButton::clicked, this, &TMainForm::btn_StopPrintingServerClick);
    connect(btn_Exit, &QPushButton::clicked, this, &TMainForm::btn_ExitClick);
    connect(Menu_Exit, &QAction::triggered, this, &TMainForm::Menu_ExitClick);
    connect(Menu_PrintedTickets, &QAction::triggered, this, &TMainForm::Menu_PrintedTicketsClick);
    connect(Menu_KitchenStationsPrinters, &QAction::triggered, this,
            &TMainForm::Menu_KitchenStationsPrintersClick);
    connect(Menu_DispatchingPackaging, &QAction::triggered, this, &TMainForm::Menu_DispatchingPackagingClick);
    connect(Menu_About, &QAction::triggered, this, &TMainForm::Menu_AboutClick);
    connect(&server_->timer(), &QTimer::timeout, this, &TMainForm::Timer_PrintingTimer);

    // The client area below the menu is 846 by 475 pixels.
    resize(846, 475 + MainMenu1->sizeHint().height());
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TMainForm::showServer() {
    connect(server_, &PrintServer::logLineWritten, Memo1, [this](const QString& line) {
        Memo1->appendPlainText(line);
        Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
    });
    connect(server_, &PrintServer::logViewCleared, Memo1, &QPlainTextEdit::clear);
    connect(server_, &PrintServer::startEnabledChanged, btn_StartPrintingServer, &QPushButton::setEnabled);
    connect(server_, &PrintServer::stopEnabledChanged, btn_StopPrintingServer, &QPushButton::setEnabled);
    connect(server_, &PrintServer::progressChanged, ProgressBar1, [this](int ticks) {
        ProgressBar1->setValue(qBound(ProgressBar1->minimum(), ticks, ProgressBar1->maximum()));
    });
    // The busy pointer while the database is reached, put back however the wait ends.
    connect(server_, &PrintServer::databaseWaitStarted, this,
            [] { QApplication::setOverrideCursor(Qt::BusyCursor); });
    connect(server_, &PrintServer::databaseWaitEnded, this, [] { QApplication::restoreOverrideCursor(); });
}

void TMainForm::FormCreate() {
    Memo1->clear();
    server_->launched();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        // Runs once the window is on screen, so that the update question appears over it and accepting
        // it can close the window like any other handler.
        QTimer::singleShot(0, this, [this] { runReportingErrors([this] { FormShow(); }); });
    }
}

void TMainForm::FormShow() {
    if (server_->dataModule() == nullptr) {
        return;
    }
    QString responseCode;
    QString responseDesc;
    try {
        if (server_->dataModule()->CheckVersion(responseCode, responseDesc)) {
            return;
        }
    } catch (...) {
        // The check is not worth stopping the program for: the window stays usable.
        handleUncaughtException(std::current_exception());
        return;
    }
    const MessageButton answer = MessageService::current().show(
        MessageRequest{QStringLiteral("Confirm"), responseCode + QStringLiteral("\r\n") + responseDesc,
                       MessageIcon::Question, MbOk | MbCancel});
    if (answer != MbOk) {
        return;
    }
    const QUrl downloads(server_->dataModule()->UpdateService.downloadsUrl);
    if (!downloads.isValid() || downloads.isEmpty() || !UrlOpener::current().open(downloads)) {
        // Ending the program without the page would leave the user with neither.
        showStandardError(QStringLiteral("The downloads page '%1' cannot be opened")
                              .arg(server_->dataModule()->UpdateService.downloadsUrl));
        return;
    }
    close();
}

void TMainForm::btn_StartPrintingServerClick() {
    runReportingErrors([this] { server_->lifecycle().Start(); });
}

void TMainForm::btn_StopPrintingServerClick() {
    runReportingErrors([this] { server_->lifecycle().Stop(); });
}

void TMainForm::btn_ExitClick() {
    // A Stop that fails leaves the window open, with the error shown.
    runReportingErrors([this] {
        server_->lifecycle().Stop();
        if (server_->lifecycle().inCycle()) {
            // The cycle below this handler is still printing; it ends at its next order, then the window
            // goes.
            closeAfterCycle_ = true;
            return;
        }
        close();
    });
}

void TMainForm::Menu_ExitClick() {
    btn_ExitClick();
}

void TMainForm::whenNoCycle(std::function<void()> action) {
    if (server_->lifecycle().inCycle()) {
        afterCycle_.push_back(std::move(action));
        return;
    }
    action();
}

void TMainForm::afterCycle() {
    if (server_->lifecycle().inCycle()) {
        // A cycle that ran inside a window opened after the last one; its own end comes again.
        return;
    }
    inputGate_->release();
    std::vector<std::function<void()>> actions;
    actions.swap(afterCycle_);
    for (const auto& action : actions) {
        action();
    }
}

void TMainForm::Menu_PrintedTicketsClick() {
    // A new window for every opening, like the settings windows; the print cycles go on meanwhile.
    whenNoCycle([this] {
        auto PrintedTicketsForm =
            std::make_unique<TPrintedTicketsForm>(server_->dispatcher().printedTickets(), this);
        PrintedTicketsForm->exec();
    });
}

void TMainForm::Menu_KitchenStationsPrintersClick() {
    // A new window for every opening, gone when it closes; the print server's timer keeps running meanwhile.
    whenNoCycle([this] {
        runReportingErrors([this] {
            auto StationsMgtForm = std::make_unique<TStationsMgtForm>(server_->requireDataModule(), this);
            StationsMgtForm->exec();
        });
    });
}

void TMainForm::Menu_DispatchingPackagingClick() {
    whenNoCycle([this] {
        runReportingErrors([this] {
            auto DispatchingPrinterSettingsForm =
                std::make_unique<TDispatchingPrinterSettingsForm>(server_->requireDataModule(), this);
            DispatchingPrinterSettingsForm->exec();
        });
    });
}

void TMainForm::Menu_AboutClick() {
    whenNoCycle([this] {
        runReportingErrors([this] {
            // A new window for every opening, gone when it closes.
            auto AboutForm = std::make_unique<TAboutForm>(this);
            AboutForm->exec();
        });
    });
}

void TMainForm::Timer_PrintingTimer() {
    const bool outermost = !server_->lifecycle().inCycle();
    const auto closeIfAsked = qScopeGuard([this, outermost] {
        if (outermost && closeAfterCycle_) {
            closeAfterCycle_ = false;
            close();
        }
    });
    runReportingErrors([this] { server_->lifecycle().Tick(); });
}
