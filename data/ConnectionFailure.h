#pragma once

#include <QString>
#include <exception>
#include <functional>

class DbConnection;

// The operator's log line for a failed connect, by the class of the failure, first match wins:
// "ADO Database Connection Error\r\n" for a failure of the data access layer itself, "General Database
// Connection Error \r\n" for any other database failure (server, network, login, file), "Error
// Connecting to Database\r\n" for anything else; each followed by the failure's message.
QString connectionFailureLogLine(std::exception_ptr failure);

// Opens the connection unless it already reports itself open. On failure writes exactly one line of the
// kinds above to `log`, leaves the connection closed and returns false; nothing escapes.
bool connectLogged(DbConnection& connection, const std::function<void(const QString&)>& log);
