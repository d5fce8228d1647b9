#pragma once

#include "RegistryValue.h"

#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>

// Raised when a settings value exists with a type other than a string.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// An opened key of the per-user settings store. Read-only.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;

    virtual std::optional<RegistryValue> value(const QString& name) const = 0;

    // A missing value reads as empty text; REG_SZ and REG_EXPAND_SZ read as stored up to their first NUL
    // with environment references left as they are; any other type raises
    // "Invalid data type for '<name>'".
    QString readString(const QString& name) const;
};

// The per-user settings store, rooted at the current user's key. Keys are only opened, never created.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // `path` is relative to the user's root, with or without a leading backslash. Null when the key does
    // not exist.
    virtual std::unique_ptr<SettingsKey> openKey(const QString& path) const = 0;
};

// The key that holds the outlet's identity, and its subkey with the database credentials.
inline constexpr const char* ProgramSettingsKey =
    "\\Software\\Corvane Solutions Programs\\Veloria Kitchen Printing Server";
inline constexpr const char* DatabaseSettingsKey =
    "\\Software\\Corvane Solutions Programs\\Veloria Kitchen Printing Server\\Database";

// A store with no keys at all: what the program reads when the user has no settings.
std::unique_ptr<SettingsStore> makeEmptySettingsStore();

// The file that stands for the user's registry on this platform: $VELORIA_SETTINGS, else
// $XDG_CONFIG_HOME/veloria/HKCU.reg (~/.config/veloria/HKCU.reg).
QString userSettingsFilePath();

// Opens the current user's settings store read-only. On Windows the registry itself; elsewhere the
// registry export file above, where a missing file behaves as a store without keys. A malformed file
// raises RegistryFileError naming the file and the line.
std::unique_ptr<SettingsStore> openUserSettingsStore();
