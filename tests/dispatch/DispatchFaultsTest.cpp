// The order and void batches against a real embedded database and folder printers: what the database,
// the printers and the log hold after each fault.
#include "FileSizeLimit.h"
#include "GrillAndSaladsOutlet.h"
#include "QtGTestPrinters.h"
#include "TraceChannel.h"
#include "TrpErrorBox.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

namespace {

using DispatchFaults = GrillAndSaladsOutlet;

// A busy handler that tells when the other connection has met the lock, then keeps waiting for it.
int noteBusy(void* waiting, int attempts) {
    static_cast<std::atomic<bool>*>(waiting)->store(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return attempts < 6000 ? 1 : 0;
}

// Waits (without the event loop) until `flag` is set; false after ten seconds.
bool waitFor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 2000 && !flag.load(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return flag.load();
}

// What the cycle reports to the trace channel, in order, for one order with packaging and one void.
TEST_F(DispatchFaults, TheCycleTracesItsStepsInOrder) {
    bed.copyToPackaging(QStringLiteral("Grill"));
    bed.queue(bed.order(1, {{burger, 1, {}}}));
    bed.voidItem(QStringLiteral("Beef Burger"), {}, QStringLiteral("x"), grill);
    bed.server.Start();
    QStringList records;
    TraceChannel& trace = TraceChannel::instance();
    trace.setSink([&records](const QString& record) { records << record; });
    const bool wasEnabled = trace.Enabled;
    trace.Enabled = true;
    bed.cycle();
    trace.Enabled = wasEnabled;
    trace.setSink({});
    EXPECT_EQ(records,
              QStringList({"Enter CheckAndPrint", "Timer Disabled", "ReadyToPrintQ Opened",
                           "ReadyToPrintQ Records: 1", "Printing Normal Orders", "OrdersMasterQ Opened",
                           "OrdersMasterQ Records: 1", "Enter PrintOnPackagingPrinter",
                           "Exit PrintOnPackagingPrinter", "Enter PrintThis", "Exit PrintThis",
                           "OrdersDetails_UpdateIsPrinted Fired", "ReadyToPrint_DeletePrinted Fired",
                           "VoidedQ Opened", "VoidedQ Records: 1", "Printing Voided Items", "Timer Enabled",
                           "Exit CheckAndPrint"}));
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
    EXPECT_EQ(printers.count(QStringLiteral("Packaging")), 2);
    EXPECT_TRUE(bed.logLines(QStringLiteral("Void")).isEmpty());
}

TEST_F(DispatchFaults, AnOrderQueuedTwicePrintsOnceAndBothRowsGo) {
    const qint64 order = bed.order(1, {{burger, 1, {}}});
    bed.queue(order);
    bed.queue(order);
    bed.start();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(bed.logLines(QStringLiteral("Packaging Order Items Count #")),
              QStringList({"Packaging Order Items Count #0", "Packaging Order Items Count #0"}))
        << "no station is copied to packaging";
    EXPECT_EQ(printers.count(QStringLiteral("Packaging")), 0);
}

// A station whose printer is not installed prints on the printer used before, and the log says so; with no
// printer at all nothing counts as printed and no message box waits for anybody.
TEST_F(DispatchFaults, AStationPrinterThatIsNotInstalled) {
    const qint64 bar = bed.item(QStringLiteral("Espresso"), {}, bed.station(QStringLiteral("Bar")));
    const qint64 first = bed.order(1, {{burger, 1, {}}});
    const qint64 second = bed.order(2, {{bar, 1, {}}});
    bed.queue(first);
    bed.queue(second);
    bed.start();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(bed.logLines(QStringLiteral("not found")),
              QStringList({"Printer Bar not found, printed on Grill"}));
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 2);
    EXPECT_TRUE(printers.text(QStringLiteral("Grill"), 1).contains(QStringLiteral("Espresso")));

    printers.folders().setPrinters({});
    TrpPrinters::reset();
    const qint64 third = bed.order(3, {{burger, 1, {}}});
    bed.queue(third);
    QStringList boxes;
    const auto previous = TrpErrorBox::setHandler([&boxes](const QString& text) { boxes << text; });
    bed.cycle();
    TrpErrorBox::setHandler(previous);
    EXPECT_EQ(bed.queued(), 1);
    EXPECT_EQ(
        bed.logLines(QStringLiteral("Failed")),
        QStringList(
            QStringLiteral("Printing Order #%1 Failed: No printers installed on your system").arg(third)));
    EXPECT_TRUE(boxes.isEmpty());
}

// A station's queue deleted while the server runs is found to be gone: the list is read again and the ticket
// prints where a name that is not installed prints; once the queue is back, the next cycle uses it. A
// scheduler that does not answer is not a missing queue: the order waits.
TEST_F(DispatchFaults, AQueueThatDisappearsIsFoundAgain) {
    bed.queue(bed.order(1, {{burger, 1, {}}}));
    bed.start();
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 1);

