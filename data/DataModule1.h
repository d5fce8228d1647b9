#pragma once

#include "DbConnection.h"
#include "UpdateServiceSettings.h"

#include <QString>

class DbStatement;
class SettingsStore;

// Holds what identifies this installation (the outlet's key and names, read once at start-up) and the one
// database connection that the whole program shares.
class TDataModule1 {
public:
    // Reads the installation settings and composes the connection string, without connecting. A value of
    // a type other than text raises "Invalid data type for '<name>'" and leaves the rest unread and the
    // connection string unset. "TicketArchiveDays" (a dword or decimal text) is read last; a value that is
    // not a whole number of days raises "Invalid value for 'TicketArchiveDays'" and keeps 7.
    void DataModuleCreate(const SettingsStore& store);

    // The start-up update check: asks the maker's application web service whether this program's file
    // version is current and returns true when it is; otherwise the service's code and description are in
    // the two out parameters. Without a service address there is no check and the answer is true.
    // Raises FileVersionError or UpdateServiceError.
    bool CheckVersion(QString& Response_Code, QString& Response_Desc);

    // Every statement of the server and of the settings windows is scoped by the outlet this installation
    // serves: its three key parameters are bound here and nowhere else.
    void bindOutletKey(DbStatement& statement) const;

    DbConnection ADOConnection1;
    QString ConnectionStr;
    QString Customer_ID;
    QString Restaurant_ID;
    QString Outlet_ID;
    QString Restaurant_Name_PL;
    QString Outlet_Name_PL;
    // Days the printed tickets are kept (0: none are kept); "TicketArchiveDays" under the program's key.
    int TicketArchiveDays = 7;
    UpdateServiceSettings UpdateService;
};

// The connection string of the restaurant database, from the four credentials and the computer's name,
// exactly as the database provider expects it: values inserted unquoted, password before user name.
QString composeConnectionString(const QString& password, const QString& userName, const QString& catalog,
                                const QString& source, const QString& computerName);
