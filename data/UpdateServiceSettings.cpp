#include "UpdateServiceSettings.h"

#include "SettingsStore.h"

UpdateServiceSettings UpdateServiceSettings::read(const SettingsStore& store) {
    UpdateServiceSettings settings;
    if (const auto key = store.openKey(QString::fromLatin1(ProgramSettingsKey))) {
        settings.serviceUrl = key->readString(QStringLiteral("UpdateServiceURL"));
        settings.downloadsUrl = key->readString(QStringLiteral("DownloadsURL"));
    }
    const QString fromEnvironment = qEnvironmentVariable("VELORIA_UPDATE_URL");
    if (!fromEnvironment.isEmpty()) {
        settings.serviceUrl = fromEnvironment;
    }
    return settings;
}
