#include "PrintingService.h"

#include "CapturingMessageService.h"
#include "DataModule1.h"
#include "DbErrors.h"
#include "MainForm.h"
#include "OperatorLog.h"
#include "PrintDispatcher.h"
#include "PrintServerLifecycle.h"
#include "ServiceMessageService.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace std::chrono_literals;

// The service around a real main window on a test database, with cycles that the test writes and
// ticks a millisecond apart.
class PrintingServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("Logs")));
        form.emplace(program.path());
        data.Customer_ID = data.Restaurant_ID = data.Outlet_ID = QStringLiteral("1");
        data.ConnectionStr = db.connectionString();
        data.ADOConnection1.setConnectionString(data.ConnectionStr);
        form->setDataModule(&data);
        form->Timer_Printing->setInterval(1);
        db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', 0, NULL);"));
        service.emplace(form->server(), 20ms);
    }

    // Runs the event loop until the service ends it; a test that hangs fails instead.
    int runLoop() {
        QTimer hung;
        hung.setSingleShot(true);
        QObject::connect(&hung, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        hung.start(20s);
        return QCoreApplication::exec();
    }

    QTemporaryDir program;
    TestDatabase db;
    TDataModule1 data;
    CapturingMessageService boxes;
    std::optional<TMainForm> form;
    std::optional<PrintingService> service;
};

} // namespace

// The database goes away in a cycle: the error is reported, the server stops and tries again after the
// restart delay, and again while the database is still gone, and polls again once it is back.
TEST_F(PrintingServiceTest, AHaltedServerStartsAgainWhenTheDatabaseIsBack) {
    const QString away = db.filePath() + QStringLiteral(".away");
    int cycles = 0;
    form->printServer().setCycleBatches(
        [&] {
            ++cycles;
            if (cycles == 1) {
                ASSERT_TRUE(QFile::rename(db.filePath(), away));
                throw DatabaseError(QStringLiteral("no such table: ReadyToPrint"));
            }
            service->terminate();
        },
        {});
    // Puts the database back once a restart has failed on it.
    QTimer restore;
    QObject::connect(&restore, &QTimer::timeout, [&] {
        if (memoMessages(*form).contains(
                QStringLiteral("Printing Server Not Started, Starting Again in 0.02 Seconds"))) {
            restore.stop();
            QFile::rename(away, db.filePath());
        }
    });
    restore.start(5);

    ASSERT_EQ(service->start(), PrintingService::Outcome::Running);
    EXPECT_EQ(runLoop(), 0);
    EXPECT_EQ(cycles, 2);

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("no such table: ReadyToPrint."));
    const QStringList log = memoMessages(*form);
    const auto from = [&](const QString& line) {
        return log.mid(log.indexOf(line));
    };
    // Start empties the memo: what is left is the last Start, after the failed one, and the end.
    EXPECT_EQ(log.first(), QStringLiteral("Trying to Start Printing Server"));
    EXPECT_EQ(from(QStringLiteral("Timer Enabled. Checking for new orders every >5< seconds")),
              QStringList{"Timer Enabled. Checking for new orders every >5< seconds"} + StopLines);
    EXPECT_FALSE(form->Timer_Printing->isActive());
    EXPECT_FALSE(data.ADOConnection1.isOpen());

    // The log file has the whole story in order.
    QFile file(program.filePath(QStringLiteral("Logs/Printing_Server_Log.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList story;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"))) {
        const qsizetype dash = line.indexOf(QStringLiteral(" - "));
        story << line.mid(dash + 3);
    }
    const QStringList expectedOrder = {"Timer Enabled. Checking for new orders every >5< seconds",
                                       "Stopping Timer",
                                       "Printing Server Halted, Starting Again in 0.02 Seconds",
                                       "Trying to Start Printing Server",
                                       "Could Not Start Printing Server",
                                       "Printing Server Not Started, Starting Again in 0.02 Seconds",
                                       "Trying to Start Printing Server",
                                       "Timer Enabled. Checking for new orders every >5< seconds",
                                       "Ready To Start Again"};
    qsizetype at = 0;
    for (const QString& line : expectedOrder) {
        const qsizetype found = story.indexOf(line, at);
        ASSERT_GE(found, 0) << "missing in order: " << line.toStdString() << "\n"
                            << story.join(QLatin1Char('\n')).toStdString();
        at = found + 1;
    }
}