    printers.folders().setPrinters(
        {QStringLiteral("Kitchen"), QStringLiteral("Salads"), QStringLiteral("Packaging")});
    bed.queue(bed.order(2, {{burger, 1, {}}}));
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    const QStringList fallback = bed.logLines(QStringLiteral("not found"));
    ASSERT_EQ(fallback.size(), 1);
    EXPECT_TRUE(fallback[0].startsWith(QStringLiteral("Printer Grill not found, printed on ")))
        << fallback[0].toStdString();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(bed.logLines(QStringLiteral("Failed")), QStringList());

    printers.folders().setPrinters({QStringLiteral("Kitchen"), QStringLiteral("Grill"),
                                    QStringLiteral("Salads"), QStringLiteral("Packaging")});
    bed.queue(bed.order(3, {{burger, 1, {}}}));
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2) << "the queue added back is used again";

    printers.schedulerDown = true;
    const qint64 waiting = bed.order(4, {{burger, 1, {}}});
    bed.queue(waiting);
    bed.cycle();
    EXPECT_EQ(bed.queued(), 1);
    EXPECT_EQ(bed.logLines(QStringLiteral("not found")).size(), 1)
        << "no fallback while the scheduler is away";
    printers.schedulerDown = false;
}

// A character no installed font has prints as a box and the log names it, once per kind of ticket: the
// operator learns which font to install, and the next orders with the same dish add no line.
TEST_F(DispatchFaults, ACharacterNoFontHasIsNamedOncePerKindOfTicket) {
    bed.copyToPackaging(QStringLiteral("Grill"));
    const qint64 odd = bed.item(QStringLiteral("Chef\uE000s special"), QStringLiteral("\uE001"), grill);
    const qint64 first = bed.order(1, {{odd, 1, {}}});
    const qint64 second = bed.order(2, {{odd, 2, {}}});
    bed.queue(first);
    bed.queue(second);
    bed.start();
    EXPECT_EQ(bed.queued(), 0);
    const QString line =
        QStringLiteral("%1 ticket of Order #%2 prints boxes: no installed font has U+E000, U+E001");
    EXPECT_EQ(bed.logLines(QStringLiteral("no installed font")),
              QStringList({line.arg(QStringLiteral("Packaging")).arg(first),
                           line.arg(QStringLiteral("Kitchen")).arg(first)}));
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
}

// Lines of items that belong to no station, or to a station without a name, appear on no ticket, yet are
// marked with the rest; the log names them once for the manager. A void of no station still prints (on the
// printer selected before) and is named the same way.
TEST_F(DispatchFaults, ItemsWithoutAStationPrintNowhereAndAreMarked) {
    const qint64 loose = bed.item(QStringLiteral("Bread"), {}, 0);
    const qint64 water = bed.item(QStringLiteral("Water"), {}, bed.station(QLatin1String("")));
    bed.copyToPackaging(QStringLiteral("Grill"));
    const qint64 order =
        bed.order(1, {{burger, 1, {}}, {loose, 2, {}}, {loose, 1, QStringLiteral("warm")}, {water, 1, {}}});
    bed.queue(order);
    const qint64 voided = bed.voidItem(QStringLiteral("Soup"), {}, QStringLiteral("x"), 0);
    bed.start();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2)
        << "the order's ticket, then the void on the printer "
           "selected before";
    EXPECT_EQ(printers.jobs(QString()), QStringList()) << "no ticket for the station without a name";
    EXPECT_FALSE(printers.text(QStringLiteral("Grill"), 0).contains(QStringLiteral("Bread")));
    EXPECT_FALSE(printers.text(QStringLiteral("Packaging"), 0).contains(QStringLiteral("Bread")));
    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(
        bed.logLines(QStringLiteral("no kitchen station")),
        QStringList({QStringLiteral("Order #%1: 3 item(s) have no kitchen station: Bread, Water").arg(order),
                     QStringLiteral("Void #%1: 1 item(s) have no kitchen station: Soup").arg(voided)}));
}

