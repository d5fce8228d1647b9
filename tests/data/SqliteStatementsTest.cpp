#include "DataModule1.h"
#include "DbCommand.h"
#include "DbConnection.h"
#include "DbQuery.h"
#include "TestDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>

namespace {

// Outlet 1/1/1 with stations Grill (1), Salads (2), Bar (3); outlet 1/1/2 has a Grill of its own (4).
// Order 1 has lines for Grill and Salads, a line without a station, lines with NULL names and NULL
// quantities, and one line already printed. Order 2 has only a printed Salads line.
const char* Fixture = R"sql(
INSERT INTO KitchenStations (Station_ID, Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, isActive) VALUES
  (1, 1, 1, 1, 'Grill', 1), (2, 1, 1, 1, 'Salads', 1), (3, 1, 1, 1, 'Bar', 0), (4, 1, 1, 2, 'Grill', 1);
INSERT INTO OrderKinds VALUES (1, 'Dine In');
INSERT INTO OrdersMaster (Master_ID, Customer_ID, Restaurant_ID, Outlet_ID, Order_Seq, Order_Kind_ID, Open_DateTime,
                          Close_DateTime, Waiter_Name, Order_Upper_Line, Order_Downer_Line, Master_Remarks, Order_PayOption)
VALUES (1, 1, 1, 1, 17, 1, '2026-12-09 15:25:00', NULL, 'Maya', 'Table 4', 'Guests: 3', 'Birthday', 'Cash'),
       (2, 1, 1, 1, 18, 1, '2026-12-09 15:30:00', NULL, 'Karim', NULL, NULL, NULL, NULL);
INSERT INTO MenuItems (Item_ID, Customer_ID, Restaurant_ID, Outlet_ID, Item_Name_PL, Item_Name_SL, Station_ID) VALUES
  (1, 1, 1, 1, 'Burger', 'Burger SL', 1), (2, 1, 1, 1, 'Salad', 'Salad SL', 2), (3, 1, 1, 1, 'Water', NULL, NULL),
  (4, 1, 1, 1, 'Fries', 'Fries SL', 1), (5, 1, 1, 1, NULL, NULL, 1);
INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, Item_ID, Item_QTY, Remarks, isPrinted) VALUES
  (1, 1, 1, 1, 1, 1, NULL, 0), (1, 1, 1, 1, 1, 2, NULL, 0), (1, 1, 1, 1, 1, 1, 'No onion', 0),
  (1, 1, 1, 1, 4, NULL, NULL, 0), (1, 1, 1, 1, 4, NULL, NULL, 0),
  (1, 1, 1, 1, 5, 1, NULL, 0), (1, 1, 1, 1, 5, 1, NULL, 0),
  (1, 1, 1, 1, 2, 1, NULL, 0), (1, 1, 1, 1, 3, 1, NULL, 0), (1, 1, 1, 1, 1, 5, NULL, 1),
  (1, 1, 1, 2, 2, 1, NULL, 1);
INSERT INTO ReadyToPrint (RTP_ID, Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) VALUES
  (1, 1, 1, 1, 1), (2, 1, 1, 1, 1), (3, 1, 1, 1, 2), (4, 1, 1, 2, 1);
INSERT INTO PrintersInPackaging (Customer_ID, Restaurant_ID, Outlet_ID, Printer_Name) VALUES
  (1, 1, 1, 'Grill'), (1, 1, 1, 'Grill'), (1, 1, 1, 'Salads'), (1, 1, 2, 'Bar');
INSERT INTO AfterKitchenVoids (AKV_ID, Customer_ID, Restaurant_ID, Outlet_ID, Void_WorkingDate, Void_DateTime, Void_By,
                               Void_Reason, Master_ID, Item_ID, Item_Name, Remarks, Default_Printer, isNoted) VALUES
  (1, 1, 1, 1, '2026-12-09', '2026-12-09 15:40:00', 'Maya', 'Changed mind', 1, 1, 'Burger', NULL, 1, 0),
  (2, 1, 1, 1, '2026-12-09', '2026-12-09 15:41:00', 'Maya', 'Wrong item', 999, 2, 'Salad', 'x', 2, 0),
  (3, 1, 1, 1, '2026-12-09', '2026-12-09 15:42:00', 'Karim', 'Spilled', 1, 1, 'Burger', NULL, 77, 0),
  (4, 1, 1, 1, '2026-12-09', '2026-12-09 15:43:00', 'Karim', 'Cold', 1, 1, 'Burger', NULL, 4, 0),
  (5, 1, 1, 1, '2026-12-09', '2026-12-09 15:44:00', 'Karim', 'Done', 1, 1, 'Burger', NULL, 1, 1),
  (6, 1, 1, 2, '2026-12-09', '2026-12-09 15:45:00', 'Karim', 'Other outlet', 1, 1, 'Burger', NULL, 4, 0);
)sql";

