#include "CaptureQueues.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>

namespace {
int jobNumber(const QString& file) {
    return file.section(QLatin1Char('-'), 1).section(QLatin1Char('.'), 0, 0).toInt();
}
} // namespace

QString captureFolder(const QString& queue) {
    return qEnvironmentVariable("VELORIA_TEST_CUPS_DIR") + QStringLiteral("/out/") + queue;
}

QStringList capturedJobs(const QString& queue) {
    QStringList jobs = QDir(captureFolder(queue)).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    std::sort(jobs.begin(), jobs.end(),
              [](const QString& a, const QString& b) { return jobNumber(a) < jobNumber(b); });
    return jobs;
}

int jobCount(const char* queue) {
    return static_cast<int>(capturedJobs(QString::fromLatin1(queue)).size());
}

QString newestJob(const QString& queue) {
    const QStringList jobs = capturedJobs(queue);
    return jobs.isEmpty() ? QString() : captureFolder(queue) + QLatin1Char('/') + jobs.last();
}

bool waitForJobs(const char* queue, int count) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
        if (jobCount(queue) >= count) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

QString runTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}
