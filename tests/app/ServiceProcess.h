#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The installed or built program run with --service as a separate process: its standard output is
// read as the log, line by line without the time stamps; it is stopped by signals as the machine's
// service manager stops it.
class ServiceProcess {
public:
    // `settingsFile` becomes $VELORIA_SETTINGS; `extraEnvironment` holds more NAME=VALUE pairs.
    ServiceProcess(const QString& program, const QString& settingsFile,
                   const QStringList& extraEnvironment = {},
                   const QStringList& arguments = {QStringLiteral("--service")});
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    // Waits until the log has a line equal to `message` (after `from` lines); false on time-out or exit.
    bool waitForLine(const QString& message, int timeoutMs = 20000, qsizetype from = 0);
    // Waits until `done` holds, reading the log meanwhile; false on time-out or exit.
    bool waitUntil(const std::function<bool()>& done, int timeoutMs = 20000);
    // Waits for the end of the process; false on time-out.
    bool waitForExit(int timeoutMs = 20000);
    void signal(int signalNumber);

    // The log lines so far, without their time stamps.
    QStringList log();
    QString standardError();
    int exitCode() const { return process_->exitCode(); }
    bool exitedNormally() const { return process_->exitStatus() == QProcess::NormalExit; }
    bool running() const { return process_->state() != QProcess::NotRunning; }

private:
    void readOutput();

    std::unique_ptr<QProcess> process_;
    QByteArray pending_;
    QStringList lines_;
    QByteArray errors_;
};

// The built program laid out in `folder` as an installation has it: the executable (a hard link where
// possible), the templates in Reports/en and an empty Logs folder. Returns the executable's path.
QString installProgram(const QString& folder);

// A settings file for outlet 1/1/OUTLET whose database is the embedded file DATABASE.
void writeSettingsFile(const QString& path, const QString& databaseFile,
                       const QString& outletId = QStringLiteral("1"));