// Every statement of the contract on the embedded database, and on the same file reached through the ODBC
// driver manager and the SQLite ODBC driver: the same rows either way.
class SqliteStatementsTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        db.exec(QString::fromUtf8(Fixture));
        if (GetParam()) {
            connection.setConnectionString(composeConnectionString(QStringLiteral("pw"),
                                                                   QStringLiteral("pos"), db.filePath(),
                                                                   QString(), QStringLiteral("TILL1")));
            connection.setOdbcSettings({QStringLiteral("SQLite3"), QString(), QString()});
        } else {
            connection.setConnectionString(db.connectionString());
        }
    }

    template <typename S> void key(S& s) {
        s.setParameter(QStringLiteral("Customer_ID"), QStringLiteral("1"));
        s.setParameter(QStringLiteral("Restaurant_ID"), QStringLiteral("1"));
        s.setParameter(QStringLiteral("Outlet_ID"), QStringLiteral("1"));
    }

    // Each row as "PL|SL|Remarks|QTY", NULL shown as "~".
    static QStringList ticketLines(DbQuery& q) {
        QStringList rows;
        for (q.first(); !q.eof(); q.next()) {
            QStringList cells;
            for (const char* f : {"Displayed_Name_PL", "Displayed_Name_SL", "Remarks"}) {
                const QString name = QString::fromLatin1(f);
                cells << (q.isNull(name) ? QStringLiteral("~") : q.asString(name));
            }
            EXPECT_EQ(q.value(QStringLiteral("QTY")).typeId(), QMetaType::LongLong);
            cells << QString::number(q.asLargeInt(QStringLiteral("QTY")));
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    QStringList kitchenLines(qlonglong master, const QString& printer) {
        DbQuery q(StatementId::KitchenOrdersQ, &connection);
        key(q);
        q.setParameter(QStringLiteral("Master_ID"), master);
        q.setParameter(QStringLiteral("Printer_Name"), printer);
        q.open();
        return ticketLines(q);
    }

    TestDatabase db;
    DbConnection connection;
};

} // namespace

TEST_P(SqliteStatementsTest, KitchenLinesGroupSumAndSortUnprintedLinesOfOneStation) {
    // Same name, second name and remarks sum up; other remarks make another line; all-NULL quantities give 0;
    // NULL names group together and sort first; the printed line and other stations are left out.
    EXPECT_EQ(kitchenLines(1, QStringLiteral("Grill")),
              (QStringList{"~|~|~|2", "Burger|Burger SL|~|3", "Burger|Burger SL|No onion|1",
                           "Fries|Fries SL|~|0"}));
    EXPECT_EQ(kitchenLines(1, QStringLiteral("Salads")), QStringList{"Salad|Salad SL|~|1"});
    // A station read as NULL is bound as empty text and matches no line without a station.
    EXPECT_TRUE(kitchenLines(1, QString()).isEmpty());
    // All of order 2 is printed already.
    EXPECT_TRUE(kitchenLines(2, QStringLiteral("Salads")).isEmpty());
}

TEST_P(SqliteStatementsTest, PackagingLinesCountATwiceListedStationOnce) {
    DbQuery q(StatementId::PackagingOrdersQ, &connection);
    key(q);
    q.setParameter(QStringLiteral("Master_ID"), qlonglong(1));
    q.open();
    EXPECT_EQ(ticketLines(q), (QStringList{"~|~|~|2", "Burger|Burger SL|~|3", "Burger|Burger SL|No onion|1",
                                           "Fries|Fries SL|~|0", "Salad|Salad SL|~|1"}));
    EXPECT_EQ(q.recordCount(), 5);
}

TEST_P(SqliteStatementsTest, PrintersOfAnOrderIncludePrintedLinesAndANullStation) {
    DbQuery q(StatementId::PrintersInOrderQ, &connection);
    key(q);
    q.setParameter(QStringLiteral("Master_ID"), qlonglong(1));
    q.open();
    std::set<QString> printers;
    int nulls = 0;
    for (q.first(); !q.eof(); q.next()) {
        if (q.isNull(QStringLiteral("Default_Printer"))) {
            ++nulls;
            EXPECT_EQ(q.asString(QStringLiteral("Default_Printer")), QString());
        } else {
            printers.insert(q.asString(QStringLiteral("Default_Printer")));
        }
    }
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(nulls, 1);
    EXPECT_EQ(printers, (std::set<QString>{QStringLiteral("Grill"), QStringLiteral("Salads")}));

    q.close();
    q.setParameter(QStringLiteral("Master_ID"), qlonglong(2));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.asString(QStringLiteral("Default_Printer")), QStringLiteral("Salads"));
}

