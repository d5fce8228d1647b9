#include "OutletLock.h"

#include "TestDatabase.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct Key {
    const char* customer;
    const char* restaurant;
    const char* outlet;
};

std::optional<QString> take(OutletLock& lock, DbConnection& connection, const Key& key) {
    return lock.acquire(connection, QString::fromLatin1(key.customer), QString::fromLatin1(key.restaurant),
                        QString::fromLatin1(key.outlet));
}

} // namespace

// The lock file sits beside the database, one per outlet key: keys whose parts run together differently
// are different outlets.
TEST(OutletLockTest, OneLockFilePerOutletBesideTheDatabase) {
    TestDatabase db;
    DbConnection first;
    first.setConnectionString(db.connectionString());
    first.open();
    DbConnection second;
    second.setConnectionString(db.connectionString());
    second.open();

    OutletLock held;
    ASSERT_EQ(take(held, first, {"1", "12", "3"}), std::nullopt);
    const QString file = OutletLock::lockFilePath(db.filePath(), QStringLiteral("1"), QStringLiteral("12"),
                                                  QStringLiteral("3"));
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(db.filePath()).absolutePath());
    EXPECT_TRUE(QFileInfo::exists(file));

    struct Case {
        const char* why;
        Key key;
        bool taken;
    };
    const Case cases[] = {
        {"the same outlet", {"1", "12", "3"}, false},
        {"another outlet", {"1", "12", "4"}, true},
        {"the same digits split otherwise", {"11", "2", "3"}, true},
        {"a separator inside a part", {"1-12", "", "3"}, true},
        {"a path separator inside a part", {"1/12", "3", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        OutletLock lock;
        const std::optional<QString> refusal = take(lock, second, c.key);
        if (c.taken) {
            EXPECT_EQ(refusal, std::nullopt);
            EXPECT_TRUE(lock.isHeld());
        } else {
            EXPECT_EQ(refusal, QStringLiteral("Another printing server is running for this outlet"));
            EXPECT_FALSE(lock.isHeld());
        }
    }

    held.release();
    EXPECT_FALSE(held.isHeld());
    EXPECT_FALSE(QFileInfo::exists(file));
    OutletLock next;
    EXPECT_EQ(take(next, second, {"1", "12", "3"}), std::nullopt);
}
