#pragma once

#include <QString>

// The print server's state, kept by the print server for the whole run.
struct PrintServerState {
    // Ticks from one cycle to the next; fixed when the server is made.
    int SecondsToFirePrintingTimer = 0;
    // Ticks counted since Start, Stop or the end of the last cycle.
    int ElapsedSeconds = 0;
    // The outlet's printing settings, read once at Start.
    QString PrintingOptions;
    bool Use_Packaging_Printer = false;
    QString Packaging_Printer_Name;

    // The outlet's tickets are shown on the terminals' screens, not printed: the server has nothing to do.
    bool printsOnScreenOnly() const { return PrintingOptions == QStringLiteral("ScreenOnly"); }
};
