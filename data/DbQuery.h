#pragma once

#include "DbStatement.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

// A statement that returns rows. Opening runs it and fetches the whole result at once, so the row count
// is exact and the rows do not change while they are walked; the result carries exactly the declared
// fields (other columns of a "Select *" are left out) with values converted to the declared kinds.
//
// Reading: first() / next() / eof() walk the rows from the first to the last (eof() is true at once for
// an empty result, and after next() on the last row, which stays current); recNo() / setRecNo() save and
// restore a position; value(name) gives the current row's value (an invalid QVariant for NULL or when
// there is no row), with isNull(name) and fieldKind(name) beside it. Field names are matched without
// regard to letter case; a name the query does not declare raises DatabaseError "Field '<name>' not
// found". A query result is never edited.
class DbQuery : public DbStatement {
public:
    using DbStatement::DbStatement;
    ~DbQuery() override;

    // Runs the statement with the parameters set and checks its fields: "Field '%s' not found" when a
    // declared field is missing, "Type mismatch for field '%s', expecting: %s actual: %s" when its column
    // is of another kind. The query stays closed when opening fails.
    void open();
    void close();
    bool isActive() const { return active_; }

    int recordCount() const { return static_cast<int>(rows_.size()); }
    void first();
    void next();
    bool eof() const { return eof_; }
    int recNo() const { return current_; } // 0-based; -1 when there is no row
    void setRecNo(int row);

    const std::vector<FieldDef>& fields() const { return definition().fields; }
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    FieldKind fieldKind(const QString& name) const;
    QVariant value(const QString& name) const;
    bool isNull(const QString& name) const;

    // Typed reads of the current row; NULL reads as empty text, 0, false or an invalid date and time.
    QString asString(const QString& name) const { return value(name).toString(); }
    qint64 asLargeInt(const QString& name) const { return value(name).toLongLong(); }
    int asInteger(const QString& name) const { return value(name).toInt(); }
    bool asBoolean(const QString& name) const { return value(name).toBool(); }
    QDateTime asDateTime(const QString& name) const { return value(name).toDateTime(); }

    // Told whenever the query opens (true) or closes (false). Returns the handler it replaces, so that a
    // reader that attaches for a while can chain to it and put it back.
    using StateHandler = std::function<void(bool active)>;
    StateHandler setStateHandler(StateHandler handler);

private:
    int fieldIndex(const QString& name) const;
    int requireField(const QString& name) const;
    void notify(bool active);

    std::vector<std::vector<QVariant>> rows_;
    int current_ = -1;
    bool eof_ = true;
    bool active_ = false;
    StateHandler stateHandler_;
};
