// The dispatch cycle end to end: a real embedded database and the test scheduler's capture queues, whose
// jobs are read back as text.
#include "CaptureQueues.h"
#include "DispatchTestBed.h"
#include "QtGTestPrinters.h"
#include "TrpPrinters.h"

#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QString ticketText(const QString& pdf) {
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// The text of every job a queue has taken since `before` jobs.
QStringList newTickets(const char* queue, int before) {
    QStringList texts;
    const QStringList jobs = capturedJobs(QString::fromLatin1(queue));
    for (int i = before; i < jobs.size(); ++i) {
        texts << ticketText(captureFolder(QString::fromLatin1(queue)) + QLatin1Char('/') + jobs[i]);
    }
    return texts;
}

class DispatchThroughCups : public ::testing::Test {
protected:
    void SetUp() override {
        TrpPrinters::reset();
        for (const char* queue : {"Kitchen", "Grill", "Salads", "Packaging"}) {
            runTool(QStringLiteral("cupsenable"), {QString::fromLatin1(queue)});
            runTool(QStringLiteral("cupsaccept"), {QString::fromLatin1(queue)});
            before[queue] = jobCount(queue);
        }
        kitchen = bed.station(QStringLiteral("Kitchen"));
        grill = bed.station(QStringLiteral("Grill"));
        salads = bed.station(QStringLiteral("Salads"));
        soup = bed.item(QStringLiteral("Lentil Soup"), QStringLiteral("Zupa"), kitchen);
        burger = bed.item(QStringLiteral("Beef Burger"), QStringLiteral("Burger"), grill);
        skewers = bed.item(QStringLiteral("Chicken Skewers"), {}, grill);
        salad = bed.item(QStringLiteral("Caesar Salad"), {}, salads);
        bed.copyToPackaging(QStringLiteral("Grill"));
        bed.copyToPackaging(QStringLiteral("Salads"));
    }
    void TearDown() override { TrpPrinters::reset(); }

    // Waits for `count` new jobs on the queue and gives their text.
    QStringList tickets(const char* queue, int count) {
        EXPECT_TRUE(waitForJobs(queue, before[queue] + count)) << queue;
        QThread::msleep(300); // a further job would show up now
        return newTickets(queue, before[queue]);
    }

    DispatchTestBed bed{true};
    std::map<std::string, int> before;
    qint64 kitchen = 0, grill = 0, salads = 0, soup = 0, burger = 0, skewers = 0, salad = 0;
};

