#include "DbStatement.h"

#include "DbConnection.h"
#include "DbErrors.h"
#include "SqlTextTranslation.h"
#include "StatementTimeout.h"

#include <QSqlError>

namespace {

bool isIntegral(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

QVariant nullOf(QMetaType::Type type) {
    return QVariant(QMetaType(type));
}

// 64-bit integers are always bound as qlonglong: a `long` would reach the ODBC driver as binary.
QVariant toBigInt(const QString& param, const QVariant& value) {
    if (isIntegral(value)) {
        return QVariant(value.toLongLong());
    }
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) {
        // The server converts an empty text to 0, which matches no row of any outlet.
        return QVariant(qlonglong(0));
    }
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok) {
        throw DatabaseError(
            QStringLiteral("Parameter '%1': '%2' is not a valid bigint value").arg(param, value.toString()));
    }
    return QVariant(number);
}

QVariant bindValue(const PositionalBinding& binding, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        switch (binding.conversion) {
        case ParamKind::BigInt:
            return nullOf(QMetaType::LongLong);
        case ParamKind::Bit:
            return nullOf(QMetaType::Bool);
        default:
            return nullOf(QMetaType::QString);
        }
    }
    switch (binding.conversion) {
    case ParamKind::BigInt:
        return toBigInt(binding.param, value);
    case ParamKind::Untyped:
        return isIntegral(value) && value.typeId() != QMetaType::Bool ? QVariant(value.toLongLong()) : value;
    case ParamKind::Text: {
        const QString text = value.toString();
        if (binding.size > 0 && text.size() > binding.size) {
            throw DatabaseError(
                QStringLiteral("Parameter '%1': the text has %2 characters, more than the %3 allowed")
                    .arg(binding.param)
                    .arg(text.size())
                    .arg(binding.size));
        }
        return QVariant(text);
    }
    case ParamKind::Bit:
        return QVariant(value.toBool());
    }
    return value;
}

} // namespace

DbStatement::DbStatement(StatementId id, DbConnection* connection)
    : def_(&statementDef(id)), connection_(connection) {}

void DbStatement::setParameter(const QString& name, const QVariant& value) {
    const ParamDef* param = def_->param(name);
    if (!param) {
        throw DatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
    }
    values_.insert(param->name.toLower(), value);
}

QVariant DbStatement::parameter(const QString& name) const {
    return values_.value(name.toLower());
}

QSqlQuery DbStatement::run() {
    if (!connection_) {
        throw DataAccessError(QStringLiteral("%1: Missing connection or connection string").arg(def_->name));
    }
    connection_->ensureOpen();
    const bool sqlite = connection_->dialect() == DbConnection::Dialect::Sqlite;
    const TranslatedText translated = sqlite ? translateForSqlite(*def_) : translateForSqlServer(*def_);

    QSqlQuery query(connection_->database());
    // A batch (declarations, then a select) cannot run in a server-side cursor; forward-only fetching is
    // enough since every result is fetched whole.
    query.setForwardOnly(true);
    if (!query.prepare(translated.sql)) {
        throw DatabaseError(databaseErrorMessage(query.lastError()));
    }
    if (!sqlite) {
        applyStatementTimeout(query);
    }
    for (const PositionalBinding& binding : translated.bindings) {
        query.addBindValue(bindValue(binding, values_.value(binding.param.toLower())));
    }
    if (!query.exec()) {
        throw DatabaseError(databaseErrorMessage(query.lastError()));
    }
    // The declarations of a batch may report results of their own before the select's.
    while (!sqlite && !query.isSelect() && query.nextResult()) {
    }
    return query;
}
