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
    if (!handle.isValid() || qstrcmp(handle.typeName(), "SQLHANDLE") != 0) {
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
