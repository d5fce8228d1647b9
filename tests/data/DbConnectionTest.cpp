#include "ConnectionFailure.h"
#include "DataModule1.h"
#include "DbCommand.h"
#include "DbErrors.h"
#include "DbQuery.h"
#include "SqliteHandle.h"
#include "TestDatabase.h"
#include "Transaction.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString sqliteConnectionString(const QString& file) {
    return composeConnectionString(QString(), QString(), QString(), QStringLiteral("sqlite:") + file,
                                   QStringLiteral("TEST"));
}

std::string openFailure(DbConnection& c) {
    try {
        c.open();
    } catch (const DatabaseError& e) {
        return e.what();
    }
    return "opened";
}

void setKey(DbStatement& s, const QString& c = QStringLiteral("1"), const QString& r = QStringLiteral("1"),
            const QString& o = QStringLiteral("1")) {
    s.setParameter(QStringLiteral("Customer_ID"), c);
    s.setParameter(QStringLiteral("Restaurant_ID"), r);
    s.setParameter(QStringLiteral("Outlet_ID"), o);
}

std::string openMessage(DbQuery& q) {
    try {
        q.open();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "opened";
}

class DbConnectionTest : public ::testing::Test {
protected:
    void SetUp() override { connection.setConnectionString(db.connectionString()); }

    TestDatabase db;
    DbConnection connection;
};

} // namespace

TEST(ConnectionFailureLine, ClassesInOrderFirstMatchWins) {
    EXPECT_EQ(connectionFailureLogLine(std::make_exception_ptr(DataAccessError(QStringLiteral("no driver")))),
              QStringLiteral("ADO Database Connection Error\r\nno driver"));
    EXPECT_EQ(
        connectionFailureLogLine(std::make_exception_ptr(DatabaseError(QStringLiteral("login failed")))),
        QStringLiteral("General Database Connection Error \r\nlogin failed"));
    EXPECT_EQ(connectionFailureLogLine(std::make_exception_ptr(ConnectionStringError(QStringLiteral("bad")))),
              QStringLiteral("Error Connecting to Database\r\nbad"));
    EXPECT_EQ(connectionFailureLogLine(std::make_exception_ptr(42)),
              QStringLiteral("Error Connecting to Database\r\nUnknown error"));
}

TEST(DbConnectionFiles, MissingOrForeignFilesFailToConnectAndAreLeftAlone) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nowhere.db"));
    const QString foreign = dir.filePath(QStringLiteral("notes.txt"));
    QFile f(foreign);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray text =
        QByteArray("This is a plain text file and no database at all, long enough for a header.\n")
            .repeated(4);
    f.write(text);
    f.close();

    DbConnection c;
    c.setConnectionString(sqliteConnectionString(missing));
    EXPECT_EQ(openFailure(c),
              "Cannot open database \"" + missing.toStdString() + "\": the file does not exist");
    EXPECT_FALSE(c.isOpen());
    EXPECT_FALSE(QFileInfo::exists(missing)) << "connecting must not create the database";

    c.setConnectionString(sqliteConnectionString(dir.path()));
    EXPECT_EQ(openFailure(c), "Cannot open database \"" + dir.path().toStdString() + "\": it is a directory");
    EXPECT_FALSE(c.isOpen());

    c.setConnectionString(sqliteConnectionString(foreign));
    EXPECT_EQ(openFailure(c),
              "Cannot open database \"" + foreign.toStdString() + "\": file is not a database");
    EXPECT_FALSE(c.isOpen());
    EXPECT_EQ(QFileInfo(foreign).size(), text.size());

    // Through the logged connect: one "General" line, connection closed, false.
    QStringList log;
    EXPECT_FALSE(connectLogged(c, [&](const QString& line) { log << line; }));
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(
        log[0].startsWith(QStringLiteral("General Database Connection Error \r\nCannot open database")));

    // A password with ";" never reaches the database: the third class.
    // The log names the property and shows no part of the password.
    c.setConnectionString(composeConnectionString(QStringLiteral("se;cret"), QString(), QString(),
                                                  QStringLiteral("sqlite:") + missing, QString()));
    log.clear();
    EXPECT_FALSE(connectLogged(c, [&](const QString& line) { log << line; }));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0],
              QStringLiteral("Error Connecting to Database\r\nThe connection string is malformed: the "
                             "value of \"Password\" holds \";\""));
}

