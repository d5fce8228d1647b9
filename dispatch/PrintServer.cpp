#include "PrintServer.h"

#include "ConnectionFailure.h"
#include "DataModule1.h"
#include "PrintDispatcher.h"
#include "PrintServerLifecycle.h"

#include <QScopeGuard>
#include <stdexcept>

// The server's own controls as the lifecycle drives them: the timer is the server's, the rest is told.
class PrintServer::Panel final : public PrintServerPanel {
public:
    explicit Panel(PrintServer& server) : server_(server) {}

    void WriteToLogFile(const QString& msg) override { server_.WriteToLogFile(msg); }
    void clearLogView() override { Q_EMIT server_.logViewCleared(); }
    void setStartEnabled(bool enabled) override { Q_EMIT server_.startEnabledChanged(enabled); }
    void setStopEnabled(bool enabled) override { Q_EMIT server_.stopEnabledChanged(enabled); }
    void setProgress(int ticks) override { Q_EMIT server_.progressChanged(ticks); }
    void setTimerEnabled(bool enabled) override {
        if (enabled) {
            server_.timer_.start();
        } else {
            server_.timer_.stop();
        }
    }
    bool isConnectDBServer() override { return server_.isConnectDBServer(); }
    void DisconnectDatabaseServer() override { server_.DisconnectDatabaseServer(); }
    TDataModule1& dataModule() override { return server_.requireDataModule(); }

private:
    PrintServer& server_;
};

PrintServer::PrintServer(const QString& programFolder, QObject* parent) : QObject(parent) {
    QString folder = programFolder;
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    Report_Path = folder + QStringLiteral("Reports/en/");
    LogFile_Path = folder + QStringLiteral("Logs/");
    TicketArchive_Path = folder + QStringLiteral("Tickets/");
    timer_.setObjectName(QStringLiteral("Timer_Printing"));
    timer_.setInterval(1000);
    log_ = std::make_unique<OperationLog>(LogFile_Path,
                                          [this](const QString& line) { Q_EMIT logLineWritten(line); });
    panel_ = std::make_unique<Panel>(*this);
    lifecycle_ = std::make_unique<PrintServerLifecycle>(*this, *panel_);
    dispatcher_ =
        std::make_unique<PrintDispatcher>(*this, *panel_, *lifecycle_, Report_Path, TicketArchive_Path);
    SecondsToFirePrintingTimer = 6;
    lifecycle_->setCycleEndedHook([this] { Q_EMIT cycleEnded(); });
}

PrintServer::~PrintServer() = default;

TDataModule1& PrintServer::requireDataModule() {
    if (!dataModule_) {
        throw std::logic_error("The data module has not been created");
    }
    return *dataModule_;
}

void PrintServer::launched() {
    WriteToLogFile(QStringLiteral("Printing Server Launched"));
}

void PrintServer::WriteToLogFile(const QString& msg) {
    log_->write(msg);
}

bool PrintServer::isConnectDBServer() {
    Q_EMIT databaseWaitStarted();
    const auto waitEnded = qScopeGuard([this] { Q_EMIT databaseWaitEnded(); });
    const auto log = [this](const QString& line) {
        WriteToLogFile(line);
    };
    if (!dataModule_) {
        log(connectionFailureLogLine(
            std::make_exception_ptr(std::logic_error("The data module has not been created"))));
        return false;
    }
    return connectLogged(dataModule_->ADOConnection1, log);
}

void PrintServer::DisconnectDatabaseServer() {
    WriteToLogFile(QStringLiteral("Database Disconnected"));
    if (dataModule_) {
        dataModule_->ADOConnection1.close();
    }
}
