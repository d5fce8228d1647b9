#include "QueryRowSource.h"

#include "DbConnection.h"
#include "DbQuery.h"
#include "QtGTestPrinters.h"
#include "TestDatabase.h"
#include "TrpDBDataset.h"

#include <gtest/gtest.h>

namespace {

// Two kitchen lines of one order: one with a second name and remarks, one with NULLs.
const char* Fixture = R"sql(
INSERT INTO KitchenStations (Station_ID, Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, isActive) VALUES
  (1, 1, 1, 1, 'Grill', 1);
INSERT INTO MenuItems (Item_ID, Customer_ID, Restaurant_ID, Outlet_ID, Item_Name_PL, Item_Name_SL, Station_ID) VALUES
  (1, 1, 1, 1, 'Burger', 'Burger SL', 1), (2, 1, 1, 1, 'Fries', NULL, 1);
INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, Item_ID, Item_QTY, Remarks, isPrinted) VALUES
  (1, 1, 1, 7, 1, 2, 'No onion', 0), (1, 1, 1, 7, 2, NULL, NULL, 0);
)sql";

TEST(QueryRowSource, AdapterReadsTheQueryByFieldNameAndFollowsItsReopening) {
    TestDatabase db;
    db.exec(QString::fromUtf8(Fixture));
    DbConnection connection;
    connection.setConnectionString(db.connectionString());
    DbQuery query(StatementId::KitchenOrdersQ, &connection);
    QueryRowSource source(query);
    TrpDBDataset adapter;
    adapter.SetUserName(QStringLiteral("repDS_KitchenOrders"));
    adapter.SetDataSet(&source);

    auto bind = [&](qlonglong master) {
        query.close();
        for (const char* key : {"Customer_ID", "Restaurant_ID", "Outlet_ID"}) {
            query.setParameter(QString::fromLatin1(key), QStringLiteral("1"));
        }
        query.setParameter(QStringLiteral("Master_ID"), master);
        query.setParameter(QStringLiteral("Printer_Name"), QStringLiteral("Grill"));
        query.open();
    };

    bind(7);
    EXPECT_EQ(source.rowCount(), 2);
    EXPECT_EQ(source.fieldKind(source.fieldIndex(QStringLiteral("QTY"))), TrpFieldKind::LargeInt);
    EXPECT_EQ(source.fieldKind(source.fieldIndex(QStringLiteral("Displayed_Name_PL"))),
              TrpFieldKind::WideMemo);
    EXPECT_EQ(source.fieldKind(source.fieldIndex(QStringLiteral("Remarks"))), TrpFieldKind::WideMemo);
    adapter.Initialize();
    adapter.First();
    EXPECT_EQ(adapter.GetValue(QStringLiteral("Displayed_Name_PL")).toString(), QStringLiteral("Burger"));
    EXPECT_EQ(adapter.GetDisplayText(QStringLiteral("Remarks")), QStringLiteral("No onion"));
    EXPECT_EQ(adapter.GetDisplayText(QStringLiteral("QTY")), QStringLiteral("2"));
    adapter.Next();
    EXPECT_FALSE(adapter.Eof());
    // A NULL long text reads as empty text; the line's only quantity is NULL, so the sum is 0.
    EXPECT_EQ(adapter.GetValue(QStringLiteral("Displayed_Name_SL")), QVariant(QString()));
    EXPECT_TRUE(adapter.IsBlobField(QStringLiteral("Displayed_Name_SL")));
    EXPECT_EQ(adapter.GetDisplayText(QStringLiteral("QTY")), QStringLiteral("0"));
    adapter.Next();
    EXPECT_TRUE(adapter.Eof());
    adapter.Finalize();

    // The program closes, re-binds and reopens the query for every ticket; the adapter reads the new rows.
    bind(8);
    EXPECT_EQ(source.rowCount(), 0);
    adapter.Initialize();
    adapter.First();
    EXPECT_TRUE(adapter.Eof());
    adapter.Finalize();
}

} // namespace