TEST_F(DbConnectionTest, AStatementOpensAClosedConnectionWhichThenStaysOpen) {
    db.exec(QStringLiteral(
        "INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) VALUES (1,1,1,7);"));
    ASSERT_FALSE(connection.isOpen());
    DbQuery q(StatementId::ReadyToPrintQ, &connection);
    setKey(q);
    q.open();
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.value(QStringLiteral("master_id")), QVariant(qlonglong(7)));
    EXPECT_TRUE(connectLogged(connection, [](const QString&) { FAIL() << "nothing to log"; }));
}

TEST_F(DbConnectionTest, TransactionsAreNeverNestedAndEndOnlyWhenOpen) {
    EXPECT_THROW(connection.commitTrans(), DatabaseError);
    EXPECT_THROW(connection.rollbackTrans(), DatabaseError);
    connection.beginTrans();
    EXPECT_TRUE(connection.inTransaction());
    EXPECT_THROW(connection.beginTrans(), DatabaseError);
    EXPECT_TRUE(connection.inTransaction());
    connection.commitTrans();
    EXPECT_FALSE(connection.inTransaction());
}

// An exclusive unit keeps other writers out from its start (a deferred transaction would let them in until
// its first write); a writer that waits gets in once the unit has ended, within the statement time-out.
TEST_F(DbConnectionTest, AnExclusiveUnitMakesOtherWritersWaitUntilItEnds) {
    connection.beginExclusiveTrans();
    EXPECT_TRUE(connection.inTransaction());
    EXPECT_THROW(connection.beginExclusiveTrans(), DatabaseError);

    DbConnection terminal;
    terminal.setConnectionString(db.connectionString());
    terminal.open();
    sqlite3* handle = sqliteHandle(terminal.database());
    ASSERT_NE(handle, nullptr);
    sqlite3_busy_timeout(handle, 0); // a terminal that does not wait at all is refused now
    EXPECT_EQ(sqlite3_exec(handle,
                           "INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) "
                           "VALUES (1, 1, 1, 9)",
                           nullptr, nullptr, nullptr),
              SQLITE_BUSY);
    connection.commitTrans();
    EXPECT_EQ(sqlite3_exec(handle,
                           "INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) "
                           "VALUES (1, 1, 1, 9)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_busy_timeout(handle, 30000), SQLITE_OK);
}

TEST_F(DbConnectionTest, AFailedUnitOfWorkLeavesNothingHalfWritten) {
    db.exec(QStringLiteral(
        "INSERT INTO OrdersMaster (Customer_ID, Restaurant_ID, Outlet_ID, Order_Seq, Open_DateTime) "
        "VALUES (1,1,1,1,'2026-01-01 10:00:00');"
        "INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, Item_QTY) "
        "VALUES (1,1,1,1,1),(1,1,1,1,2);"
        "INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) VALUES (1,1,1,1);"));
    DbCommand mark(StatementId::OrdersDetails_UpdateIsPrinted, &connection);
    DbCommand remove(StatementId::ReadyToPrint_DeletePrinted, &connection);
    setKey(mark);
    mark.setParameter(QStringLiteral("Master_ID"), qlonglong(1));
    setKey(remove);
    remove.setParameter(QStringLiteral("RTP_ID"), qlonglong(1));

    // The queue table vanishes between the two statements of the unit.
    const auto work = [&] {
        mark.execute();
        remove.execute();
    };
    db.exec(QStringLiteral("ALTER TABLE ReadyToPrint RENAME TO ReadyToPrint_Gone;"));
    try {
        runInTransaction(connection, work);
        FAIL() << "the unit should have failed";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(), "no such table: ReadyToPrint");
    }
    EXPECT_FALSE(connection.inTransaction());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM OrdersDetails WHERE isPrinted = 1")).toInt(), 0);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ReadyToPrint_Gone")).toInt(), 1);

    db.exec(QStringLiteral("ALTER TABLE ReadyToPrint_Gone RENAME TO ReadyToPrint;"));
    runInTransaction(connection, work);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM OrdersDetails WHERE isPrinted = 1")).toInt(), 2);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ReadyToPrint")).toInt(), 0);
}

TEST_F(DbConnectionTest, ClosingRollsBackAnOpenTransaction) {
    connection.beginTrans();
    DbCommand add(StatementId::Comm_Insert, &connection);
    setKey(add);
    add.setParameter(QStringLiteral("Station_Name"), QStringLiteral("Grill"));
    add.setParameter(QStringLiteral("isActive"), true);
    add.execute();
    connection.close();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM KitchenStations")).toInt(), 0);
    connection.close(); // closing a closed connection does nothing
}

