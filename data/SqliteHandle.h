#pragma once

struct sqlite3;
struct sqlite3_stmt;
class QSqlDatabase;
class QSqlQuery;

// The embedded database's own handles behind Qt's driver, for what the driver does not expose: the
// declared column types and whether a transaction is still open. Null when not available.
sqlite3* sqliteHandle(const QSqlDatabase& db);
sqlite3_stmt* sqliteStatementHandle(const QSqlQuery& query);
