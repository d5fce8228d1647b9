#pragma once

#include <QString>

class SettingsStore;

// Where the start-up update check asks and where it sends the user for a newer version. Both belong to the
// maker, not to this program: with no service address there is no check.
struct UpdateServiceSettings {
    QString serviceUrl;   // the application web service's endpoint
    QString downloadsUrl; // the downloads web page

    // Reads "UpdateServiceURL" and "DownloadsURL" under the program's main key; a non-empty environment
    // variable VELORIA_UPDATE_URL takes the place of the service address. A missing key or value reads as
    // empty; a value that is not text raises SettingsError.
    static UpdateServiceSettings read(const SettingsStore& store);
};
