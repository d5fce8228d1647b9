#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <stdexcept>

// Raised when the program file's modification time cannot be read.
class ProgramFileDateError : public std::runtime_error {
public:
    explicit ProgramFileDateError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// "dd/MM/yyyy HH:mm" on the 24-hour clock, with the locale's date and time separators in place of '/' and
// ':'.
QString formatProgramFileDate(const QDateTime& when, const QLocale& locale);

// The last-modification time of `file` in local time, formatted as above with the default locale.
// Raises ProgramFileDateError when the file or its time cannot be read.
QString programFileDateText(const QString& file);
