#include "DbQuery.h"

#include "ColumnKind.h"
#include "DbConnection.h"
#include "DbErrors.h"
#include "SqliteHandle.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

QString typeMismatch(const FieldDef& field, const ColumnKind& column) {
    return QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
        .arg(field.name, fieldKindName(field.kind, field.size), column.name);
}

} // namespace

DbQuery::~DbQuery() = default;

void DbQuery::open() {
    close();
    QSqlQuery query = run();
    const QSqlRecord record = query.record();
    const std::vector<FieldDef>& declared = fields();

    std::vector<int> columns;
    std::vector<ColumnKind> kinds;
    // SQLite through its ODBC driver, which hands computed numbers over as text.
    const bool sqliteThroughOdbc = connection()->backend() != ConnectionTarget::Backend::Sqlite &&
                                   connection()->dialect() == DbConnection::Dialect::Sqlite;
    sqlite3_stmt* statement = sqliteStatementHandle(query);
    for (const FieldDef& field : declared) {
        const int column = record.indexOf(field.name);
        if (column < 0) {
            throw DatabaseError(QStringLiteral("Field '%1' not found").arg(field.name));
        }
        ColumnKind kind =
            connection()->backend() == ConnectionTarget::Backend::Sqlite
                ? sqliteColumnKind(statement ? sqlite3_column_decltype(statement, column) : nullptr)
                : odbcColumnKind(record.field(column).typeID(), sqliteThroughOdbc);
        if (kind.source == ColumnKind::Source::Declared && !kind.fits(field.kind)) {
            throw DatabaseError(typeMismatch(field, kind));
        }
        columns.push_back(column);
        kinds.push_back(kind);
    }

    std::vector<std::vector<QVariant>> rows;
    while (query.next()) {
        std::vector<QVariant> row;
        row.reserve(declared.size());
        for (std::size_t i = 0; i < declared.size(); ++i) {
            const QVariant raw = query.value(columns[i]);
            // A computed column has no declared type; its values must fit the field all the same.
            if (kinds[i].source == ColumnKind::Source::Expression) {
                const ColumnKind seen = expressionValueKind(raw);
                const bool fits = sqliteThroughOdbc ? sqliteOdbcValueFits(raw, declared[i].kind)
                                                    : seen.fits(declared[i].kind);
                if (!fits) {
                    throw DatabaseError(typeMismatch(declared[i], seen));
                }
            }
            row.push_back(toFieldValue(declared[i], raw));
        }
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid()) {
        throw DatabaseError(databaseErrorMessage(query.lastError()));
    }
    query.finish();

    rows_ = std::move(rows);
    active_ = true;
    first();
    notify(true);
}

void DbQuery::close() {
    const bool wasActive = active_;
    rows_.clear();
    current_ = -1;
    eof_ = true;
    active_ = false;
    if (wasActive) {
        notify(false);
    }
}

void DbQuery::first() {
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
}

void DbQuery::next() {
    if (current_ + 1 < recordCount()) {
        ++current_;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void DbQuery::setRecNo(int row) {
    if (row < 0 || row >= recordCount()) {
        first();
        return;
    }
    current_ = row;
    eof_ = false;
}

int DbQuery::fieldIndex(const QString& name) const {
    const std::vector<FieldDef>& declared = fields();
    for (std::size_t i = 0; i < declared.size(); ++i) {
        if (declared[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DbQuery::requireField(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0) {
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    }
    return index;
}

FieldKind DbQuery::fieldKind(const QString& name) const {
    return fields()[static_cast<std::size_t>(requireField(name))].kind;
}

QVariant DbQuery::value(const QString& name) const {
    const int index = requireField(name);
    if (current_ < 0) {
        return {};
    }
    return rows_[static_cast<std::size_t>(current_)][static_cast<std::size_t>(index)];
}

bool DbQuery::isNull(const QString& name) const {
    const QVariant v = value(name);
    return !v.isValid() || v.isNull();
}

DbQuery::StateHandler DbQuery::setStateHandler(StateHandler handler) {
    StateHandler previous = std::move(stateHandler_);
    stateHandler_ = std::move(handler);
    return previous;
}

void DbQuery::notify(bool active) {
    if (stateHandler_) {
        stateHandler_(active);
    }
}
