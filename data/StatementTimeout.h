#pragma once

class QSqlQuery;

// How long one statement may run, lock waits included, before it fails with an error: a row locked by a
// terminal must not freeze the print server for good.
constexpr int StatementTimeoutSeconds = 30;

// Gives a prepared server statement the time-out (the server's driver cancels it when it runs out).
// Statements of the embedded database wait through the connection's busy time-out instead.
void applyStatementTimeout(QSqlQuery& prepared);
