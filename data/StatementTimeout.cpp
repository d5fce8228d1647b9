#include "StatementTimeout.h"

#include "DbErrors.h"
#include "OdbcDriver.h"

#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>
#include <sql.h>
#include <sqlext.h>

void applyStatementTimeout(QSqlQuery& prepared) {
    const QSqlResult* result = prepared.result();
    // Statements of the embedded database have no ODBC handle and are left to the connection's busy
    // time-out.
    SQLHANDLE statement = odbcHandle(result != nullptr ? result->handle() : QVariant());
    if (statement == nullptr) {
        return;
    }
    const auto seconds = static_cast<SQLULEN>(StatementTimeoutSeconds);
    const SQLRETURN r =
        SQLSetStmtAttr(statement, SQL_ATTR_QUERY_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(seconds), // NOLINT: ODBC passes integers so
                       0);
    if (!SQL_SUCCEEDED(r)) {
        throw DataAccessError(QStringLiteral("The statement time-out cannot be set"));
    }
}
