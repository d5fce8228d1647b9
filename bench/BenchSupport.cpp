#include "BenchSupport.h"

#include <QGuiApplication>
#include <QString>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cups/cups.h>
#include <unistd.h>

long residentKiB() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void waitUntilQueueIdle(benchmark::State& state, const QString& queue) {
    state.PauseTiming();
    const QByteArray name = queue.toUtf8();
    for (int i = 0; i < 10000; ++i) {
        cups_job_t* jobs = nullptr;
        const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, name.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active, jobs);
        if (active <= 0) {
            break;
        }
        QThread::msleep(1);
    }
    state.ResumeTiming();
}

int runGuiBenchmarks(int argc, char** argv, const char* sourceDir) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (sourceDir != nullptr) {
        qputenv("VELORIA_SOURCE_DIR", sourceDir);
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
