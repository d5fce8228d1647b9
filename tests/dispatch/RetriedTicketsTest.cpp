// What the server remembers of the tickets a unit's printers already took, seen through whole cycles on
// folder printers: a retry skips only the same ticket to the same printer, and nothing is remembered past
// the unit's commit.
#include "GrillAndSaladsOutlet.h"
#include "QtGTestPrinters.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using RetriedTickets = GrillAndSaladsOutlet;

QString queueRow(qint64 orderId) {
    return QStringLiteral("INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) "
                          "VALUES (1, 1, 1, %1);")
        .arg(orderId);
}

// An order printed and committed; then a terminal adds the very same line to it and queues it again: the
// station's new ticket looks like the first one, yet it is a new ticket and prints.
TEST_F(RetriedTickets, NothingIsRememberedPastTheUnitsCommit) {
    const qint64 order = bed.order(1, {{burger, 1, {}}});
    bed.queue(order);
    bed.start();
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 1);
    bed.db.exec(QStringLiteral("INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, "
                               "Item_ID, Item_QTY) VALUES (1, 1, 1, %1, %2, 1);")
                    .arg(order)
                    .arg(burger));
    bed.db.exec(queueRow(order));
    bed.cycle();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
    EXPECT_EQ(bed.logLines(QStringLiteral("skipped")), QStringList());
    EXPECT_EQ(bed.unprinted(order), 0);
}

// Salads' queue refuses jobs, so the order is retried; meanwhile a terminal adds a line for the Grill: the
// Grill's ticket changed and prints again, the unchanged packaging copy does not, and Salads gets its
// ticket once its queue takes jobs.
TEST_F(RetriedTickets, AChangedTicketPrintsAgainWhileAnotherStationFails) {
    bed.copyToPackaging(QStringLiteral("Salads"));
    printers.folders().setRefusal(QStringLiteral("Salads"), QStringLiteral("paper jam"));
    const qint64 order = bed.order(1, {{burger, 1, {}}, {salad, 1, {}}});
    bed.queue(order);
    bed.start();
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 1);
    ASSERT_EQ(printers.count(QStringLiteral("Packaging")), 1);
    bed.db.exec(QStringLiteral("INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, "
                               "Item_ID, Item_QTY, Remarks) VALUES (1, 1, 1, %1, %2, 1, 'no onion');")
                    .arg(order)
                    .arg(burger));
    bed.cycle();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2)
        << "the changed ticket was taken for the one printed";
    EXPECT_TRUE(printers.text(QStringLiteral("Grill"), 1).contains(QStringLiteral("no onion")));
    EXPECT_EQ(printers.count(QStringLiteral("Packaging")), 1);

    printers.folders().setRefusal(QStringLiteral("Salads"), {});
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 1);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
}

// A void's packaging copy fails once: the retry prints only that copy, so the station gets exactly one.
TEST_F(RetriedTickets, AVoidRetriedForItsPackagingCopyReachesItsStationOnce) {
    printers.folders().setRefusal(QStringLiteral("Packaging"), QStringLiteral("paper jam"));
    bed.voidItem(QStringLiteral("Beef Burger"), {}, QStringLiteral("Cold"), grill);
    bed.start();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(bed.unnoted(), 1);
    printers.folders().setRefusal(QStringLiteral("Packaging"), {});
    bed.cycle();
    EXPECT_EQ(bed.unnoted(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(printers.count(QStringLiteral("Packaging")), 1);
}

// The server is stopped while an order waits for Salads (as a kill or a power cut would stop it) and a new
// server is started on the same folders: what the queues took before is recorded, so the Grill and the
// packaging printer get nothing twice; Salads gets its ticket. Once the order is done, its record goes.
TEST_F(RetriedTickets, ARestartedServerGivesNoQueueATicketItTookBefore) {
    printers.folders().setRefusal(QStringLiteral("Salads"), QStringLiteral("paper jam"));
    bed.copyToPackaging(QStringLiteral("Grill"));
    const qint64 order = bed.order(1, {{burger, 1, {}}, {salad, 1, {}}});
    bed.queue(order);
    bed.start();
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 1);
    ASSERT_EQ(printers.count(QStringLiteral("Packaging")), 1);
    bed.server.Stop();

    PrintServerState state;
    state.SecondsToFirePrintingTimer = 6;
    TestPanel panel;
    panel.data.Customer_ID = panel.data.Restaurant_ID = panel.data.Outlet_ID = QStringLiteral("1");
    panel.data.ConnectionStr = bed.db.connectionString();
    panel.data.ADOConnection1.setConnectionString(panel.data.ConnectionStr);
    PrintServerLifecycle restarted{state, panel};
    PrintDispatcher dispatcher(state, panel, restarted, bed.reportDir.path() + QLatin1Char('/'),
                               bed.archiveFolder());
    printers.folders().setRefusal(QStringLiteral("Salads"), {});
    restarted.Start();
    restarted.CheckAndPrint();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 1);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(printers.count(QStringLiteral("Packaging")), 1);
    EXPECT_EQ(panel.log.filter(QStringLiteral("skipped, printed before")).size(), 2)
        << panel.log.join(QLatin1Char('\n')).toStdString();

    // The order is done: a new identical one for the same order number prints in full.
    bed.db.exec(QStringLiteral("UPDATE OrdersDetails SET isPrinted = 0 WHERE Master_ID = %1;").arg(order));
    bed.queue(order);
    restarted.CheckAndPrint();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 2);
    restarted.Stop();
}

} // namespace
