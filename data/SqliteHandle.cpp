#include "SqliteHandle.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>
#include <cstring>

sqlite3* sqliteHandle(const QSqlDatabase& db) {
    if (!db.isValid() || !db.driver()) {
        return nullptr;
    }
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || std::strcmp(v.typeName(), "sqlite3*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3* const*>(v.constData());
}

sqlite3_stmt* sqliteStatementHandle(const QSqlQuery& query) {
    const QSqlResult* result = query.result();
    if (!result) {
        return nullptr;
    }
    const QVariant v = result->handle();
    if (!v.isValid() || std::strcmp(v.typeName(), "sqlite3_stmt*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3_stmt* const*>(v.constData());
}
