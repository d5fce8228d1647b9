#pragma once

#include <QByteArray>
#include <QString>

// Puts a finished document into its file. A file that cannot take every byte (a full disk, a device that
// refuses writes) is a failure: a truncated ticket must never count as written.
class OutputFile {
public:
    // Replaces the file's content by `bytes`; false with the reason in `why` when not all of it was written.
    static bool writeAll(const QString& path, const QByteArray& bytes, QString* why = nullptr);
    // Adds `bytes` at the end of the file, creating it when missing; false with the reason in `why` when
    // not all of it was written.
    static bool append(const QString& path, const QByteArray& bytes, QString* why = nullptr);
};
