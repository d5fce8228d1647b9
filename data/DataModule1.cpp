#include "DataModule1.h"

#include "DbStatement.h"
#include "SettingsStore.h"
#include "TraceChannel.h"

#include <QtEndian>

namespace {

// A dword, or text holding a whole number of days; a missing value keeps the default.
int readArchiveDays(const SettingsKey& key) {
    const QString name = QStringLiteral("TicketArchiveDays");
    const std::optional<RegistryValue> v = key.value(name);
    constexpr int Default = 7;
    if (!v) {
        return Default;
    }
    bool ok = false;
    qint64 days = -1;
    if (v->type == RegDword && v->bytes.size() == 4) {
        days = qFromLittleEndian<quint32>(v->bytes.constData());
        ok = true;
    } else if (v->type == RegSz || v->type == RegExpandSz) {
        days = key.readString(name).trimmed().toLongLong(&ok);
    }
    if (!ok || days < 0 || days > 36500) {
        throw SettingsError(QStringLiteral("Invalid value for '%1'").arg(name));
    }
    return static_cast<int>(days);
}

} // namespace

void TDataModule1::bindOutletKey(DbStatement& statement) const {
    statement.setParameter(QStringLiteral("Customer_ID"), Customer_ID);
    statement.setParameter(QStringLiteral("Restaurant_ID"), Restaurant_ID);
    statement.setParameter(QStringLiteral("Outlet_ID"), Outlet_ID);
}

void TDataModule1::DataModuleCreate(const SettingsStore& store) {
    if (const auto key = store.openKey(QString::fromLatin1(ProgramSettingsKey))) {
        Customer_ID = key->readString(QStringLiteral("Customer_ID"));
        Restaurant_ID = key->readString(QStringLiteral("Restaurant_ID"));
        Outlet_ID = key->readString(QStringLiteral("Outlet_ID"));
        Restaurant_Name_PL = key->readString(QStringLiteral("Restaurant_Name_PL"));
        Outlet_Name_PL = key->readString(QStringLiteral("Outlet_Name_PL"));
    }

    QString userName;
    QString password;
    QString catalog;
    QString source;
    if (const auto key = store.openKey(QString::fromLatin1(DatabaseSettingsKey))) {
        userName = key->readString(QStringLiteral("UserName"));
        password = key->readString(QStringLiteral("Password"));
        catalog = key->readString(QStringLiteral("Catalog"));
        source = key->readString(QStringLiteral("Source"));
        // How a server is reached: optional, the driver's own defaults when absent.
        OdbcSettings odbc;
        odbc.driver = key->readString(QStringLiteral("OdbcDriver")).trimmed();
        odbc.encrypt = key->readString(QStringLiteral("Encrypt")).trimmed();
        odbc.trustServerCertificate = key->readString(QStringLiteral("TrustServerCertificate")).trimmed();
        odbc.validate();
        ADOConnection1.setOdbcSettings(odbc);
    }

    TraceChannel::instance().Send(QStringLiteral("Restaurant_Name_PL"), Restaurant_Name_PL);
    TraceChannel::instance().Send(QStringLiteral("Outlet_Name_PL"), Outlet_Name_PL);

    const QString computerName = qEnvironmentVariable("COMPUTERNAME");
    ConnectionStr = composeConnectionString(password, userName, catalog, source, computerName);
    ADOConnection1.setConnectionString(ConnectionStr);

    if (const auto key = store.openKey(QString::fromLatin1(ProgramSettingsKey))) {
        TicketArchiveDays = readArchiveDays(*key);
    }
}

QString composeConnectionString(const QString& password, const QString& userName, const QString& catalog,
                                const QString& source, const QString& computerName) {
    return QStringLiteral("Provider=SQLOLEDB.1;Password=") + password + QStringLiteral(";") +
           QStringLiteral("Persist Security Info=True;") + QStringLiteral("User ID=") + userName +
           QStringLiteral(";") + QStringLiteral("Initial Catalog=") + catalog + QStringLiteral(";") +
           QStringLiteral("Data Source=") + source + QStringLiteral(";") +
           QStringLiteral("Use Procedure for Prepare=1;") + QStringLiteral("Auto Translate=True;") +
           QStringLiteral("Packet Size=4096;") + QStringLiteral("Workstation ID=") + computerName +
           QStringLiteral("-Printing-Server;") + QStringLiteral("Use Encryption for Data=False;") +
           QStringLiteral("Tag with column collation when possible=False;");
}
