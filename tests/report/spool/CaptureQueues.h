#pragma once

#include <QString>
#include <QStringList>

// The test scheduler's capture queues keep every job as job-N.pdf with job-N.title and job-N.options in
// $VELORIA_TEST_CUPS_DIR/out/<queue>/.
QString captureFolder(const QString& queue);
// The queue's job files, oldest first (by job number: job-10 comes after job-9).
QStringList capturedJobs(const QString& queue);
int jobCount(const char* queue);
// The newest job's PDF path, without waiting.
QString newestJob(const QString& queue);
// Waits up to 20 s until the queue has kept `count` jobs.
bool waitForJobs(const char* queue, int count);
// Runs a command-line tool and returns what it printed.
QString runTool(const QString& program, const QStringList& args);
QString readText(const QString& path);
