#include "ServiceProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <csignal>
#include <stdexcept>
#include <unistd.h>

ServiceProcess::ServiceProcess(const QString& program, const QString& settingsFile,
                               const QStringList& extraEnvironment, const QStringList& arguments)
    : process_(std::make_unique<QProcess>()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELORIA_SETTINGS"), settingsFile);
    // No update check against the maker's service from a test.
    environment.insert(QStringLiteral("VELORIA_UPDATE_URL"), QString());
    for (const QString& pair : extraEnvironment) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        environment.insert(pair.left(eq), pair.mid(eq + 1));
    }
    process_->setProcessEnvironment(environment);
    process_->start(program, arguments);
    if (!process_->waitForStarted(10000)) {
        throw std::runtime_error("cannot start " + program.toStdString());
    }
}

ServiceProcess::~ServiceProcess() {
    if (running()) {
        process_->kill();
        process_->waitForFinished(5000);
    }
}

void ServiceProcess::readOutput() {
    pending_ += process_->readAllStandardOutput();
    errors_ += process_->readAllStandardError();
    static const QRegularExpression stamp(QStringLiteral("^\\S+ \\S+ \\S+ - "));
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        QString line = QString::fromUtf8(pending_.left(end));
        pending_.remove(0, end + 1);
        lines_ << line.remove(stamp);
    }
}

QStringList ServiceProcess::log() {
    readOutput();
    return lines_;
}

QString ServiceProcess::standardError() {
    readOutput();
    return QString::fromUtf8(errors_);
}

bool ServiceProcess::waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        readOutput();
        if (done()) {
            return true;
        }
        if (!running() || deadline.hasExpired()) {
            readOutput();
            return done();
        }
        process_->waitForReadyRead(100);
    }
}

bool ServiceProcess::waitForLine(const QString& message, int timeoutMs, qsizetype from) {
    return waitUntil([&] { return lines_.indexOf(message, from) >= 0; }, timeoutMs);
}

bool ServiceProcess::waitForExit(int timeoutMs) {
    const bool ended = process_->waitForFinished(timeoutMs);
    readOutput();
    return ended;
}

void ServiceProcess::signal(int signalNumber) {
    ::kill(static_cast<pid_t>(process_->processId()), signalNumber);
}

QString installProgram(const QString& folder) {
    const QFileInfo built(QStringLiteral(VELORIA_PROGRAM));
    const QString program = folder + QLatin1Char('/') + built.fileName();
    const QDir templates(built.absolutePath() + QStringLiteral("/Reports/en"));
    if (!QDir(folder).mkpath(QStringLiteral("Logs")) || !QDir(folder).mkpath(QStringLiteral("Reports/en"))) {
        throw std::runtime_error("cannot lay the program out in " + folder.toStdString());
    }
    for (const QString& name : templates.entryList(QDir::Files)) {
        QFile::copy(templates.filePath(name), folder + QStringLiteral("/Reports/en/") + name);
    }
    // The program finds its templates and log beside its own file, so it needs a file of its own here.
    if (::link(QFile::encodeName(built.absoluteFilePath()).constData(),
               QFile::encodeName(program).constData()) != 0 &&
        !QFile::copy(built.absoluteFilePath(), program)) {
        throw std::runtime_error("cannot place the program in " + folder.toStdString());
    }
    return program;
}

void writeSettingsFile(const QString& path, const QString& databaseFile, const QString& outletId) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    const QString key =
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria Kitchen "
                       "Printing Server");
    QString text =
        QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[") + key + QStringLiteral("]\r\n") +
        QStringLiteral("\"Customer_ID\"=\"1\"\r\n\"Restaurant_ID\"=\"1\"\r\n\"Outlet_ID\"=\"%1\"\r\n\r\n")
            .arg(outletId) +
        QStringLiteral("[") + key + QStringLiteral("\\Database]\r\n\"Source\"=\"sqlite:") +
        QString(databaseFile).replace(QStringLiteral("\\"), QStringLiteral("\\\\")) +
        QStringLiteral("\"\r\n");
    file.write(text.toUtf8());
}