TEST_F(DbConnectionTest, FieldChecksNameTheFieldAndBothKinds) {
    struct Case {
        const char* why;
        const char* schemaChange;
        const char* expected;
    };
    const Case cases[] = {
        {"a declared field missing", "ALTER TABLE POSGeneralSettings DROP COLUMN Packaging_Printer_Name;",
         "Field 'Packaging_Printer_Name' not found"},
        {"non-Unicode text where text is declared",
         "DROP TABLE POSGeneralSettings; CREATE TABLE POSGeneralSettings (Customer_ID BIGINT, Restaurant_ID "
         "BIGINT, "
         "Outlet_ID BIGINT, Printing_Options VARCHAR(255), Use_Packaging_Printer BIT, Packaging_Printer_Name "
         "NVARCHAR(255));",
         "Type mismatch for field 'Printing_Options', expecting: text(255) actual: varchar(255)"},
        {"an integer where bit is declared",
         "DROP TABLE POSGeneralSettings; CREATE TABLE POSGeneralSettings (Customer_ID BIGINT, Restaurant_ID "
         "BIGINT, "
         "Outlet_ID BIGINT, Printing_Options NVARCHAR(255), Use_Packaging_Printer INT, "
         "Packaging_Printer_Name "
         "NVARCHAR(255));",
         "Type mismatch for field 'Use_Packaging_Printer', expecting: bit actual: int"},
        {"the table missing", "DROP TABLE POSGeneralSettings;", "no such table: POSGeneralSettings"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TestDatabase fresh;
        fresh.exec(QString::fromLatin1(c.schemaChange));
        DbConnection conn;
        conn.setConnectionString(fresh.connectionString());
        DbQuery q(StatementId::POSGeneralSettingsQ, &conn);
        setKey(q);
        EXPECT_EQ(openMessage(q), c.expected);
        EXPECT_FALSE(q.isActive());
    }
}

TEST_F(DbConnectionTest, BadOutletKeysReachTheStatementAndFailThere) {
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {{"12abc", "Parameter 'Customer_ID': '12abc' is not a valid bigint value"},
                          {"99999999999999999999",
                           "Parameter 'Customer_ID': '99999999999999999999' is not a valid bigint value"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        DbQuery settings(StatementId::POSGeneralSettingsQ, &connection);
        setKey(settings, QString::fromLatin1(c.key));
        EXPECT_EQ(openMessage(settings), c.expected);
        // The declarations of a batch convert the same way.
        DbQuery voids(StatementId::VoidedQ, &connection);
        setKey(voids, QString::fromLatin1(c.key));
        EXPECT_EQ(openMessage(voids), c.expected);
    }
    // Surrounding blanks convert, as the server converts them; an empty or blank key is 0 there, which
    // matches no row.
    for (const char* key : {" 1 ", "", "  "}) {
        SCOPED_TRACE(key);
        DbQuery settings(StatementId::POSGeneralSettingsQ, &connection);
        setKey(settings, QString::fromLatin1(key));
        EXPECT_EQ(openMessage(settings), "opened");
        DbQuery voids(StatementId::VoidedQ, &connection);
        setKey(voids, QString::fromLatin1(key));
        EXPECT_EQ(openMessage(voids), "opened");
        if (QString::fromLatin1(key).trimmed().isEmpty()) {
            EXPECT_EQ(settings.recordCount(), 0);
        }
    }
}

TEST_F(DbConnectionTest, ParametersAreCheckedByNameAndSize) {
    DbCommand add(StatementId::Comm_Insert, &connection);
    EXPECT_THROW(add.setParameter(QStringLiteral("Station"), QStringLiteral("x")), DatabaseError);
    setKey(add);
    add.setParameter(QStringLiteral("Station_Name"), QString(51, QLatin1Char('x')));
    add.setParameter(QStringLiteral("isActive"), true);
    try {
        add.execute();
        FAIL() << "an over-long name must not be cut";
    } catch (const DatabaseError& e) {
        EXPECT_STREQ(e.what(),
                     "Parameter 'Station_Name': the text has 51 characters, more than the 50 allowed");
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM KitchenStations")).toInt(), 0);

    const QString polish = QStringLiteral("Łódź € ") + QString(43, QChar(0x0644));
    add.setParameter(QStringLiteral("station_name"), polish);
    add.execute();
    DbQuery stations(StatementId::PrintersQ, &connection);
    setKey(stations);
    stations.open();
    ASSERT_EQ(stations.recordCount(), 1);
    EXPECT_EQ(stations.asString(QStringLiteral("Station_Name")), polish);
    EXPECT_TRUE(stations.asBoolean(QStringLiteral("isActive")));
    EXPECT_THROW(stations.value(QStringLiteral("Nope")), DatabaseError);
}
