#include "ProgramOptions.h"

namespace {

const QLatin1String ServiceOption("--service");

} // namespace

bool ProgramOptions::asksForService(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == ServiceOption) {
            return true;
        }
    }
    return false;
}

ProgramOptions ProgramOptions::parse(const QStringList& arguments) {
    ProgramOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == ServiceOption) {
            options.service = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else {
            // A mistyped option in a service definition must not start a window nobody sees.
            throw ProgramOptionsError("Unknown argument: " + argument.toStdString());
        }
    }
    return options;
}

QString ProgramOptions::usage() {
    return QStringLiteral("Usage: veloria-printing-server [--service]\n"
                          "  (no arguments)  the printing server's window\n"
                          "  --service       run unattended: start printing at once, no window, every log "
                          "line also on\n"
                          "                  standard output, message boxes to the log and standard error;\n"
                          "                  SIGTERM or SIGINT stops the server and ends the program\n");
}