// A termination request that comes in while a cycle runs (printing lets the event loop run) waits for
// the cycle's end: the void half still runs, Stop runs once, after it.
TEST_F(PrintingServiceTest, TerminationWaitsForTheCycleInProgress) {
    QStringList calls;
    form->printServer().setCycleBatches(
        [&] {
            calls << QStringLiteral("orders");
            service->terminate();
            calls << QStringLiteral("orders done");
        },
        [&] { calls << QStringLiteral("voids, log: ") + memoMessages(*form).last(); });

    ASSERT_EQ(service->start(), PrintingService::Outcome::Running);
    EXPECT_EQ(runLoop(), 0);
    EXPECT_EQ(calls, (QStringList{"orders", "orders done",
                                  "voids, log: Timer Enabled. Checking for new orders every >5< seconds"}));
    EXPECT_EQ(memoMessages(*form).mid(6), StopLines);
    EXPECT_FALSE(form->Timer_Printing->isActive());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PrintingServiceTest, StartOutcomes) {
    struct Case {
        const char* why;
        const char* settingsRow; // nullptr: none
        PrintingService::Outcome expected;
        const char* lastLine;
    };
    const Case cases[] = {
        {"prints", "'Kitchen', 0, NULL", PrintingService::Outcome::Running,
         "Timer Enabled. Checking for new orders every >5< seconds"},
        {"no settings row", nullptr, PrintingService::Outcome::Failed, "Could Not Start Printing Server"},
        {"screen only", "'ScreenOnly', 0, NULL", PrintingService::Outcome::NothingToPrint,
         "Database Disconnected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        form->btn_StopPrintingServerClick();
        db.exec(QStringLiteral("DELETE FROM POSGeneralSettings;"));
        if (c.settingsRow) {
            db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, %1);")
                        .arg(QString::fromLatin1(c.settingsRow)));
        }
        EXPECT_EQ(service->start(), c.expected);
        EXPECT_EQ(memoMessages(*form).last(), QString::fromLatin1(c.lastLine));
    }

    // An error while the settings row is read is reported, and Stop leaves nothing open behind it.
    form->btn_StopPrintingServerClick();
    db.exec(QStringLiteral("DROP TABLE POSGeneralSettings;"));
    EXPECT_EQ(service->start(), PrintingService::Outcome::Failed);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("POSGeneralSettings")))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(memoMessages(*form).mid(4), StopLines);
    EXPECT_FALSE(data.ADOConnection1.isOpen());
    EXPECT_TRUE(form->btn_StartPrintingServer->isEnabled());
}

// Nobody answers a box of the service: it goes to the log, and a question gets the answer that changes
// nothing (the update question's OK would end the program).
TEST(ServiceMessageServiceTest, BoxesAreLoggedAndAnsweredWithoutAChange) {
    ServiceMessageService service;
    QStringList logged;
    service.setLogWriter([&](const QString& line) { logged << line; });
    struct Case {
        int buttons;
        MessageButton answer;
    };
    const Case cases[] = {
        {MbOk, MbOk}, {MbOk | MbCancel, MbCancel}, {MbYes | MbNo, MbNo}, {MbYes | MbNo | MbCancel, MbCancel}};
    for (const Case& c : cases) {
        EXPECT_EQ(service.show(MessageRequest{QStringLiteral("Confirm"), QStringLiteral("Update?"),
                                              MessageIcon::Question, c.buttons}),
                  c.answer)
            << c.buttons;
    }
    EXPECT_EQ(logged, QStringList(4, QStringLiteral("Confirm: Update?")));
}

// Without a window to look at, a printer's state goes to the log when it changes, not with every ticket.
TEST_F(PrintingServiceTest, PrinterStatesGoToTheLogWhenTheyChange) {
    StationStates& stations = form->dispatcher().printedTickets().stations();
    QueueState queue = QueueState::Paused;
    stations.setQueueProbe([&queue](const QString&) { return queue; });
    const QDateTime at(QDate(2026, 12, 10), QTime(19, 7, 5));
    stations.ticketPrinted(QStringLiteral("Grill"), at, QueueState::Paused);
    stations.ticketPrinted(QStringLiteral("Grill"), at.addSecs(60), QueueState::Paused);
    stations.ticketFailed(QStringLiteral("Grill"), at.addSecs(120), QStringLiteral("paper out"));
    queue = QueueState::Ready;
    stations.refresh();
    stations.ticketPrinted(QStringLiteral("Grill"), at.addSecs(180), QueueState::Ready);
    EXPECT_EQ(memoMessages(*form).filter(QStringLiteral("Printer state: ")),
              QStringList({"Printer state: Grill: paused, last ticket 19:07:05",
                           "Printer state: Grill: paused, last ticket failed at 19:09:05: paper out",
                           "Printer state: Grill: ready, last ticket failed at 19:09:05: paper out",
                           "Printer state: Grill: ready, last ticket 19:10:05"}));
}
