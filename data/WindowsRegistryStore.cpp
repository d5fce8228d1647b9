// The settings store on Windows: the current user's registry itself, opened read-only in the 64-bit view.
#include "SettingsStore.h"

#ifdef Q_OS_WIN
#include <windows.h>

namespace {

class WindowsRegistryKey final : public SettingsKey {
public:
    explicit WindowsRegistryKey(HKEY key) : key_(key) {}
    ~WindowsRegistryKey() override { RegCloseKey(key_); }
    WindowsRegistryKey(const WindowsRegistryKey&) = delete;
    WindowsRegistryKey& operator=(const WindowsRegistryKey&) = delete;

    std::optional<RegistryValue> value(const QString& name) const override {
        const std::wstring wname = name.toStdWString();
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        RegistryValue v;
        v.type = type;
        v.bytes.resize(static_cast<qsizetype>(size));
        RegQueryValueExW(key_, wname.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(v.bytes.data()),
                         &size);
        v.unicodeBytes = true;
        return v;
    }

private:
    HKEY key_;
};

class WindowsRegistryStore final : public SettingsStore {
public:
    std::unique_ptr<SettingsKey> openKey(const QString& path) const override {
        QString sub = path;
        while (sub.startsWith(QLatin1Char('\\'))) {
            sub.remove(0, 1);
        }
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, sub.toStdWString().c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                          &key) != ERROR_SUCCESS) {
            return nullptr;
        }
        return std::make_unique<WindowsRegistryKey>(key);
    }
};

} // namespace

std::unique_ptr<SettingsStore> openUserSettingsStore() {
    return std::make_unique<WindowsRegistryStore>();
}
#endif
