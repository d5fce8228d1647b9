#include "StatementTimeout.h"

#include "DbErrors.h"

#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>
#include <sql.h>
#include <sqlext.h>

void applyStatementTimeout(QSqlQuery& prepared) {
    const QSqlResult* result = prepared.result();
    const QVariant handle = result != nullptr ? result->handle() : QVariant();
    // Qt 6 hands the statement's ODBC handle out as a void* (SQLHANDLE's type); the embedded database's
    // statements have a handle of their own type and are left to the connection's busy time-out.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "SQLHANDLE") != 0 && qstrcmp(handle.typeName(), "void*") != 0)) {
        return;
    }
    SQLHANDLE statement = *static_cast<const SQLHANDLE*>(handle.constData());
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