// The quantity printed is the quantity stored: two lines of the largest quantity a terminal can store sum
// past 32 bits, and the number, wider than its column, prints whole.
TEST_F(DispatchFaults, AHugeQuantityPrintsWhole) {
    const qint64 order = bed.order(1, {{burger, 2147483647, {}}, {burger, 2147483647, {}}, {salad, 7, {}}});
    bed.queue(order);
    bed.start();
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_TRUE(printers.text(QStringLiteral("Grill"), 0).contains(QStringLiteral("4294967294")))
        << printers.text(QStringLiteral("Grill"), 0).toStdString();
    ASSERT_EQ(printers.count(QStringLiteral("Salads")), 1);
    EXPECT_TRUE(printers.text(QStringLiteral("Salads"), 0).contains(QStringLiteral("7")));
    EXPECT_EQ(bed.queued(), 0);
}

// An order queued without its head row prints its items with the head's fields empty and says so; an
// order queued with nothing to print leaves the queue with a line that says so, once.
TEST_F(DispatchFaults, OrdersWithMissingDataAreTold) {
    const qint64 headless = bed.order(1, {{burger, 2, {}}});
    bed.db.exec(QStringLiteral("DELETE FROM OrdersMaster WHERE Master_ID = %1;").arg(headless));
    const qint64 empty = bed.order(2, {});
    bed.queue(headless);
    bed.queue(empty);
    bed.start();
    ASSERT_EQ(printers.count(QStringLiteral("Grill")), 1);
    const QString ticket = printers.text(QStringLiteral("Grill"), 0);
    EXPECT_TRUE(ticket.contains(QStringLiteral("Beef Burger"))) << ticket.toStdString();
    EXPECT_FALSE(ticket.contains(QStringLiteral("1899"))) << ticket.toStdString();
    EXPECT_FALSE(ticket.contains(QStringLiteral("Order Seq: 0"))) << ticket.toStdString();
    EXPECT_EQ(bed.unprinted(headless), 0);
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(bed.logLines(QStringLiteral("has no")),
              QStringList({QStringLiteral("Order #%1 has no order head").arg(headless),
                           QStringLiteral("Order #%1 has no items to print").arg(empty)}));
    bed.cycle();
    EXPECT_EQ(bed.logLines(QStringLiteral("has no")).size(), 2);
}

