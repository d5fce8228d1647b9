#pragma once

#include "SettingsStore.h"

#include <QHash>
#include <QString>
#include <map>
#include <stdexcept>

// A malformed registry export file: the message names the file and the line.
class RegistryFileError : public std::runtime_error {
public:
    RegistryFileError(const QString& file, int line, const QString& reason);
    QString message() const { return QString::fromUtf8(what()); }
    int line() const { return line_; }

private:
    int line_;
};

// The per-user settings store read from a registry export file (".reg", both the version 5 and the
// REGEDIT4 form, UTF-8 or UTF-16LE with a byte order mark). Only keys below HKEY_CURRENT_USER are
// visible; the file is read once and never written.
class RegistryFileStore final : public SettingsStore {
public:
    using Values = std::map<QString, RegistryValue>; // by lower-case value name ("" is the default value)

    // A missing file gives a store without keys.
    static std::unique_ptr<RegistryFileStore> open(const QString& filePath);
    // Parses the bytes of a file; `fileName` only names the file in error messages.
    static std::unique_ptr<RegistryFileStore> parse(const QByteArray& content, const QString& fileName);

    std::unique_ptr<SettingsKey> openKey(const QString& path) const override;

private:
    std::map<QString, Values> keys_; // by lower-case path below HKEY_CURRENT_USER, without a leading '\'
};
