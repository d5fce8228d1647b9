#pragma once

#include <QString>
#include <QStringList>

class QVariant;

// How a SQL Server site reaches its database on Linux: which ODBC driver, and its encryption settings. The
// optional values "OdbcDriver", "Encrypt" and "TrustServerCertificate" of the settings' Database key.
struct OdbcSettings {
    QString driver;                 // as `odbcinst -q -d` lists it; empty: the first installed known one
    QString encrypt;                // "yes", "no" or "strict"; empty: the driver's own default
    QString trustServerCertificate; // "yes" or "no"; empty: the driver's own default

    // Raises SettingsError "Invalid value for '<name>'" for an encryption value the drivers do not know.
    void validate() const;
};

// The keywords a driver's connection string is written in.
enum class OdbcFamily {
    Microsoft, // "ODBC Driver 17/18 for SQL Server": SERVER=host,port; Encrypt; TrustServerCertificate
    FreeTds,   // FreeTDS: SERVER and PORT apart, protocol version and client character set
    Generic,   // any other driver: DATABASE, UID, PWD and SERVER as given
};

OdbcFamily odbcFamilyOf(const QString& driver);

// The SQL Server drivers taken without a setting, in order of preference.
QStringList preferredOdbcDrivers();

// The drivers the ODBC driver manager has installed (odbcinst.ini), by name.
QStringList installedOdbcDrivers();

// The driver a connection uses: $VELORIA_ODBC_DRIVER (tests), else the configured one, else the first of
// the preferred drivers that is installed. None of them installed raises DataAccessError naming what to
// install.
QString chooseOdbcDriver(const QString& configured, const QStringList& installed);

// The message of a refused connection for the operator: the driver's words with the password masked
// wherever the driver repeats it, and, when the server's certificate could not be verified, one more
// line naming the two settings that decide it.
QString odbcConnectionMessage(const QString& driverText, const QString& password);

// The ODBC handle in what a Qt ODBC connection or result hands out (Qt 6 names its type void*, Qt 5 named
// it SQLHANDLE); null for anything else, such as the embedded database's handles.
void* odbcHandle(const QVariant& handle);
