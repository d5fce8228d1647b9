#pragma once

#include "DbConnection.h"

#include <QString>

class SettingsStore;

// Holds what identifies this installation (the outlet's key and names, read once at start-up) and the one
// database connection that the whole program shares.
class TDataModule1 {
public:
    // Reads the installation settings and composes the connection string, without connecting. A value of
    // a type other than text raises "Invalid data type for '<name>'" and leaves the rest unread and the
    // connection string unset.
    void DataModuleCreate(const SettingsStore& store);

    DbConnection ADOConnection1;
    QString ConnectionStr;
    QString Customer_ID;
    QString Restaurant_ID;
    QString Outlet_ID;
    QString Restaurant_Name_PL;
    QString Outlet_Name_PL;
};

// The connection string of the restaurant database, from the four credentials and the computer's name,
// exactly as the database provider expects it: values inserted unquoted, password before user name.
QString composeConnectionString(const QString& password, const QString& userName, const QString& catalog,
                                const QString& source, const QString& computerName);
