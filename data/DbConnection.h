#pragma once

#include "ConnectionTarget.h"

#include <QSqlDatabase>
#include <QString>

// The one database connection of the program. It holds the connection string composed at start-up and
// chooses its backend from it (see ConnectionTarget). It never prompts for a login. Errors are
// DataAccessError (the layer itself), DatabaseError (the database, the server, the network, a login)
// or ConnectionStringError.
class DbConnection {
public:
    DbConnection();
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    void setConnectionString(const QString& text) { connectionString_ = text; }
    const QString& connectionString() const { return connectionString_; }
    // The ODBC driver and encryption of a server connection (the settings' Database key).
    void setOdbcSettings(const OdbcSettings& settings) { odbc_ = settings; }
    const OdbcSettings& odbcSettings() const { return odbc_; }

    // Connects. An embedded database file must exist and be a database; a server is given 15 seconds to
    // accept the login.
    void open();
    // Rolls back a transaction that is still open, then disconnects. Closing a closed connection does
    // nothing.
    void close() noexcept;
    // What the connection object itself reports; the server is not asked.
    bool isOpen() const;
    // An embedded database still read through the file its path names: a file removed, or a restored copy
    // put in its place, raises DatabaseError naming the file (the open connection would go on reading the
    // old file unseen). Does nothing for a server or a closed connection.
    void requireFileInPlace() const;
    // A statement run while the connection is closed first opens it.
    void ensureOpen();

    ConnectionTarget::Backend backend() const { return backend_; }
    // The statement texts, transactions and outlet lock a database takes: the embedded one and an SQLite
    // database reached through ODBC take SQLite's, every other database SQL Server's. Known once open.
    enum class Dialect { SqlServer, Sqlite };
    Dialect dialect() const;
    // The database an ODBC connection reached, as its driver names it (empty for the embedded database).
    const QString& dbmsName() const { return dbmsName_; }
    QSqlDatabase database() const { return db_; }

    // Transactions are never nested: beginning one while one is open fails, and commit and roll-back
    // fail when none is open.
    void beginTrans();
    // A transaction that keeps other writers out of what it reads until it ends: they wait (up to the
    // statement time-out) instead of adding rows that the unit would then mark without having read them.
    // Embedded database: the write lock is taken at once; server: serializable isolation for this
    // transaction only.
    void beginExclusiveTrans();
    void commitTrans();
    void rollbackTrans();
    // How long a writer whose transaction just ended leaves the database alone before its next one, so
    // that other writers waiting for the lock get their turn: an embedded database keeps no queue of
    // writers (a waiting terminal polls for the lock, sleeping up to 100 ms between tries: a pause a little
    // longer than that always meets one of its tries), a server queues them itself (0).
    int writersTurnMs() const { return dialect() == Dialect::Sqlite ? 120 : 0; }
    // True while a transaction begun here is still open on the database (a failure that ended it on
    // the database side, such as a lost connection, makes this false).
    bool inTransaction() const;

    // Runs a script of several statements on an embedded database (schema set-up for the demo and the
    // tests). Not available on a server connection.
    void executeScript(const QString& script);

private:
    QString connectionName_;
    QString connectionString_;
    OdbcSettings odbc_;
    QSqlDatabase db_;
    ConnectionTarget::Backend backend_ = ConnectionTarget::Backend::SqlServer;
    QString dbmsName_;
    // The embedded database's path and the file it named when it was opened (device and inode).
    QString sqliteFile_;
    quint64 fileDevice_ = 0;
    quint64 fileInode_ = 0;
    bool transactionBegun_ = false;
    bool serializable_ = false;
    // An immediate transaction begun by statement over ODBC: it is also ended by statement, since the
    // driver's own commit knows only the transactions it began.
    bool statementTransaction_ = false;

    void endSerializable() noexcept;
};

// The message of a database error: the database's own words when it gave any, else the layer's.
class QSqlError;
QString databaseErrorMessage(const QSqlError& error);