TEST_P(SqliteStatementsTest, VoidsWithoutOrderOrStationAreStillReturnedWithNulls) {
    DbQuery q(StatementId::VoidedQ, &connection);
    key(q);
    q.open();
    ASSERT_EQ(q.recordCount(), 4); // noted and other-outlet voids left out
    std::map<qlonglong, int> row;
    for (q.first(); !q.eof(); q.next()) {
        row[q.asLargeInt(QStringLiteral("AKV_ID"))] = q.recNo();
    }
    ASSERT_EQ(row.size(), 4u);

    q.setRecNo(row[1]);
    EXPECT_EQ(q.asString(QStringLiteral("Default_Printer")), QStringLiteral("Grill"));
    EXPECT_EQ(q.value(QStringLiteral("Order_Seq")), QVariant(17));
    EXPECT_EQ(q.asString(QStringLiteral("Order_Kind_Desc")), QStringLiteral("Dine In"));
    EXPECT_EQ(q.asDateTime(QStringLiteral("Void_DateTime")), QDateTime(QDate(2026, 12, 9), QTime(15, 40)));
    EXPECT_EQ(q.fieldKind(QStringLiteral("Void_DateTime")), FieldKind::DateTime);

    q.setRecNo(row[2]); // order 999 does not exist
    for (const char* f : {"Order_Kind_Desc", "Order_Seq", "Close_DateTime", "Order_PayOption"}) {
        EXPECT_TRUE(q.isNull(QString::fromLatin1(f))) << f;
    }
    EXPECT_EQ(q.asString(QStringLiteral("Default_Printer")), QStringLiteral("Salads"));
    EXPECT_EQ(q.value(QStringLiteral("Master_ID")), QVariant(qlonglong(999)));

    q.setRecNo(row[3]); // no station 77
    EXPECT_TRUE(q.isNull(QStringLiteral("Default_Printer")));
    q.setRecNo(row[4]); // station 4 belongs to another outlet
    EXPECT_TRUE(q.isNull(QStringLiteral("Default_Printer")));

    DbCommand noted(StatementId::Voids_MarkNoted, &connection);
    key(noted);
    noted.setParameter(QStringLiteral("AKV_ID"), qlonglong(1));
    noted.execute();
    q.open();
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT isNoted FROM AfterKitchenVoids WHERE AKV_ID = 1")).toInt(), 1);
}

TEST_P(SqliteStatementsTest, QueueProgressMarksTheWholeOrderAndDeletesOneQueueRow) {
    DbQuery queue(StatementId::ReadyToPrintQ, &connection);
    key(queue);
    queue.open();
    EXPECT_EQ(queue.recordCount(), 3);

    DbQuery header(StatementId::OrdersMasterQ, &connection);
    key(header);
    header.setParameter(QStringLiteral("Master_ID"), qlonglong(1));
    header.open();
    ASSERT_EQ(header.recordCount(), 1);
    EXPECT_EQ(header.value(QStringLiteral("Master_ID")).typeId(), QMetaType::LongLong);
    EXPECT_EQ(header.asString(QStringLiteral("Waiter_Name")), QStringLiteral("Maya"));
    EXPECT_EQ(header.asString(QStringLiteral("Master_Remarks")), QStringLiteral("Birthday"));
    EXPECT_EQ(header.asDateTime(QStringLiteral("Open_DateTime")),
              QDateTime(QDate(2026, 12, 9), QTime(15, 25)));

    DbCommand mark(StatementId::OrdersDetails_UpdateIsPrinted, &connection);
    key(mark);
    mark.setParameter(QStringLiteral("Master_ID"), qlonglong(1));
    mark.execute();
    DbCommand remove(StatementId::ReadyToPrint_DeletePrinted, &connection);
    key(remove);
    remove.setParameter(QStringLiteral("RTP_ID"), qlonglong(1));
    remove.execute();

    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT count(*) FROM OrdersDetails WHERE Master_ID = 1 AND isPrinted = 0"))
            .toInt(),
        0);
    EXPECT_TRUE(kitchenLines(1, QStringLiteral("Grill")).isEmpty());
    queue.open();
    EXPECT_EQ(queue.recordCount(), 2); // the second queue row of the same order stays
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM ReadyToPrint WHERE Outlet_ID = 2")).toInt(), 1);
}

