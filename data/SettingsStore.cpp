#include "SettingsStore.h"

#include "RegistryFileStore.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringDecoder>

QString SettingsKey::readString(const QString& name) const {
    const std::optional<RegistryValue> v = value(name);
    if (!v) {
        return {};
    }
    if (v->type != RegSz && v->type != RegExpandSz) {
        throw SettingsError(QStringLiteral("Invalid data type for '%1'").arg(name));
    }
    QString text;
    if (v->fromText) {
        text = v->text;
    } else if (v->unicodeBytes) {
        QByteArray bytes = v->bytes;
        if (bytes.size() % 2 != 0) {
            bytes.append('\0');
        }
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    } else {
        text = QString::fromLocal8Bit(v->bytes);
    }
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

namespace {

class EmptySettingsStore final : public SettingsStore {
public:
    std::unique_ptr<SettingsKey> openKey(const QString&) const override { return nullptr; }
};

} // namespace

std::unique_ptr<SettingsStore> makeEmptySettingsStore() {
    return std::make_unique<EmptySettingsStore>();
}

QString userSettingsFilePath() {
    const QString explicitFile = qEnvironmentVariable("VELORIA_SETTINGS");
    if (!explicitFile.isEmpty()) {
        return explicitFile;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/veloria/HKCU.reg");
}

#ifndef Q_OS_WIN
std::unique_ptr<SettingsStore> openUserSettingsStore() {
    return RegistryFileStore::open(userSettingsFilePath());
}
#endif
