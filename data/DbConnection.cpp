#include "DbConnection.h"

#include "DbErrors.h"
#include "OdbcDriver.h"
#include "SqliteHandle.h"
#include "StatementTimeout.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sql.h>
#include <sqlext.h>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

QString uniqueConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("veloria-connection-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The ODBC driver manager speaks for the client side: a driver that is not installed or cannot load.
bool isDriverManagerError(const QString& message) {
    return message.contains(QLatin1String("[Driver Manager]"), Qt::CaseInsensitive);
}

// The database behind an ODBC connection, as its driver names it (SQL_DBMS_NAME): "Microsoft SQL Server",
// "SQLite", ...
QString odbcDbmsName(const QSqlDatabase& db) {
    SQLHANDLE connection = odbcHandle(db.driver() != nullptr ? db.driver()->handle() : QVariant());
    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    if (connection == nullptr ||
        !SQL_SUCCEEDED(SQLGetInfo(connection, SQL_DBMS_NAME, name, sizeof name, &length))) {
        return {};
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(name));
}

// The device and inode of the file a path names now; false when it names none.
bool fileIdentity(const QString& path, quint64* device, quint64* inode) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return false;
    }
    *device = static_cast<quint64>(status.st_dev);
    *inode = static_cast<quint64>(status.st_ino);
    return true;
}

} // namespace

QString databaseErrorMessage(const QSqlError& error) {
    const QString own = error.databaseText().trimmed();
    return own.isEmpty() ? error.text().trimmed() : own;
}

DbConnection::DbConnection() : connectionName_(uniqueConnectionName()) {}

DbConnection::~DbConnection() {
    close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

bool DbConnection::isOpen() const {
    return db_.isValid() && db_.isOpen();
}

void DbConnection::requireFileInPlace() const {
    if (backend_ != ConnectionTarget::Backend::Sqlite || !isOpen()) {
        return;
    }
    quint64 device = 0;
    quint64 inode = 0;
    if (!fileIdentity(sqliteFile_, &device, &inode) || device != fileDevice_ || inode != fileInode_) {
        throw DatabaseError(
            QStringLiteral("The database file \"%1\" was removed or replaced").arg(sqliteFile_));
    }
}

void DbConnection::ensureOpen() {
    if (!isOpen()) {
        open();
    }
}

void DbConnection::open() {
    if (isOpen()) {
        return;
    }
    const ConnectionTarget target = parseConnectionTarget(connectionString_, odbc_);
    const bool sqlite = target.backend == ConnectionTarget::Backend::Sqlite;
    const QString driver = sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QODBC");
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        throw DataAccessError(QStringLiteral("The database driver %1 is not installed").arg(driver));
    }
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::removeDatabase(connectionName_);
    }
    db_ = QSqlDatabase::addDatabase(driver, connectionName_);
    transactionBegun_ = false;
    backend_ = target.backend;
    dbmsName_.clear();

    if (sqlite) {
        // The embedded driver would quietly create a missing file; a missing database is a failure.
        const QFileInfo file(target.sqliteFile);
        if (!target.sqliteFile.isEmpty() && file.isDir()) {
            throw DatabaseError(
                QStringLiteral("Cannot open database \"%1\": it is a directory").arg(target.sqliteFile));
        }
        if (target.sqliteFile.isEmpty() || !file.isFile()) {
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": the file does not exist")
                                    .arg(target.sqliteFile));
        }
        if (!fileIdentity(target.sqliteFile, &fileDevice_, &fileInode_)) {
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": the file does not exist")
                                    .arg(target.sqliteFile));
        }
        sqliteFile_ = target.sqliteFile;
        db_.setDatabaseName(target.sqliteFile);
        // A writer that holds the database waits this long before a statement gives up.
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(StatementTimeoutSeconds * 1000));
        if (!db_.open()) {
            throw DatabaseError(QStringLiteral("Cannot open database \"%1\": %2")
                                    .arg(target.sqliteFile, databaseErrorMessage(db_.lastError())));
        }
        // Opening does not read the file; the first read tells a database from any other file.
        QSqlQuery probe(db_);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QString reason = databaseErrorMessage(probe.lastError());
            probe = QSqlQuery();
            db_.close();
            throw DatabaseError(
                QStringLiteral("Cannot open database \"%1\": %2").arg(target.sqliteFile, reason));
        }
        return;
    }

    db_.setDatabaseName(target.odbcConnectString);
    // Without a login time-out a server that accepts the connection but never answers blocks for ever.
    db_.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=15"));
    if (!db_.open()) {
        // Whatever the driver says, the password never reaches a log line.
        const QString message =
            odbcConnectionMessage(databaseErrorMessage(db_.lastError()), target.odbcPassword);
        if (isDriverManagerError(message)) {
            throw DataAccessError(message + QStringLiteral("\r\nThe ODBC driver \"%1\" cannot be loaded; "
                                                           "`odbcinst -q -d` lists the installed drivers")
                                                .arg(target.odbcDriver));
        }
        throw DatabaseError(message);
    }
    dbmsName_ = odbcDbmsName(db_);
    if (!dbmsName_.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive)) {
        return; // another database behind the driver: it has no lock time-out of SQL Server's kind
    }
    // Lock waits end after the statement time-out on the server too, whatever the statement's own limit.
    QSqlQuery lockTimeout(db_);
    if (!lockTimeout.exec(QStringLiteral("SET LOCK_TIMEOUT %1").arg(StatementTimeoutSeconds * 1000))) {
        const QString reason = databaseErrorMessage(lockTimeout.lastError());
        lockTimeout = QSqlQuery();
        db_.close();
        throw DatabaseError(reason);
    }
}