// What a hostile site gives the server stays harmless: SQL text in the outlet key is refused as a value and
// runs nothing, shell text in a station name is only a printer's name, a full disk loses no ticket. Once
// the fault is gone the order prints, each ticket exactly once.
TEST(DispatchHostileInput, StaysHarmlessAndLosesNothing) {
    QTemporaryDir scratch;
    const QString marker = scratch.filePath(QStringLiteral("shell-ran"));
    struct Case {
        const char* why;
        QString stationName; // the second station's name (and printer)
        std::function<void(DispatchTestBed&)> hostileCycle;
        std::function<void(DispatchTestBed&)> mend;
    } const cases[] = {
        {"SQL text in the outlet key", QStringLiteral("Salads"),
         [](DispatchTestBed& bed) {
             bed.panel.data.Outlet_ID = QStringLiteral("1; DELETE FROM ReadyToPrint");
             // Refused where it is first bound (Start reads the outlet's settings), as the program's
             // handler then shows it.
             try {
                 bed.server.Start();
                 bed.cycle();
                 ADD_FAILURE() << "the outlet key was taken";
             } catch (const std::exception& e) {
                 EXPECT_STREQ(e.what(), "Parameter 'Outlet_ID': '1; DELETE FROM ReadyToPrint' is not a "
                                        "valid bigint value");
             }
             EXPECT_EQ(bed.queued(), 1) << "the key ran as a statement";
         },
         [](DispatchTestBed& bed) {
             bed.server.Stop();
             bed.panel.data.Outlet_ID = QStringLiteral("1");
         }},
        {"shell text in a station name", QStringLiteral("$(touch %1)`touch %1`;touch %1").arg(marker),
         [](DispatchTestBed&) {},
         [](DispatchTestBed& bed) {
             bed.server.Stop();
         }},
        {"a full disk", QStringLiteral("Salads"),
         [](DispatchTestBed& bed) {
             const FileSizeLimit full(512);
             bed.server.Start();
             bed.cycle();
         },
         [](DispatchTestBed& bed) {
             bed.server.Stop();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        FolderPrinters printers{{"Kitchen", "Grill", "Salads", "Packaging"}};
        DispatchTestBed bed;
        const qint64 burger =
            bed.item(QStringLiteral("Beef Burger"), {}, bed.station(QStringLiteral("Grill")));
        const qint64 other = bed.item(QStringLiteral("Caesar Salad"), {}, bed.station(c.stationName));
        const qint64 order = bed.order(1, {{burger, 1, {}}, {other, 1, {}}});
        bed.queue(order);
        c.hostileCycle(bed);
        c.mend(bed);
        bed.start();
        bed.cycle();
        EXPECT_EQ(bed.queued(), 0);
        EXPECT_EQ(bed.unprinted(order), 0);
        // The Grill's ticket, and the other on its station or where a name that is not installed prints.
        int tickets = 0;
        for (const char* printer : {"Kitchen", "Grill", "Salads", "Packaging"}) {
            tickets += printers.count(QString::fromLatin1(printer));
        }
        EXPECT_EQ(tickets, 2);
        EXPECT_FALSE(QFile::exists(marker)) << "a station name reached a shell";
    }
}

// A template that is missing, cut short before its item band, or with an expression the engine cannot
// read, is that ticket's failure: the order stays queued with its lines unmarked, and the log says why on
// one line.
TEST_F(DispatchFaults, AMissingOrDamagedTemplateKeepsTheOrderQueued) {
    struct Case {
        const char* why;
        std::function<void(const QString& file)> damage;
        const char* logged;
    } const cases[] = {
        {"deleted", [](const QString& file) { QFile::remove(file); },
         "The ticket template \"rep_KitchenOrder.xml\" cannot be found"},
        {"cut before the item band",
         [](const QString& file) {
             QFile f(file);
             ASSERT_TRUE(f.open(QIODevice::ReadOnly));
             const QByteArray whole = f.readAll();
             f.close();
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write(whole.left(whole.indexOf("<TrpMasterData")));
         },
         "The ticket template \"rep_KitchenOrder.xml\" is damaged: it shows 0 of 1 item lines"},
        // The engine's errors come as a heading and a line per error: the order's line keeps them on one.
        {"an expression the engine cannot read",
         [](const QString& file) {
             QFile f(file);
             ASSERT_TRUE(f.open(QIODevice::ReadOnly));
             QByteArray whole = f.readAll();
             f.close();
             ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
             f.write(whole.replace("Text=\"Customer Order\"", "Text=\"[1 +]\""));
         },
         "The following error(s) have occured: Memo1: Error in expression '1 +': Expression outside the "
         "supported subset"},
    };
    for (const Case& c : cases) {
        DispatchTestBed local;
        const qint64 station = local.station(QStringLiteral("Grill"));
        const qint64 order = local.order(1, {{local.item(QStringLiteral("Burger"), {}, station), 1, {}}});
        local.queue(order);
        c.damage(local.templateFile(QStringLiteral("rep_KitchenOrder.xml")));
        const int before = printers.count(QStringLiteral("Grill"));
        local.start();
        EXPECT_EQ(printers.count(QStringLiteral("Grill")), before) << c.why;
        EXPECT_EQ(local.queued(), 1) << c.why;
        EXPECT_EQ(local.unprinted(order), 1) << c.why;
        EXPECT_EQ(
            local.logLines(QStringLiteral("Failed")),
            QStringList(
                QStringLiteral("Printing Order #%1 Failed: %2").arg(order).arg(QLatin1String(c.logged))))
            << c.why;
        EXPECT_TRUE(local.panel.timer) << c.why << ": the cycle ended normally";
        local.server.Stop();
    }
}

// An installation adds a band of its own to the kitchen ticket (a counter under the items): only the rows
// of the band over the item adapter are the ticket's item lines, so the ticket prints.
TEST_F(DispatchFaults, AnExtraBandInTheTemplateIsNotCountedAsItems) {
    QFile file(bed.templateFile(QStringLiteral("rep_KitchenOrder.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray xml = file.readAll();
    file.close();
    const qsizetype end = xml.indexOf("</TrpMasterData>") + qsizetype(sizeof("</TrpMasterData>") - 1);
    ASSERT_GT(end, 20);
    xml.insert(end,
               R"(<TrpMasterData Name="CounterBand" FillType="ftBrush" Frame.Typ="0" Height="10" Left="0" )"
               R"(Top="240" Width="264.5671" DataSet="repDS_OrdersMaster" DataSetName="repDS_OrdersMaster" )"
               R"(RowCount="0"></TrpMasterData>)");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(xml);
    file.close();
    const qint64 order = bed.order(1, {{burger, 2, {}}, {burger, 1, QStringLiteral("no onion")}});
    bed.queue(order);
    bed.start();
    EXPECT_EQ(bed.logLines(QStringLiteral("Failed")), QStringList());
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(bed.queued(), 0);
}

// Another connection (a terminal's long write) holds the database's write lock for a second while a cycle
// begins: the order waits for it, then prints; the server does not halt.
TEST_F(DispatchFaults, AWriteLockHeldElsewhereForASecondIsWaitedFor) {
    const qint64 order = bed.order(1, {{burger, 1, {}}});
    bed.queue(order);
    bed.start();
    const qint64 second = bed.order(2, {{burger, 2, {}}});
    bed.queue(second);
    std::atomic<bool> locked = false;
    std::thread terminal([file = bed.db.filePath().toUtf8(), &locked] {
        sqlite3* handle = nullptr;
        sqlite3_open(file.constData(), &handle);
        sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        locked = true;
        std::this_thread::sleep_for(std::chrono::seconds(1));
        sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(handle);
    });
    const auto joined = qScopeGuard([&terminal] { terminal.join(); });
    ASSERT_TRUE(waitFor(locked));
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
    EXPECT_EQ(bed.logLines(QStringLiteral("Failed")), QStringList());
    EXPECT_TRUE(bed.panel.timer) << "halted";
}

// The third of five orders fails after its tickets printed (its queue row cannot be removed): the others
// print once and leave the queue; the third stays, and when tried again its unchanged tickets are not
// printed a second time.
TEST_F(DispatchFaults, OneFailingOrderLeavesTheOthersAlone) {
    QList<qint64> orders;
    for (int i = 1; i <= 5; ++i) {
        orders << bed.order(i, {{burger, i, {}}});
        bed.queue(orders.last());
    }
    bed.db.exec(
        QStringLiteral("CREATE TRIGGER KeepThird BEFORE DELETE ON ReadyToPrint WHEN old.Master_ID = %1 "
                       "BEGIN SELECT RAISE(ABORT, 'queue row held by a terminal'); END;")
            .arg(orders[2]));
    bed.start();
    bed.cycle();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 5) << "each order once, the third not again";
    EXPECT_EQ(bed.queued(), 1);
    EXPECT_EQ(bed.unprinted(orders[2]), 1);
    for (const int i : {0, 1, 3, 4}) {
        EXPECT_EQ(bed.unprinted(orders[i]), 0);
    }
    EXPECT_EQ(
        bed.logLines(QStringLiteral("Failed")),
        QStringList(QStringLiteral("Printing Order #%1 Failed: queue row held by a terminal").arg(orders[2])))
        << "the same failure again is not logged every cycle";
    EXPECT_EQ(bed.logLines(QStringLiteral("skipped")), QStringList())
        << "the retry's skipped ticket is as quiet as its failure";

    bed.db.exec(QStringLiteral("DROP TRIGGER KeepThird;"));
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 5);
}

// An order that keeps failing adds nothing to the log cycle after cycle (its skipped tickets and item counts
// are as quiet as its failure line); after Stop and Start, which empty the operator's log, its story is
// told again from the first.
TEST_F(DispatchFaults, ARetriedOrderIsToldOnceUntilTheNextStart) {
    const qint64 order = bed.order(7, {{burger, 1, {}}});
    bed.queue(order);
    bed.db.exec(QStringLiteral("CREATE TRIGGER KeepIt BEFORE DELETE ON ReadyToPrint "
                               "BEGIN SELECT RAISE(ABORT, 'queue row held by a terminal'); END;"));
    const QString id = QStringLiteral("#%1").arg(order);
    const QStringList first = {
        QStringLiteral("Packaging Order Items Count #0"),
        QStringLiteral("Printing Order %1 Using Printer: Grill").arg(id),
        QStringLiteral("Printing Order %1 Failed: queue row held by a terminal").arg(id)};
    bed.start();
    EXPECT_EQ(bed.logLines(id), first.mid(1));
    EXPECT_EQ(bed.logLines(QStringLiteral("Items Count")), first.mid(0, 1));
    const qsizetype before = bed.panel.log.size();
    bed.cycle();
    bed.cycle();
    EXPECT_EQ(bed.panel.log.size(), before) << bed.panel.log.mid(before).join(QLatin1Char('|')).toStdString();

    bed.server.Stop();
    bed.start();
    EXPECT_EQ(
        bed.logLines(id),
        QStringList({QStringLiteral("Printing Order %1 Using Printer: Grill skipped, printed before").arg(id),
                     first[2]}));
    EXPECT_EQ(bed.logLines(QStringLiteral("Items Count")), QStringList(first[0]));
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
}

// A terminal adds a line to an order while its tickets print: the line waits for the order's unit, is
// not marked printed by it, and prints in the next cycle.
TEST_F(DispatchFaults, ALineAddedWhileTheOrderPrintsIsNotMarked) {
    const qint64 order = bed.order(1, {{burger, 1, {}}});
    bed.queue(order);
    std::thread terminal;
    std::atomic<bool> waiting = false;
    bool added = false; // the terminal adds its line once, during the first ticket
    printers.onJob = [&](const QString&) {
        if (added) {
            return;
        }
        added = true;
        const QByteArray file = bed.db.filePath().toUtf8();
        const QByteArray sql =
            QStringLiteral("INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, "
                           "Master_ID, Item_ID, Item_QTY) VALUES (1, 1, 1, %1, %2, 1);"
                           "INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, "
                           "Master_ID) VALUES (1, 1, 1, %1);")
                .arg(order)
                .arg(salad)
                .toUtf8();
        terminal = std::thread([file, sql, &waiting] {
            sqlite3* handle = nullptr;
            sqlite3_open(file.constData(), &handle);
            sqlite3_busy_handler(handle, noteBusy, &waiting);
            sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            sqlite3_exec(handle, sql.constData(), nullptr, nullptr, nullptr);
            sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(handle);
        });
        // The terminal has met the order's lock and waits for the unit to end.
        ASSERT_TRUE(waitFor(waiting));
    };
    const auto joined = qScopeGuard([&terminal] {
        if (terminal.joinable()) {
            terminal.join();
        }
    });
    bed.start();
    ASSERT_TRUE(terminal.joinable());
    terminal.join();
    EXPECT_EQ(bed.unprinted(order), 1) << "the added line was marked printed without being printed";
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 0);
    bed.cycle();
    EXPECT_EQ(bed.unprinted(order), 0);
    ASSERT_EQ(printers.count(QStringLiteral("Salads")), 1);
    EXPECT_TRUE(printers.text(QStringLiteral("Salads"), 0).contains(QStringLiteral("Caesar Salad")));
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
}

// A terminal that meets the write lock while an order prints gets it before the next order takes it: its
// own busy handler (SQLite's, sleeping up to 100 ms between tries) finds the lock free between the two.
TEST_F(DispatchFaults, ATerminalWaitingForTheLockWritesBetweenTwoOrders) {
    const qint64 first = bed.order(1, {{burger, 1, {}}});
    const qint64 second = bed.order(2, {{burger, 2, {}}});
    bed.queue(first);
    bed.queue(second);
    std::thread terminal;
    std::atomic<bool> written = false;
    QList<bool> writtenAtJob; // whether the terminal had written when each ticket started
    printers.onJob = [&](const QString&) {
        writtenAtJob << written.load();
        if (terminal.joinable()) {
            return;
        }
        const QByteArray file = bed.db.filePath().toUtf8();
        terminal = std::thread([file, &written] {
            sqlite3* handle = nullptr;
            sqlite3_open(file.constData(), &handle);
            sqlite3_busy_timeout(handle, 5000);
            // Busy for up to five seconds, as a terminal's connection is.
            if (sqlite3_exec(handle, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_BUSY) {
                sqlite3_close(handle);
                return;
            }
            sqlite3_exec(handle, "INSERT INTO OrderKinds VALUES (2, 'Take Away'); COMMIT", nullptr, nullptr,
                         nullptr);
            written = true;
            sqlite3_close(handle);
        });
        // The terminal meets the order's lock before the unit goes on.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    const auto joined = qScopeGuard([&terminal] {
        if (terminal.joinable()) {
            terminal.join();
        }
    });
    bed.start();
    terminal.join();
    EXPECT_TRUE(written.load()) << "the terminal's write failed";
    EXPECT_EQ(writtenAtJob, (QList<bool>{false, true}))
        << "the second order took the lock before the waiting terminal had its turn";
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
}

// The database cannot be read any more: the cycle leaves at once and the server is halted.
TEST_F(DispatchFaults, AnUnreadableDatabaseHaltsTheServer) {
    bed.queue(bed.order(1, {{burger, 1, {}}}));
    bed.start();
    const int printed = printers.count(QStringLiteral("Grill"));
    bed.queue(bed.order(2, {{burger, 1, {}}}));
    {
        QFile file(bed.db.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(100, 'x'));
    }
    for (int tick = 0; tick < 5; ++tick) {
        bed.server.Tick();
    }
    EXPECT_ANY_THROW(bed.server.Tick());
    EXPECT_FALSE(bed.panel.timer);
    EXPECT_EQ(bed.state.ElapsedSeconds, 6);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), printed);
}

