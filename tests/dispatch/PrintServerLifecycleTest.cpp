#include "PrintServerLifecycle.h"

#include "ConnectionFailure.h"
#include "DataModule1.h"
#include "DbErrors.h"
#include "TestDatabase.h"
#include "TestPanel.h"
#include "TraceChannel.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace {

using FakePanel = TestPanel;

const QStringList Connected = {"Trying to Start Printing Server", "Trying to Connect to DB Server",
                               "Connection to DB Server is Successful", "Trying to Read Settings Record"};
const QStringList StopLines = {"Stopping Timer", "Timer Stopped", "Disconnecting Database",
                               "Database Disconnected", "Ready To Start Again"};

class PrintServerLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.SecondsToFirePrintingTimer = 6;
        panel.data.Customer_ID = QStringLiteral("1");
        panel.data.Restaurant_ID = QStringLiteral("1");
        panel.data.Outlet_ID = QStringLiteral("1");
        panel.data.ConnectionStr = db.connectionString();
        panel.data.ADOConnection1.setConnectionString(panel.data.ConnectionStr);
    }

    void settingsRow(const QString& values) {
        db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, %1);").arg(values));
    }

    bool running() const { return !panel.start && panel.stop && panel.timer; }
    bool stopped() const { return panel.start && !panel.stop && !panel.timer; }

    TestDatabase db;
    PrintServerState state;
    FakePanel panel;
    PrintServerLifecycle server{state, panel};
};

} // namespace

TEST_F(PrintServerLifecycleTest, SettingsRowDecidesWhetherTheServerStarts) {
    const QStringList failed = Connected + QStringList{"Database Disconnected", "Reading Settings Failed",
                                                       "Could Not Start Printing Server"};
    const QStringList screenOnly =
        Connected + QStringList{"Reading Settings Done Successfully",
                                "Printing Options is >Screen Only<, No Need for Print Server!",
                                "Database Disconnected"};
    const QStringList started =
        Connected + QStringList{"Reading Settings Done Successfully",
                                "Timer Enabled. Checking for new orders every >5< seconds"};
    struct Case {
        const char* why;
        QStringList rows; // value lists for the outlet's settings rows
        QStringList expectedLog;
        bool runs;
    };
    const Case cases[] = {
        {"no settings row", {}, failed, false},
        {"two settings rows", {"'Kitchen', 0, NULL", "'Kitchen', 0, NULL"}, failed, false},
        {"screen only", {"'ScreenOnly', 1, 'Pass'"}, screenOnly, false},
        {"other letter case prints", {"'screenonly', 1, 'Pass'"}, started, true},
        {"trailing blank prints", {"'ScreenOnly ', 1, 'Pass'"}, started, true},
        {"empty options print", {"'', 1, 'Pass'"}, started, true},
        {"null options print", {"NULL, 1, 'Pass'"}, started, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        db.exec(QStringLiteral("DELETE FROM POSGeneralSettings;"));
        for (const QString& row : c.rows) {
            settingsRow(row);
        }
        // Another outlet's row never counts.
        db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 2, 'Kitchen', 1, 'X');"));
        server.Stop();
        panel.log.clear();

        server.Start();
        EXPECT_EQ(panel.log, c.expectedLog);
        EXPECT_EQ(running(), c.runs);
        EXPECT_EQ(stopped(), !c.runs);
        EXPECT_EQ(panel.data.ADOConnection1.isOpen(), c.runs);
        if (c.runs) {
            EXPECT_TRUE(state.Use_Packaging_Printer);
            EXPECT_EQ(state.Packaging_Printer_Name, QStringLiteral("Pass"));
        }
        db.exec(QStringLiteral("DELETE FROM POSGeneralSettings;"));
    }
}