TEST_P(SqliteStatementsTest, ConfigurationStatementsKeepStationsAndPackaging) {
    DbCommand insert(StatementId::Comm_Insert, &connection);
    key(insert);
    insert.setParameter(QStringLiteral("Station_Name"), QStringLiteral("Bakery"));
    insert.setParameter(QStringLiteral("isActive"), false);
    insert.execute();

    DbQuery stations(StatementId::PrintersQ, &connection);
    key(stations);
    stations.open();
    QStringList names;
    qlonglong bakery = 0;
    for (stations.first(); !stations.eof(); stations.next()) {
        names << stations.asString(QStringLiteral("Station_Name"));
        if (names.last() == QLatin1String("Bakery")) {
            bakery = stations.asLargeInt(QStringLiteral("Station_ID"));
        }
    }
    EXPECT_EQ(names, (QStringList{"Bakery", "Bar", "Grill", "Salads"}));
    ASSERT_GT(bakery, 4);

    DbCommand modify(StatementId::Comm_Modify, &connection);
    modify.setParameter(QStringLiteral("Station_Name"), QStringLiteral("Pastry"));
    modify.setParameter(QStringLiteral("isActive"), true);
    modify.setParameter(QStringLiteral("Station_ID"), bakery);
    modify.execute();

    DbQuery active(StatementId::StationsQ, &connection);
    key(active);
    active.open();
    names.clear();
    for (active.first(); !active.eof(); active.next()) {
        names << active.asString(QStringLiteral("Station_Name"));
    }
    EXPECT_EQ(names, (QStringList{"Grill", "Pastry", "Salads"})); // Bar is inactive

    DbCommand add(StatementId::Comm_Add, &connection);
    key(add);
    add.setParameter(QStringLiteral("Printer_Name"), QStringLiteral("Bar"));
    add.execute();
    DbQuery included(StatementId::IncludedStationsQ, &connection);
    key(included);
    included.open();
    ASSERT_EQ(included.recordCount(), 4);
    EXPECT_EQ(included.asString(QStringLiteral("Printer_Name")), QStringLiteral("Bar"));
    DbCommand removeRow(StatementId::Comm_Remove, &connection);
    removeRow.setParameter(QStringLiteral("Rec_ID"), included.value(QStringLiteral("Rec_ID")));
    removeRow.execute();
    included.open();
    EXPECT_EQ(included.recordCount(), 3);

    // The settings row is updated in place; without a row nothing is stored.
    DbCommand update(StatementId::Comm_Update, &connection);
    key(update);
    update.setParameter(QStringLiteral("Use_Packaging_Printer"), true);
    update.setParameter(QStringLiteral("Packaging_Printer_Name"), QStringLiteral("Pass"));
    update.execute();
    DbQuery rest(StatementId::RestDataQ, &connection);
    key(rest);
    rest.open();
    EXPECT_EQ(rest.recordCount(), 0);
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', NULL, NULL);"));
    update.execute();
    rest.open();
    ASSERT_EQ(rest.recordCount(), 1);
    EXPECT_TRUE(rest.asBoolean(QStringLiteral("Use_Packaging_Printer")));
    EXPECT_EQ(rest.asString(QStringLiteral("Packaging_Printer_Name")), QStringLiteral("Pass"));
}

TEST_P(SqliteStatementsTest, WalkingAResult) {
    DbQuery q(StatementId::ReadyToPrintQ, &connection);
    EXPECT_FALSE(q.isActive());
    int opened = 0;
    int closed = 0;
    q.setStateHandler([&](bool active) { ++(active ? opened : closed); });
    key(q);
    q.open();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(q.recNo(), 0);
    q.next();
    q.next();
    EXPECT_FALSE(q.eof());
    EXPECT_EQ(q.recNo(), 2);
    q.next(); // past the last row: at the end, the last row stays current
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recNo(), 2);
    q.first();
    EXPECT_FALSE(q.eof());
    q.close();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(q.recordCount(), 0);

    // An empty result is at its end at once, and reads NULL.
    q.setParameter(QStringLiteral("Outlet_ID"), QStringLiteral("9"));
    q.open();
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recNo(), -1);
    EXPECT_TRUE(q.isNull(QStringLiteral("RTP_ID")));
}

INSTANTIATE_TEST_SUITE_P(Backends, SqliteStatementsTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ThroughOdbc" : "Embedded");
                         });
