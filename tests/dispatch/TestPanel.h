#pragma once

#include "ConnectionFailure.h"
#include "DataModule1.h"
#include "PrintServerPanel.h"

#include <QStringList>

// The main window as far as the print server can see it, with a real data module: the log is a list of
// lines, the buttons, the bar and the timer are flags.
class TestPanel final : public PrintServerPanel {
public:
    void WriteToLogFile(const QString& msg) override { log << msg; }
    void clearLogView() override { log.clear(); }
    void setStartEnabled(bool enabled) override { start = enabled; }
    void setStopEnabled(bool enabled) override { stop = enabled; }
    void setProgress(int ticks) override { progress = qBound(0, ticks, 5); }
    void setTimerEnabled(bool enabled) override { timer = enabled; }
    bool isConnectDBServer() override {
        ++connects;
        return connectLogged(data.ADOConnection1, [this](const QString& line) { log << line; });
    }
    void DisconnectDatabaseServer() override {
        log << QStringLiteral("Database Disconnected");
        data.ADOConnection1.close();
    }
    TDataModule1& dataModule() override { return data; }

    TDataModule1 data;
    QStringList log;
    bool start = true;
    bool stop = false;
    bool timer = false;
    int progress = 0;
    int connects = 0;
};