void DbConnection::close() noexcept {
    try {
        if (!isOpen()) {
            return;
        }
        // A server refuses to disconnect in the middle of a transaction; end it first.
        if (inTransaction()) {
            if (statementTransaction_) {
                QSqlQuery rollback(db_);
                rollback.exec(QStringLiteral("ROLLBACK"));
            } else {
                db_.rollback();
            }
        }
        transactionBegun_ = false;
        statementTransaction_ = false;
        serializable_ = false;
        db_.close();
    } catch (...) {
        // Closing is the way out of every failure; it must not add one of its own.
    }
}

DbConnection::Dialect DbConnection::dialect() const {
    if (backend_ == ConnectionTarget::Backend::Sqlite ||
        dbmsName_.contains(QLatin1String("SQLite"), Qt::CaseInsensitive)) {
        return Dialect::Sqlite;
    }
    return Dialect::SqlServer;
}

bool DbConnection::inTransaction() const {
    if (!transactionBegun_ || !isOpen()) {
        return false;
    }
    if (backend_ == ConnectionTarget::Backend::Sqlite) {
        if (sqlite3* handle = sqliteHandle(db_)) {
            return sqlite3_get_autocommit(handle) == 0;
        }
    }
    return true;
}

void DbConnection::beginTrans() {
    ensureOpen();
    if (inTransaction()) {
        throw DatabaseError(QStringLiteral("A transaction is already open; transactions cannot be nested"));
    }
    if (!db_.transaction()) {
        throw DatabaseError(databaseErrorMessage(db_.lastError()));
    }
    transactionBegun_ = true;
}

void DbConnection::beginExclusiveTrans() {
    ensureOpen();
    if (inTransaction()) {
        throw DatabaseError(QStringLiteral("A transaction is already open; transactions cannot be nested"));
    }
    if (dialect() == Dialect::Sqlite) {
        // The driver's own begin is deferred: it takes no lock until the first write.
        QSqlQuery begin(db_);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
            throw DatabaseError(databaseErrorMessage(begin.lastError()));
        }
        transactionBegun_ = true;
        statementTransaction_ = backend_ != ConnectionTarget::Backend::Sqlite;
        return;
    }
    QSqlQuery isolation(db_);
    if (!isolation.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL SERIALIZABLE"))) {
        throw DatabaseError(databaseErrorMessage(isolation.lastError()));
    }
    serializable_ = true;
    if (!db_.transaction()) {
        const QString message = databaseErrorMessage(db_.lastError());
        endSerializable();
        throw DatabaseError(message);
    }
    transactionBegun_ = true;
}

void DbConnection::endSerializable() noexcept {
    if (!serializable_) {
        return;
    }
    serializable_ = false;
    if (isOpen()) {
        QSqlQuery isolation(db_);
        isolation.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL READ COMMITTED"));
    }
}

void DbConnection::commitTrans() {
    if (!inTransaction()) {
        transactionBegun_ = false;
        throw DatabaseError(QStringLiteral("No transaction is open"));
    }
    if (statementTransaction_) {
        QSqlQuery commit(db_);
        if (!commit.exec(QStringLiteral("COMMIT"))) {
            throw DatabaseError(databaseErrorMessage(commit.lastError()));
        }
        statementTransaction_ = false;
        transactionBegun_ = false;
        return;
    }
    if (!db_.commit()) {
        const QString message = databaseErrorMessage(db_.lastError());
        throw DatabaseError(message);
    }
    transactionBegun_ = false;
    endSerializable();
}

void DbConnection::rollbackTrans() {
    if (!inTransaction()) {
        transactionBegun_ = false;
        throw DatabaseError(QStringLiteral("No transaction is open"));
    }
    bool done = false;
    if (statementTransaction_) {
        QSqlQuery rollback(db_);
        done = rollback.exec(QStringLiteral("ROLLBACK"));
        statementTransaction_ = false;
        transactionBegun_ = false;
        if (!done) {
            throw DatabaseError(databaseErrorMessage(rollback.lastError()));
        }
        return;
    }
    done = db_.rollback();
    transactionBegun_ = false;
    endSerializable();
    if (!done) {
        throw DatabaseError(databaseErrorMessage(db_.lastError()));
    }
}

void DbConnection::executeScript(const QString& script) {
    ensureOpen();
    sqlite3* handle = backend_ == ConnectionTarget::Backend::Sqlite ? sqliteHandle(db_) : nullptr;
    if (!handle) {
        throw DataAccessError(QStringLiteral("Scripts run only on an embedded database"));
    }
    char* error = nullptr;
    const QByteArray utf8 = script.toUtf8();
    if (sqlite3_exec(handle, utf8.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QStringLiteral("The script failed");
        sqlite3_free(error);
        throw DatabaseError(message);
    }
}
