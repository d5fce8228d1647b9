#pragma once

#include <QString>
#include <stdexcept>

// A failure reported by the database: the server, the network, a login, a statement or a field check.
// Connecting sorts its failures into this class and the two below, each worded differently in the log.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A failure of the data access layer itself, before any server was asked: no connection string, a
// database driver that is not installed or cannot be loaded.
class DataAccessError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// A connection string that cannot be read as key=value pairs (for example a password holding ";" splits
// its property). Deliberately not a database error: nothing reached the database.
class ConnectionStringError : public std::runtime_error {
public:
    explicit ConnectionStringError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
