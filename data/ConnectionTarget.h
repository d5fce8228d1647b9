#pragma once

#include "OdbcDriver.h"

#include <QString>
#include <QStringList>
#include <functional>

// Where the connection string leads. A "Data Source" that starts with "sqlite:" names an embedded
// database file (the demo and the tests); anything else is a SQL Server instance reached through ODBC.
struct ConnectionTarget {
    enum class Backend { Sqlite, SqlServer };

    Backend backend = Backend::SqlServer;
    QString sqliteFile;        // Sqlite: the path after "sqlite:"
    QString odbcDriver;        // SqlServer: the ODBC driver's name
    QString odbcConnectString; // SqlServer: the ODBC connection string, values quoted
    QString odbcPassword;      // SqlServer: the password in it, to be masked in messages
    QString odbcCatalog; // SqlServer: the catalog ("Initial Catalog"); a file for a file database's driver
};

// Reads the composed connection string as key=value pairs separated by ";" (keys without regard to case
// or surrounding blanks, values as they stand). A piece without "=" raises ConnectionStringError; an
// empty string raises DataAccessError. A server is reached through the ODBC driver chooseOdbcDriver picks
// (from $VELORIA_ODBC_DRIVER, `odbc.driver` or the installed drivers), with a connection string in that
// driver's keywords: "Data Source" becomes the server, "Initial Catalog", "User ID", "Password" and
// "Workstation ID" DATABASE, UID, PWD and WSID; FreeTDS gets the port apart, a UTF-8 client character set
// and a protocol version that carries nvarchar(max) and bigint; Microsoft's drivers get the server as
// given ("host", "host,port", "host\instance"). The encryption settings go to the drivers that have
// them (Microsoft's: Encrypt and TrustServerCertificate; FreeTDS: Encryption).
ConnectionTarget parseConnectionTarget(const QString& connectionString, const OdbcSettings& odbc = {});
// The same with the installed ODBC drivers read by `installedDrivers` (when they are needed).
ConnectionTarget parseConnectionTarget(const QString& connectionString, const OdbcSettings& odbc,
                                       const std::function<QStringList()>& installedDrivers);
