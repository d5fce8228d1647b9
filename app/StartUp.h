#pragma once

#include <functional>
#include <memory>

class PrintServer;
class TDataModule1;
class TMainForm;
class TSplashForm;

// Creates the data module: reads the installation settings from the user's store and composes the
// connection string. A malformed store or a value of the wrong type is shown in the standard error box
// and the start-up goes on.
void createDataModule(TDataModule1& dataModule);

// The report component's "Error" boxes go through the program's message service like every other box.
void bindReportMessages();

// What start-up leaves for the message loop: the main window, which owns the print server (the window
// program), or the print server alone (the service). Either goes before the data module it uses.
struct RunningProgram {
    // Out of line, so that a user of the service needs no window's declaration.
    RunningProgram();
    RunningProgram(RunningProgram&&) noexcept;
    RunningProgram& operator=(RunningProgram&&) noexcept;
    ~RunningProgram();

    std::unique_ptr<TDataModule1> dataModule;
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<PrintServer> server;
};

// Start-up up to the message loop, in its fixed order, with the splash window on screen meanwhile: it is
// shown at 40, moves to 60 once the main window exists and to 100 once the data module does, and is gone
// when this returns. `splashShown` lets a caller watch the splash window. Needs the application object.
RunningProgram startUp(const std::function<void(TSplashForm&)>& splashShown = {});

// The same start-up for the service: the print server and the data module, and no window at all (not even
// one kept hidden). Needs only a GUI application object (the tickets' fonts and painting).
RunningProgram startUpWithoutWindows();

// The program run as a service: start-up, Start at once, then the event loop until SIGTERM or SIGINT has
// stopped the server (exit code 0). Exit code 1 when the server cannot start; the log says why. Needs the
// application object.
int runService();

// The program: without arguments start-up, then the window message loop until the main window closes;
// with --service the service above. An unknown argument ends it with exit code 2.
int runPrintingServer(int argc, char** argv);