// A restored copy put in the database file's place, then the file removed, under the running server: the
// cycle halts naming the file instead of reading on in the old one, and Stop and Start reach the new file.
TEST_F(DispatchFaults, ADatabaseFileReplacedOrRemovedHaltsTheServer) {
    bed.queue(bed.order(1, {{burger, 1, {}}}));
    bed.start();
    const int printed = printers.count(QStringLiteral("Grill"));
    const QString path = bed.db.filePath();
    const QString halt = QStringLiteral("The database file \"%1\" was removed or replaced").arg(path);
    const auto cycleFailure = [this]() -> QString {
        try {
            bed.cycle();
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return QStringLiteral("<the cycle ran>");
    };

    const QString copy = path + QStringLiteral(".restored");
    ASSERT_TRUE(QFile::copy(path, copy));
    ASSERT_EQ(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()), 0);
    bed.db.reopen();
    bed.queue(bed.order(2, {{burger, 1, {}}}));
    EXPECT_EQ(cycleFailure(), halt);
    EXPECT_FALSE(bed.panel.timer);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), printed);

    bed.server.Stop();
    bed.server.Start();
    bed.cycle();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), printed + 1);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(cycleFailure(), halt);
    EXPECT_FALSE(bed.panel.timer);
}

// Stop chosen while a ticket prints: the cycle ends at the next order without a statement on the closed
// connection and leaves the timer off; after Start the unfinished order prints its remaining tickets only.
TEST_F(DispatchFaults, StopDuringACycleEndsItAtTheNextOrder) {
    const qint64 first = bed.order(1, {{burger, 1, {}}, {salad, 1, {}}});
    const qint64 second = bed.order(2, {{burger, 2, {}}});
    bed.queue(first);
    bed.queue(second);
    bool stopped = false;
    printers.onJob = [&](const QString&) {
        if (!stopped) {
            stopped = true;
            bed.server.Stop();
        }
    };
    bed.server.Start();
    bed.cycle();
    EXPECT_FALSE(bed.panel.timer);
    EXPECT_FALSE(bed.panel.data.ADOConnection1.isOpen()) << "a statement opened the connection again";
    EXPECT_TRUE(bed.panel.log.contains(QStringLiteral("Ready To Start Again")));
    EXPECT_EQ(bed.queued(), 2);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")) + printers.count(QStringLiteral("Salads")), 1);

    bed.start();
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2) << "one ticket per order";
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 1);
}

// Stop and Start inside one long cycle: no second cycle starts inside it, and polling goes on afterwards.
TEST_F(DispatchFaults, StopAndStartInsideACycleNeverNestCycles) {
    bed.queue(bed.order(1, {{burger, 1, {}}}));
    int jobs = 0;
    printers.onJob = [&](const QString&) {
        ++jobs;
        if (jobs == 1) {
            bed.server.Stop();
            bed.server.Start();
            for (int tick = 0; tick < 6; ++tick) {
                bed.server.Tick();
            }
        }
    };
    bed.server.Start();
    bed.cycle();
    EXPECT_EQ(jobs, 1);
    EXPECT_TRUE(bed.panel.timer) << "the Start inside the cycle armed the timer";
    for (int tick = 0; tick < 6; ++tick) {
        bed.server.Tick();
    }
    EXPECT_EQ(bed.queued(), 0) << "the next cycle ran on the sixth tick after the first cycle ended";
}

} // namespace
