#include "OdbcDriver.h"

#include "DbErrors.h"
#include "SettingsStore.h"

#include <QVariant>
#include <sql.h>
#include <sqlext.h>

namespace {

bool oneOf(const QString& value, std::initializer_list<const char*> allowed) {
    for (const char* a : allowed) {
        if (value.compare(QLatin1String(a), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

void OdbcSettings::validate() const {
    if (!encrypt.isEmpty() && !oneOf(encrypt, {"yes", "no", "strict"})) {
        throw SettingsError(QStringLiteral("Invalid value for 'Encrypt'"));
    }
    if (!trustServerCertificate.isEmpty() && !oneOf(trustServerCertificate, {"yes", "no"})) {
        throw SettingsError(QStringLiteral("Invalid value for 'TrustServerCertificate'"));
    }
}

OdbcFamily odbcFamilyOf(const QString& driver) {
    if (driver.contains(QLatin1String("for SQL Server"), Qt::CaseInsensitive) &&
        driver.startsWith(QLatin1String("ODBC Driver"), Qt::CaseInsensitive)) {
        return OdbcFamily::Microsoft;
    }
    if (driver.contains(QLatin1String("FreeTDS"), Qt::CaseInsensitive) ||
        driver.contains(QLatin1String("tdsodbc"), Qt::CaseInsensitive)) {
        return OdbcFamily::FreeTds;
    }
    return OdbcFamily::Generic;
}

QStringList preferredOdbcDrivers() {
    return {QStringLiteral("ODBC Driver 18 for SQL Server"), QStringLiteral("ODBC Driver 17 for SQL Server"),
            QStringLiteral("FreeTDS")};
}

QStringList installedOdbcDrivers() {
    QStringList drivers;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
        return drivers;
    }
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR name[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDrivers(env, direction, name, sizeof name, &nameLength, attributes,
                                    sizeof attributes, &attributesLength))) {
        drivers.append(QString::fromUtf8(reinterpret_cast<const char*>(name)));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return drivers;
}

QString chooseOdbcDriver(const QString& configured, const QStringList& installed) {
    const QString forced = qEnvironmentVariable("VELORIA_ODBC_DRIVER");
    if (!forced.isEmpty()) {
        return forced;
    }
    if (!configured.trimmed().isEmpty()) {
        return configured.trimmed();
    }
    for (const QString& preferred : preferredOdbcDrivers()) {
        if (installed.contains(preferred, Qt::CaseInsensitive)) {
            return preferred;
        }
    }
    throw DataAccessError(
        QStringLiteral("No ODBC driver for SQL Server is installed: install Debian's package tdsodbc "
                       "(FreeTDS) or Microsoft's \"ODBC Driver 18 for SQL Server\", or name an installed "
                       "driver with OdbcDriver in the Database settings"));
}

QString odbcConnectionMessage(const QString& driverText, const QString& password) {
    QString message = driverText;
    if (!password.isEmpty()) {
        message.replace(password, QStringLiteral("****"));
    }
    const bool certificate =
        message.contains(QLatin1String("certificate verify failed"), Qt::CaseInsensitive) ||
        (message.contains(QLatin1String("certificate"), Qt::CaseInsensitive) &&
         (message.contains(QLatin1String("not trusted"), Qt::CaseInsensitive) ||
          message.contains(QLatin1String("untrusted"), Qt::CaseInsensitive)));
    if (certificate) {
        message += QStringLiteral(
            "\r\nThe server's certificate could not be verified. In the Database settings, "
            "TrustServerCertificate=yes accepts it unchecked (the connection stays encrypted, but a server "
            "posing as yours would not be noticed); Encrypt=no connects without encryption (anyone on the "
            "network can read the orders). Installing the server's certificate on this machine keeps both.");
    }
    return message;
}

void* odbcHandle(const QVariant& handle) {
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "SQLHANDLE") != 0 && qstrcmp(handle.typeName(), "void*") != 0)) {
        return nullptr;
    }
    return *static_cast<void* const*>(handle.constData());
}