TEST_F(PrintServerLifecycleTest, NullSettingsReadAsEmptyAndFalse) {
    settingsRow(QStringLiteral("NULL, NULL, NULL"));
    state.Use_Packaging_Printer = true;
    state.Packaging_Printer_Name = QStringLiteral("old");
    server.Start();
    ASSERT_TRUE(running());
    EXPECT_EQ(state.PrintingOptions, QString());
    EXPECT_FALSE(state.Use_Packaging_Printer);
    EXPECT_EQ(state.Packaging_Printer_Name, QString());
}

TEST_F(PrintServerLifecycleTest, ConnectionFailureLeavesTheServerStopped) {
    panel.data.ADOConnection1.setConnectionString(composeConnectionString(
        {}, {}, {}, QStringLiteral("sqlite:") + db.folder() + QStringLiteral("/gone.db"), {}));
    server.Start();
    ASSERT_EQ(panel.log.size(), 4);
    EXPECT_EQ(panel.log[0], QStringLiteral("Trying to Start Printing Server"));
    EXPECT_EQ(panel.log[1], QStringLiteral("Trying to Connect to DB Server"));
    EXPECT_TRUE(panel.log[2].startsWith(
        QStringLiteral("General Database Connection Error \r\nCannot open database")));
    EXPECT_EQ(panel.log[3], QStringLiteral("Could Not Start Printing Server"));
    EXPECT_TRUE(stopped());
}

TEST_F(PrintServerLifecycleTest, AnOpenConnectionIsUsedAsItIs) {
    settingsRow(QStringLiteral("'Kitchen', 0, NULL"));
    panel.data.ADOConnection1.open();
    server.Start();
    EXPECT_EQ(panel.log.mid(0, 4), Connected);
    EXPECT_TRUE(running());
}

TEST_F(PrintServerLifecycleTest, AFailedSettingsReadBlocksTheServer) {
    db.exec(QStringLiteral("DROP TABLE POSGeneralSettings;"));
    EXPECT_THROW(server.Start(), DatabaseError);
    EXPECT_EQ(panel.log, Connected);
    EXPECT_FALSE(panel.start);
    EXPECT_FALSE(panel.stop);
    EXPECT_FALSE(panel.timer);
    EXPECT_TRUE(panel.data.ADOConnection1.isOpen());
    // Stop still works from there.
    server.Stop();
    EXPECT_TRUE(stopped());
}

TEST_F(PrintServerLifecycleTest, StopLogsItsWholeSequenceInAnyState) {
    server.Stop();
    EXPECT_EQ(panel.log, StopLines);
    EXPECT_TRUE(stopped());
}

TEST_F(PrintServerLifecycleTest, TheSixthTickRunsTheCycleInsideItsFrame) {
    settingsRow(QStringLiteral("'Kitchen', 1, 'Pass'"));
    QStringList calls;
    server.setCycleBatches([&] { calls << (panel.timer ? "orders, timer on" : "orders, timer off"); },
                           [&] { calls << QStringLiteral("voids"); });
    QStringList trace;
    TraceChannel::instance().Enabled = true;
    TraceChannel::instance().setSink([&](const QString& record) { trace << record; });

    server.Start();
    ASSERT_TRUE(running());
    trace.clear();
    for (int tick = 1; tick <= 5; ++tick) {
        server.Tick();
        EXPECT_EQ(state.ElapsedSeconds, tick);
        EXPECT_EQ(panel.progress, tick);
        EXPECT_TRUE(calls.isEmpty());
    }
    server.Tick();
    EXPECT_EQ(calls, (QStringList{"orders, timer off", "voids"}));
    EXPECT_EQ(state.ElapsedSeconds, 0);
    EXPECT_EQ(panel.progress, 0);
    EXPECT_TRUE(panel.timer);
    EXPECT_EQ(trace,
              (QStringList{"Enter CheckAndPrint", "Timer Disabled", "Timer Enabled", "Exit CheckAndPrint"}));
    TraceChannel::instance().Enabled = false;
    TraceChannel::instance().setSink({});

    // The next cycle again comes six ticks later, also after Stop and Start.
    for (int tick = 1; tick <= 6; ++tick) {
        server.Tick();
    }
    EXPECT_EQ(calls.size(), 4);
    server.Tick();
    server.Stop();
    server.Start();
    EXPECT_EQ(panel.progress, 0);
    for (int tick = 1; tick <= 5; ++tick) {
        server.Tick();
    }
    EXPECT_EQ(calls.size(), 4);
    server.Tick();
    EXPECT_EQ(calls.size(), 6);
}