TEST_F(DispatchThroughCups, AnOrderOfThreeStationsAndAVoid) {
    const qint64 order = bed.order(1042, {{soup, 1, {}},
                                          {burger, 1, QStringLiteral("Well done")},
                                          {burger, 2, QStringLiteral("Well done")},
                                          {burger, 1, QStringLiteral("No onions")},
                                          {skewers, 2, {}},
                                          {salad, 1, {}}});
    bed.queue(order);
    const qint64 otherOutlet = bed.order(77, {{burger, 5, {}}}, 2);
    bed.queue(otherOutlet, 2);
    const qint64 voided = bed.voidItem(QStringLiteral("Beef Burger"), QStringLiteral("Well done"),
                                       QStringLiteral("Guest left"), grill, order);
    bed.start();

    const QStringList kitchenTickets = tickets("Kitchen", 1);
    ASSERT_EQ(kitchenTickets.size(), 1);
    EXPECT_TRUE(kitchenTickets[0].contains(QStringLiteral("Lentil Soup")));
    EXPECT_FALSE(kitchenTickets[0].contains(QStringLiteral("Burger")));

    const QStringList grillTickets = tickets("Grill", 2); // the order's ticket, then the void's
    ASSERT_EQ(grillTickets.size(), 2);
    const QString& grillOrder = grillTickets[0];
    EXPECT_TRUE(grillOrder.contains(QStringLiteral("Chicken Skewers")));
    EXPECT_FALSE(grillOrder.contains(QStringLiteral("Lentil Soup")));
    EXPECT_FALSE(grillOrder.contains(QStringLiteral("Caesar Salad")));
    EXPECT_EQ(grillOrder.count(QStringLiteral("Beef Burger")), 2) << "equal item and remarks make one line";
    EXPECT_TRUE(grillOrder.contains(QRegularExpression(QStringLiteral("Beef Burger +3"))))
        << grillOrder.toStdString();
    EXPECT_TRUE(grillTickets[1].contains(QStringLiteral("Item Voided")));
    EXPECT_TRUE(grillTickets[1].contains(QStringLiteral("Reason: Guest left")));

    const QStringList saladTickets = tickets("Salads", 1);
    ASSERT_EQ(saladTickets.size(), 1);
    EXPECT_TRUE(saladTickets[0].contains(QStringLiteral("Caesar Salad")));

    const QStringList packaging = tickets("Packaging", 2); // the order's copy, then the void's
    ASSERT_EQ(packaging.size(), 2);
    for (const char* copied : {"Beef Burger", "Chicken Skewers", "Caesar Salad"}) {
        EXPECT_TRUE(packaging[0].contains(QLatin1String(copied))) << copied;
    }
    EXPECT_FALSE(packaging[0].contains(QStringLiteral("Lentil Soup"))) << "the kitchen is not copied";
    EXPECT_TRUE(packaging[1].contains(QStringLiteral("Item Voided")));

    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_EQ(bed.db.scalar(QStringLiteral("SELECT count(*) FROM ReadyToPrint WHERE Outlet_ID = 1")).toInt(),
              0);
    EXPECT_EQ(
        bed.db.scalar(QStringLiteral("SELECT isNoted FROM AfterKitchenVoids WHERE AKV_ID = %1").arg(voided))
            .toInt(),
        1);
    EXPECT_EQ(bed.db.scalar(QStringLiteral("SELECT count(*) FROM ReadyToPrint WHERE Outlet_ID = 2")).toInt(),
              1);
    EXPECT_EQ(bed.unprinted(otherOutlet), 1) << "another outlet's order was touched";

    const QString id = QString::number(order);
    const QStringList cycleLines = bed.panel.log.mid(
        bed.panel.log.indexOf(QStringLiteral("Timer Enabled. Checking for new orders every >5< seconds")) +
        1);
    ASSERT_EQ(cycleLines.size(), 5);
    EXPECT_EQ(cycleLines.mid(0, 2),
              QStringList({"Packaging Order Items Count #4", "Printing Packaging Order #" + id}))
        << "the packaging copy comes first";
    QStringList stations = cycleLines.mid(2); // in the printer query's order, which the database chooses
    stations.sort();
    EXPECT_EQ(stations, QStringList({"Printing Order #" + id + " Using Printer: Grill",
                                     "Printing Order #" + id + " Using Printer: Kitchen",
                                     "Printing Order #" + id + " Using Printer: Salads"}));
}

// One station's queue rejects jobs for three cycles: the other stations get their ticket in the first
// cycle and exactly once, and the order completes once the queue takes jobs again.
TEST_F(DispatchThroughCups, ARejectingQueueHoldsOnlyItsOwnTicket) {
    const qint64 order = bed.order(1, {{soup, 1, {}}, {burger, 1, {}}, {salad, 1, {}}});
    bed.queue(order);
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Kitchen")});
    bed.start();
    EXPECT_EQ(tickets("Grill", 1).size(), 1) << "held up by another station's printer";
    EXPECT_EQ(tickets("Salads", 1).size(), 1);
    EXPECT_EQ(tickets("Packaging", 1).size(), 1);
    bed.cycle();
    bed.cycle();
    EXPECT_EQ(bed.queued(), 1);
    EXPECT_EQ(bed.unprinted(order), 3);
    runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Kitchen")});
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_EQ(tickets("Kitchen", 1).size(), 1);
    EXPECT_EQ(tickets("Grill", 1).size(), 1);
    EXPECT_EQ(tickets("Salads", 1).size(), 1);
    EXPECT_EQ(tickets("Packaging", 1).size(), 1);
    const QStringList failed = bed.logLines(QStringLiteral("Failed"));
    ASSERT_EQ(failed.size(), 1) << failed.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(
        failed[0].startsWith(QStringLiteral("Printing Order #%1 Failed: Printer \"Kitchen\"").arg(order)))
        << failed[0].toStdString();
    EXPECT_EQ(bed.logLines(QStringLiteral("skipped")), QStringList())
        << "the retried cycles' skipped tickets are as quiet as the failure";
}

