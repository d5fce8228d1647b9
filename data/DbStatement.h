#pragma once

#include "StatementCatalogue.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

class DbConnection;

// What queries and commands share: one statement of the catalogue, bound to the shared connection, with
// its parameters set by name. Running it while the connection is closed opens the connection.
class DbStatement {
public:
    explicit DbStatement(StatementId id, DbConnection* connection = nullptr);
    DbStatement(const DbStatement&) = delete;
    DbStatement& operator=(const DbStatement&) = delete;
    virtual ~DbStatement() = default;

    void setConnection(DbConnection* connection) { connection_ = connection; }
    DbConnection* connection() const { return connection_; }
    const StatementDef& definition() const { return *def_; }

    // Sets a parameter by its name (letter case ignored). The value is converted by the parameter's kind
    // when the statement runs: bigint takes an integer or its decimal text, text(N) at most N
    // characters, bit a boolean; an invalid QVariant binds NULL. A name the statement does not have
    // raises DatabaseError "Parameter '<name>' not found".
    void setParameter(const QString& name, const QVariant& value);
    QVariant parameter(const QString& name) const;

protected:
    // Prepares the text for the connection's backend, binds the parameters in marker order and executes.
    // Raises DatabaseError with the database's message on any failure.
    QSqlQuery run();

private:
    const StatementDef* def_;
    DbConnection* connection_;
    QHash<QString, QVariant> values_; // by lower-case name
};
