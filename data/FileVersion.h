#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// Raised when an executable's file version cannot be read; the message names the file and the reason.
class FileVersionError : public std::runtime_error {
public:
    explicit FileVersionError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The file version an executable carries: the most and least significant 32-bit version words.
struct FileVersion {
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;

    // major.minor.release.build in decimal, without padding: "2.0.0.200".
    QString text() const;
};

// Reads the file version embedded in the executable at `executablePath`: the version resource on Windows,
// the version record the build puts in the binary elsewhere. Raises FileVersionError.
FileVersion readFileVersion(const QString& executablePath);

// The file version text of this program's own executable.
QString ownFileVersionText();
