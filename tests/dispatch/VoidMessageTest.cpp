#include "VoidMessage.h"

#include "DbConnection.h"
#include "DbQuery.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The message of the first void row, read through the void list as the cycle reads it.
QString messageOf(TestDatabase& db, const QString& values,
                  const QLocale& locale = QLocale(QLocale::English)) {
    db.exec(
        QStringLiteral("DELETE FROM AfterKitchenVoids;"
                       "INSERT INTO AfterKitchenVoids (Customer_ID, Restaurant_ID, Outlet_ID, Void_DateTime, "
                       "Void_By, Void_Reason, Master_ID, Item_Name, Remarks) VALUES (1, 1, 1, %1);")
            .arg(values));
    DbConnection connection;
    connection.setConnectionString(db.connectionString());
    DbQuery voids(StatementId::VoidedQ, &connection);
    for (const char* key : {"Customer_ID", "Restaurant_ID", "Outlet_ID"}) {
        voids.setParameter(QString::fromLatin1(key), 1);
    }
    voids.open();
    voids.first();
    return composeVoidMessage(voids, locale);
}

TEST(VoidMessage, PiecesInOrderWithNullsAndTheLocalesTimeSeparator) {
    TestDatabase db;
    db.exec(QStringLiteral(
        "INSERT INTO OrderKinds VALUES (2, 'Take Away');"
        "INSERT INTO OrdersMaster (Customer_ID, Restaurant_ID, Outlet_ID, Order_Seq, Order_Kind_ID, "
        "Open_DateTime) VALUES (1, 1, 1, 57, 2, '2026-12-10 19:00:00');"));
    const QString full = messageOf(
        db, QStringLiteral("'2026-12-10 07:05:09', 'Maya', 'Guest left', 1, 'Mixed Grill', 'Well done'"));
    EXPECT_EQ(full,
              QStringLiteral(
                  "Item: \r\nMixed Grill\r\nWell done\r\nQty: ( 1 ) One\r\nOrder Seq: ( 57 )\r\n"
                  "Kind: Take Away\r\nVoided By: Maya\r\nOn: 2026-12-10 07:05:09\r\nReason: Guest left"));

    // Nulls give nothing, a missing order 0, a missing time day zero.
    const QString empty = messageOf(db, QStringLiteral("NULL, NULL, NULL, NULL, NULL, NULL"));
    EXPECT_EQ(empty, QStringLiteral(
                         "Item: \r\n\r\n\r\nQty: ( 1 ) One\r\nOrder Seq: ( 0 )\r\nKind: \r\nVoided By: \r\n"
                         "On: 1899-12-30 00:00:00\r\nReason: "));

    // 19:05 stays on the 24-hour clock; a locale writing times with a point separates with it.
    const QString evening =
        messageOf(db, QStringLiteral("'2026-12-10 19:05:00', 'Maya', 'x', 1, 'Soup', NULL"),
                  QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_TRUE(evening.contains(QStringLiteral("On: 2026-12-10 19.05.00\r\n"))) << evening.toStdString();
}

} // namespace