TEST_F(PrintServerLifecycleTest, AFailureEscapingTheCycleHaltsTheServer) {
    settingsRow(QStringLiteral("'Kitchen', 0, NULL"));
    bool voidsRan = false;
    server.setCycleBatches([] { throw DatabaseError(QStringLiteral("queue unreadable")); },
                           [&] { voidsRan = true; });
    server.Start();
    for (int tick = 1; tick <= 5; ++tick) {
        server.Tick();
    }
    EXPECT_THROW(server.Tick(), DatabaseError);
    EXPECT_FALSE(voidsRan);
    EXPECT_FALSE(panel.timer);
    EXPECT_EQ(state.ElapsedSeconds, 6);
    EXPECT_EQ(panel.progress, 5);
    EXPECT_TRUE(panel.stop);
    EXPECT_FALSE(panel.start);

    server.setCycleBatches({}, {});
    server.Stop();
    server.Start();
    EXPECT_TRUE(running());
    EXPECT_EQ(state.ElapsedSeconds, 0);
}

TEST_F(PrintServerLifecycleTest, StopDuringACycleIsNotUndoneWhenTheCycleEnds) {
    settingsRow(QStringLiteral("'Kitchen', 0, NULL"));
    server.setCycleBatches([&] { server.Stop(); }, {});
    server.Start();
    server.CheckAndPrint();
    EXPECT_TRUE(stopped());
    EXPECT_FALSE(panel.data.ADOConnection1.isOpen());
}

// Two servers for one outlet would print every ticket twice: the second one's Start fails until the
// first one stops, while a server for another outlet of the same database starts.
TEST_F(PrintServerLifecycleTest, OneServerPerOutlet) {
    settingsRow(QStringLiteral("'Kitchen', 0, NULL"));
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 2, 'Kitchen', 0, NULL);"));
    const auto makePanel = [&](const char* outlet) {
        auto other = std::make_unique<FakePanel>();
        other->data.Customer_ID = other->data.Restaurant_ID = QStringLiteral("1");
        other->data.Outlet_ID = QString::fromLatin1(outlet);
        other->data.ADOConnection1.setConnectionString(db.connectionString());
        return other;
    };
    PrintServerState secondState;
    const auto second = makePanel("1");
    PrintServerLifecycle secondServer{secondState, *second};
    PrintServerState otherState;
    const auto other = makePanel("2");
    PrintServerLifecycle otherOutlet{otherState, *other};

    server.Start();
    ASSERT_TRUE(running());
    secondServer.Start();
    const QStringList refused =
        Connected + QStringList{"Reading Settings Done Successfully", "Database Disconnected",
                                "Another printing server is running for this outlet",
                                "Could Not Start Printing Server"};
    EXPECT_EQ(second->log, refused);
    EXPECT_TRUE(second->start);
    EXPECT_FALSE(second->stop);
    EXPECT_FALSE(second->timer);
    EXPECT_FALSE(second->data.ADOConnection1.isOpen());

    otherOutlet.Start();
    EXPECT_TRUE(other->timer) << other->log.join(QLatin1Char('\n')).toStdString();

    server.Stop();
    secondServer.Start();
    EXPECT_TRUE(second->timer) << second->log.join(QLatin1Char('\n')).toStdString();
    // Stop and Start of one server take the lock again.
    secondServer.Stop();
    secondServer.Start();
    EXPECT_TRUE(second->timer) << second->log.join(QLatin1Char('\n')).toStdString();
}
