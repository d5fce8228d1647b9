#pragma once

#include <QString>

// Where the connection string leads. A "Data Source" that starts with "sqlite:" names an embedded
// database file (the demo and the tests); anything else is a SQL Server instance reached through ODBC.
struct ConnectionTarget {
    enum class Backend { Sqlite, SqlServer };

    Backend backend = Backend::SqlServer;
    QString sqliteFile;        // Sqlite: the path after "sqlite:"
    QString odbcConnectString; // SqlServer: the ODBC connection string, values quoted
};

// Reads the composed connection string as key=value pairs separated by ";" (keys without regard to case
// or surrounding blanks, values as they stand). A piece without "=" raises ConnectionStringError; an
// empty string raises DataAccessError. The ODBC driver's name comes from $VELORIA_ODBC_DRIVER (default
// "FreeTDS"); "Initial Catalog", "User ID", "Password" and "Workstation ID" become DATABASE, UID, PWD and
// WSID, with a UTF-8 client character set and a protocol version that carries nvarchar(max) and bigint.
ConnectionTarget parseConnectionTarget(const QString& connectionString);
