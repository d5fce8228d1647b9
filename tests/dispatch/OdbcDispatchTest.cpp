// One dispatch cycle on the same orders, once on the embedded database and once on the same kind of
// database file reached through the ODBC driver manager and Debian's SQLite ODBC driver: the statements,
// their parameters and columns, the order's immediate transaction and the outlet lock all go through ODBC,
// and the kitchen gets the same tickets, the database the same rows, the log the same lines.
#include "DispatchTestBed.h"
#include "FolderPrinters.h"
#include "OutletLock.h"
#include "QtGTestPrinters.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct Outcome {
    QMap<QString, QStringList> tickets; // by printer: the text of each ticket, in order
    QStringList log;
    int queued = 0;
    int unprinted = 0;
    int unnoted = 0;
};

// Queues the same orders and a void on a fresh outlet, reached through ODBC when `odbc` is set, and runs
// Start and one cycle.
Outcome runOnce(bool odbc, const std::function<void(DispatchTestBed&)>& whileRunning = {}) {
    FolderPrinters printers{{"Kitchen", "Grill", "Salads", "Packaging"}};
    DispatchTestBed bed{true};
    const qint64 grill = bed.station(QStringLiteral("Grill"));
    const qint64 salads = bed.station(QStringLiteral("Salads"));
    const qint64 burger = bed.item(QStringLiteral("Beef Burger"), QStringLiteral("برغر لحم"), grill);
    const qint64 salad = bed.item(QStringLiteral("Caesar Salad"), {}, salads);
    bed.copyToPackaging(QStringLiteral("Grill"));
    const QString longRemark = QString(3000, QLatin1Char('x'));
    bed.queue(bed.order(1, {{burger, 2, QStringLiteral("Well done")}, {salad, 1, {}}}));
    bed.queue(bed.order(2, {{burger, 1, longRemark}, {burger, 1, longRemark}}));
    bed.voidItem(QStringLiteral("Caesar Salad"), QStringLiteral("no croutons"), QStringLiteral("Cold"),
                 salads);
    if (odbc) {
        TDataModule1& data = bed.panel.data;
        data.ConnectionStr = composeConnectionString(QStringLiteral("pw"), QStringLiteral("pos"),
                                                     bed.db.filePath(), QString(), QStringLiteral("TILL1"));
        data.ADOConnection1.setConnectionString(data.ConnectionStr);
        data.ADOConnection1.setOdbcSettings({QStringLiteral("SQLite3"), QString(), QString()});
    }
    bed.start();
    if (odbc) {
        EXPECT_EQ(bed.panel.data.ADOConnection1.dbmsName(), QStringLiteral("SQLite"));
    }
    if (whileRunning) {
        whileRunning(bed);
    }
    Outcome out;
    for (const char* name : {"Kitchen", "Grill", "Salads", "Packaging"}) {
        const QString printer = QString::fromLatin1(name);
        for (int i = 0; i < printers.count(printer); ++i) {
            out.tickets[printer] << printers.text(printer, i);
        }
    }
    out.log = bed.panel.log;
    out.queued = bed.queued();
    out.unprinted =
        bed.db.scalar(QStringLiteral("SELECT count(*) FROM OrdersDetails WHERE isPrinted = 0")).toInt();
    out.unnoted = bed.unnoted();
    bed.server.Stop();
    return out;
}

TEST(OdbcDispatch, ACycleThroughTheOdbcDriverGivesWhatTheEmbeddedDatabaseGives) {
    const Outcome embedded = runOnce(false);
    bool lockedOut = false;
    const Outcome odbc = runOnce(true, [&lockedOut](DispatchTestBed& bed) {
        // The server's outlet lock, taken over ODBC, keeps a second server on the embedded path out.
        DbConnection other;
        other.setConnectionString(bed.db.connectionString());
        OutletLock second;
        const auto refusal =
            second.acquire(other, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
        lockedOut = refusal == OutletLock::heldElsewhereMessage();
    });
    EXPECT_TRUE(lockedOut);
    ASSERT_EQ(embedded.tickets.value(QStringLiteral("Grill")).size(), 2);
    ASSERT_EQ(embedded.tickets.value(QStringLiteral("Salads")).size(), 2) << "an order and the void";
    EXPECT_EQ(odbc.tickets, embedded.tickets);
    EXPECT_EQ(odbc.log, embedded.log);
    EXPECT_EQ(odbc.queued, 0);
    EXPECT_EQ(odbc.unprinted, 0);
    EXPECT_EQ(odbc.unnoted, 0);
}

} // namespace
