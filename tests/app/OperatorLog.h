#pragma once

#include "MainForm.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStringList>

// What the operator reads in the main window's log, for tests that follow the print server there.

// The memo's lines without their time stamps; a message's second line has none.
inline QStringList memoMessages(const TMainForm& form) {
    static const QRegularExpression stamp(QStringLiteral("^\\S+ \\S+ \\S+ - "));
    QStringList out;
    for (QString line : form.Memo1->toPlainText().split(QLatin1Char('\n'))) {
        out << line.remove(stamp);
    }
    return out;
}

// The lines Stop writes, in order.
inline const QStringList StopLines = {"Stopping Timer", "Timer Stopped", "Disconnecting Database",
                                      "Database Disconnected", "Ready To Start Again"};
