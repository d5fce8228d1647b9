#pragma once

// What the benchmark programs share.

class QString;
namespace benchmark {
class State;
}

// The process's resident set size in KiB, for the benchmarks that show memory staying flat.
long residentKiB();

// Runs the benchmarks named on the command line inside a GUI application (fonts and painting need one; no
// window is shown, the offscreen platform is used unless another is set). `sourceDir`, when given, is
// published as VELORIA_SOURCE_DIR for code that reads the schema or the shipped templates from the tree.
int runGuiBenchmarks(int argc, char** argv, const char* sourceDir = nullptr);

// Waits, outside the timing, until the print queue has finished its jobs: tickets reach a kitchen queue
// seconds apart, so each one is measured against an idle scheduler rather than a backlog of earlier jobs.
void waitUntilQueueIdle(benchmark::State& state, const QString& queue);
