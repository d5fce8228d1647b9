#pragma once

#include <QString>
#include <memory>
#include <optional>

class DbConnection;
class QLockFile;

// Keeps a second printing server from serving the same outlet, which would print every ticket twice.
// On a server database the lock is an application lock owned by the connection's session; on an
// embedded database it is a lock file beside the database file. Either way a crashed server's lock goes
// with its connection or its process.
class OutletLock {
public:
    OutletLock();
    ~OutletLock();
    OutletLock(const OutletLock&) = delete;
    OutletLock& operator=(const OutletLock&) = delete;

    // Takes the outlet's lock on the open connection, without waiting. Gives nothing when the lock is
    // now held here, else the log line that says why not ("Another printing server is running for this
    // outlet" when another server holds it). A lock held here already is given up first.
    std::optional<QString> acquire(DbConnection& connection, const QString& customerId,
                                   const QString& restaurantId, const QString& outletId);
    // Gives the lock up; nothing when none is held. Never raises: Stop runs it on the way out of failures.
    void release() noexcept;
    bool isHeld() const;

    // The log line of a lock held by another server.
    static QString heldElsewhereMessage();
    // The lock file of an outlet on an embedded database: beside the database file, named after the
    // outlet's key.
    static QString lockFilePath(const QString& databaseFile, const QString& customerId,
                                const QString& restaurantId, const QString& outletId);

private:
    std::optional<QString> acquireFile(const QString& path);
    std::optional<QString> acquireApplicationLock(DbConnection& connection, const QString& resource);

    std::unique_ptr<QLockFile> file_;
    DbConnection* session_ = nullptr;
    QString resource_;
};
