#include "OutletLock.h"

#include "ConnectionTarget.h"
#include "DbConnection.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace {

// An outlet key's parts are decimal texts, but a settings file may hold anything; percent-encoding keeps
// every part inside one file name and tells different keys apart.
QString keyPart(const QString& part) {
    return QString::fromLatin1(QUrl::toPercentEncoding(part));
}

QString outletName(const QString& customerId, const QString& restaurantId, const QString& outletId) {
    return keyPart(customerId) + QLatin1Char('-') + keyPart(restaurantId) + QLatin1Char('-') +
           keyPart(outletId);
}

// sp_getapplock's answers: 0 granted at once, 1 granted after a wait, -1 not granted in time.
constexpr int AppLockTimedOut = -1;

} // namespace

OutletLock::OutletLock() = default;

OutletLock::~OutletLock() {
    release();
}

QString OutletLock::heldElsewhereMessage() {
    return QStringLiteral("Another printing server is running for this outlet");
}

QString OutletLock::lockFilePath(const QString& databaseFile, const QString& customerId,
                                 const QString& restaurantId, const QString& outletId) {
    return QFileInfo(databaseFile).absoluteFilePath() + QStringLiteral(".outlet-") +
           outletName(customerId, restaurantId, outletId) + QStringLiteral(".lock");
}

std::optional<QString> OutletLock::acquire(DbConnection& connection, const QString& customerId,
                                           const QString& restaurantId, const QString& outletId) {
    release();
    const ConnectionTarget target =
        parseConnectionTarget(connection.connectionString(), connection.odbcSettings());
    if (target.backend == ConnectionTarget::Backend::Sqlite) {
        return acquireFile(lockFilePath(target.sqliteFile, customerId, restaurantId, outletId));
    }
    if (connection.dialect() == DbConnection::Dialect::Sqlite) {
        // A file database reached through its ODBC driver has no application locks: the lock file lies
        // beside the database file, as for the embedded one, so both ways of reaching it exclude each other.
        return acquireFile(lockFilePath(target.odbcCatalog, customerId, restaurantId, outletId));
    }
    return acquireApplicationLock(connection, QStringLiteral("Veloria Printing Server Outlet ") +
                                                  outletName(customerId, restaurantId, outletId));
}

std::optional<QString> OutletLock::acquireFile(const QString& path) {
    auto file = std::make_unique<QLockFile>(path);
    // A running server never refreshes its lock file, so age alone must not make it stale; a lock
    // left by a process that is gone is still recognised and taken over.
    file->setStaleLockTime(0);
    if (file->tryLock(0)) {
        file_ = std::move(file);
        return std::nullopt;
    }
    switch (file->error()) {
    case QLockFile::LockFailedError:
        return heldElsewhereMessage();
    case QLockFile::PermissionError:
        return QStringLiteral("The outlet lock file \"%1\" cannot be created: permission denied").arg(path);
    default:
        return QStringLiteral("The outlet lock file \"%1\" cannot be created").arg(path);
    }
}

std::optional<QString> OutletLock::acquireApplicationLock(DbConnection& connection, const QString& resource) {
    QSqlQuery query(connection.database());
    // A batch runs only on a forward-only statement.
    query.setForwardOnly(true);
    bool ran = query.prepare(QStringLiteral("SET NOCOUNT ON; DECLARE @r int; "
                                            "EXEC @r = sp_getapplock @Resource = ?, @LockMode = 'Exclusive', "
                                            "@LockOwner = 'Session', @LockTimeout = 0; SELECT @r"));
    if (ran) {
        query.addBindValue(resource);
        ran = query.exec() && query.next();
    }
    if (!ran) {
        return QStringLiteral("The outlet lock cannot be taken: ") + databaseErrorMessage(query.lastError());
    }
    const int result = query.value(0).toInt();
    query.finish();
    if (result == AppLockTimedOut) {
        return heldElsewhereMessage();
    }
    if (result < 0) {
        return QStringLiteral("The outlet lock cannot be taken: the server answered %1").arg(result);
    }
    session_ = &connection;
    resource_ = resource;
    return std::nullopt;
}

void OutletLock::release() noexcept {
    try {
        if (file_) {
            file_->unlock();
            file_.reset();
        }
        if (session_) {
            DbConnection* session = session_;
            session_ = nullptr;
            // A lost session has taken its lock with it; only a live one is asked to let go.
            if (session->isOpen()) {
                QSqlQuery query(session->database());
                query.setForwardOnly(true);
                if (query.prepare(
                        QStringLiteral("EXEC sp_releaseapplock @Resource = ?, @LockOwner = 'Session'"))) {
                    query.addBindValue(resource_);
                    query.exec();
                }
            }
        }
    } catch (...) {
        // Releasing is on the way out of every failure; closing the session releases the lock anyway.
    }
}

bool OutletLock::isHeld() const {
    return file_ != nullptr || session_ != nullptr;
}
