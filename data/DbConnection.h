#pragma once

#include <QString>

// The one database connection of the program. It holds the connection string composed at start-up;
// nothing connects until the operator starts the server.
class DbConnection {
public:
    void setConnectionString(const QString& text) { connectionString_ = text; }
    const QString& connectionString() const { return connectionString_; }

private:
    QString connectionString_;
};