// A paused queue (paper out) still takes the ticket: the order is done, the ticket waits in the queue.
TEST_F(DispatchThroughCups, APausedQueueKeepsTheTicketAndTheOrderIsDone) {
    const qint64 order = bed.order(1, {{salad, 1, {}}});
    bed.queue(order);
    runTool(QStringLiteral("cupsdisable"), {QStringLiteral("Salads")});
    bed.start();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_EQ(bed.logLines(QStringLiteral("paused")),
              QStringList({"Printer Salads is paused, the ticket waits in its queue"}));
    QThread::msleep(300);
    EXPECT_EQ(jobCount("Salads"), before["Salads"]);
    runTool(QStringLiteral("cupsenable"), {QStringLiteral("Salads")});
    EXPECT_EQ(tickets("Salads", 1).size(), 1);
}

// Item names and reasons with square brackets print exactly as typed on the void ticket.
TEST_F(DispatchThroughCups, AVoidPrintsBracketsAsTyped) {
    bed.voidItem(QStringLiteral("Burger [XL]"), QStringLiteral("[no bun]"), QStringLiteral("Wrong [table 4]"),
                 grill);
    bed.start();
    const QStringList grillTickets = tickets("Grill", 1);
    ASSERT_EQ(grillTickets.size(), 1);
    for (const char* text :
         {"Burger [XL]", "[no bun]", "Reason: Wrong [table 4]", "Qty: ( 1 ) One", "Order Seq: ( 0 )"}) {
        EXPECT_TRUE(grillTickets[0].contains(QLatin1String(text))) << text << "\n"
                                                                   << grillTickets[0].toStdString();
    }
    EXPECT_EQ(bed.unnoted(), 0);
    EXPECT_TRUE(bed.logLines(QStringLiteral("Void")).isEmpty()) << "voids that print are not logged";
}

// The scheduler restarted while the server runs: its queues are found again and printing goes on.
TEST_F(DispatchThroughCups, ASchedulerRestartedWhileTheServerRuns) {
    bed.queue(bed.order(1, {{burger, 1, {}}}));
    bed.start();
    EXPECT_EQ(tickets("Grill", 1).size(), 1);

    const QString root = qEnvironmentVariable("VELORIA_TEST_CUPS_DIR");
    const QString scheduler =
        qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/scripts/cups-test-scheduler");
    runTool(scheduler, {QStringLiteral("stop"), root});
    const qint64 second = bed.order(2, {{burger, 1, {}}});
    bed.queue(second);
    bed.cycle();
    EXPECT_EQ(bed.queued(), 1) << "nothing can print without a scheduler";
    const QStringList failed = bed.logLines(QStringLiteral("Failed"));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0].startsWith(QStringLiteral("Printing Order #%1 Failed: ").arg(second)))
        << failed[0].toStdString();
    // The scheduler is blamed, not the queue: no queue is taken for deleted and nothing goes elsewhere.
    EXPECT_TRUE(failed[0].contains(QStringLiteral("the print scheduler cannot be reached")))
        << failed[0].toStdString();
    EXPECT_TRUE(bed.logLines(QStringLiteral("not found, printed on")).isEmpty());
    for (const char* queue : {"Grill", "Packaging"}) {
        EXPECT_EQ(bed.printedTickets().stations().queueStateOf(QString::fromLatin1(queue)),
                  QueueState::Unreachable)
            << queue;
    }
    // Started again meanwhile (the log begins anew), the server reads a printer list without any printer:
    // the same failure.
    bed.server.Stop();
    bed.server.Start();
    bed.cycle();
    EXPECT_EQ(bed.logLines(QStringLiteral("Failed")), QStringList(failed[0]));

    runTool(scheduler, {QStringLiteral("start"), root, QStringLiteral("Kitchen"), QStringLiteral("Grill"),
                        QStringLiteral("Salads"), QStringLiteral("Packaging")});
    before.clear();
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    // Once each, on its own station: the fresh scheduler holds only the second order's tickets.
    EXPECT_EQ(tickets("Grill", 1).size(), 1);
    EXPECT_EQ(tickets("Packaging", 1).size(), 1);
    EXPECT_EQ(jobCount("Kitchen"), 0);
    EXPECT_EQ(jobCount("Salads"), 0);
}

} // namespace
