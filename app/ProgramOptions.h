#pragma once

#include <QStringList>
#include <stdexcept>

// Raised for a command line the program does not understand; the text says what is wrong.
class ProgramOptionsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the command line asks for. Without arguments the program is the window program.
struct ProgramOptions {
    bool service = false; // run unattended: no window, the log also on standard output
    bool help = false;

    // `arguments` as the application object leaves them: the program's path first, Qt's own options
    // already taken out.
    static ProgramOptions parse(const QStringList& arguments);
    // Whether the command line asks for the service, read before any application object exists (the
    // service's has no widgets).
    static bool asksForService(int argc, const char* const* argv);
    static QString usage();
};
