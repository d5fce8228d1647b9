// The program run as a service on the demo database, printing through the capture queues of a private
// print scheduler, as it runs unattended in a back office.
#include "CaptureQueues.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

const QString TimerEnabled = QStringLiteral("Timer Enabled. Checking for new orders every >5< seconds");
const QStringList StopLines = {"Stopping Timer", "Timer Stopped", "Disconnecting Database",
                               "Database Disconnected", "Ready To Start Again"};
const char* const Queues[] = {"Kitchen", "Grill", "Salads", "Bar", "Packaging"};

QString script(const QString& name) {
    return qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/scripts/") + name;
}

// The demo database, its settings file and what the service prints from it.
class ServicePrintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        runTool(QStringLiteral("bash"), {script(QStringLiteral("seed-demo-db")), db});
        ASSERT_TRUE(QFile::exists(db));
        writeSettingsFile(settings, db);
        for (const char* queue : Queues) {
            runTool(QStringLiteral("cupsenable"), {QString::fromLatin1(queue)});
            runTool(QStringLiteral("cupsaccept"), {QString::fromLatin1(queue)});
            before[queue] = jobCount(queue);
        }
    }

    int count(const QString& sql) const {
        return runTool(QStringLiteral("sqlite3"),
                       {QStringLiteral("-cmd"), QStringLiteral(".timeout 30000"), db, sql})
            .trimmed()
            .toInt();
    }
    // Nothing queued and no void waiting: the cycle has printed what the demo queued.
    bool allPrinted() const {
        return count(QStringLiteral("SELECT (SELECT count(*) FROM ReadyToPrint) + "
                                    "(SELECT count(*) FROM AfterKitchenVoids WHERE isNoted = 0)")) == 0;
    }
    int newJobs(const char* queue) { return jobCount(queue) - before[queue]; }
    // The demo's three orders and two voids: a ticket per station of each order, a packaging copy of each
    // order and of each void, each void on its station. One more is a duplicate.
    void expectExactJobs() {
        const std::map<std::string, int> expected = {
            {"Grill", 4}, {"Salads", 2}, {"Bar", 3}, {"Packaging", 5}};
        for (const auto& [station, jobs] : expected) {
            EXPECT_TRUE(waitForJobs(station.c_str(), before[station] + jobs)) << station;
            EXPECT_EQ(newJobs(station.c_str()), jobs) << station;
        }
        EXPECT_EQ(newJobs("Kitchen"), 0) << "every demo printer is installed: nothing falls back";
    }
    static bool hasLine(ServiceProcess& service, const QString& line) { return service.log().contains(line); }
    // A terminal queues an order: the next Master_ID of the demo.
    void queueOrder() { runTool(QStringLiteral("bash"), {script(QStringLiteral("queue-random-order")), db}); }

    // A terminal queues order #4 while the service runs: the service prints it by itself.
    void expectNewOrderPrinted(ServiceProcess& service) {
        queueOrder();
        EXPECT_TRUE(service.waitUntil(
            [&] { return hasLineStartingWith(service, QStringLiteral("Printing Order #4 Using Printer: ")); },
            30000))
            << service.log().join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(service.waitUntil([&] { return allPrinted(); }));
    }
    static bool hasLineStartingWith(ServiceProcess& service, const QString& start) {
        const QStringList log = service.log();
        return std::any_of(log.begin(), log.end(),
                           [&](const QString& line) { return line.startsWith(start); });
    }
    static void expectStoppedCleanly(ServiceProcess& service) {
        service.signal(SIGTERM);
        ASSERT_TRUE(service.waitForExit());
        EXPECT_TRUE(service.exitedNormally());
        EXPECT_EQ(service.exitCode(), 0);
        const QStringList log = service.log();
        EXPECT_EQ(log.mid(log.size() - StopLines.size()), StopLines);
    }

    QTemporaryDir dir;
    QString program = installProgram(dir.filePath(QStringLiteral("program")));
    QString db = dir.filePath(QStringLiteral("restaurant.db"));
    QString settings = dir.filePath(QStringLiteral("HKCU.reg"));
    QStringList environment = {QStringLiteral("CUPS_SERVER=") + qEnvironmentVariable("CUPS_SERVER")};
    std::map<std::string, int> before;
};

} // namespace

// Started by the machine, the service prints the queued orders and voids at once, refuses a second
// server for its outlet while it goes on printing, and stops cleanly on SIGTERM.
TEST_F(ServicePrintingTest, PrintsWhatIsQueuedAndKeepsItsOutletToItself) {
    ServiceProcess service(program, settings, environment);
    ASSERT_TRUE(service.waitUntil([&] { return allPrinted(); }, 60000))
        << service.log().join(QLatin1Char('\n')).toStdString() << service.standardError().toStdString();
    expectExactJobs();
    EXPECT_TRUE(service.log().contains(QStringLiteral("Printing Order #1 Using Printer: Grill")));

    ServiceProcess second(program, settings, environment);
    ASSERT_TRUE(second.waitForExit());
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.log().contains(QStringLiteral("Another printing server is running for this outlet")));
    expectExactJobs();

    int printedBefore = 0;
    for (const char* queue : Queues) {
        printedBefore += newJobs(queue);
    }
    expectNewOrderPrinted(service);
    // The log line comes when the scheduler took the job; its backend writes the file a moment later.
    const auto printedNow = [&] {
        int printed = 0;
        for (const char* queue : Queues) {
            printed += newJobs(queue);
        }
        return printed;
    };
    EXPECT_TRUE(service.waitUntil([&] { return printedNow() > printedBefore; }))
        << "the new order's tickets never reached their queues";

    expectStoppedCleanly(service);
}

// The service is killed (SIGKILL: no Stop, no clean-up) between two cycles while Salads refuses jobs, and
// again in the middle of a cycle; each time it is started again. Every ticket a queue took is there exactly
// once and none is missing: what the queues took before a kill is not printed again.
TEST_F(ServicePrintingTest, AKilledServiceGivesNoQueueATicketTwice) {
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Salads")});
    {
        ServiceProcess service(program, settings, environment);
        ASSERT_TRUE(service.waitUntil(
            [&] {
                return hasLineStartingWith(service, QStringLiteral("Printing Order #2 Failed")) &&
                       hasLine(service, QStringLiteral("Printing Order #3 Using Printer: Bar"));
            },
            60000))
            << service.log().join(QLatin1Char('\n')).toStdString();
        service.signal(SIGKILL);
        ASSERT_TRUE(service.waitForExit());
    }
    runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Salads")});
    {
        ServiceProcess service(program, settings, environment);
        ASSERT_TRUE(service.waitUntil(
            [&] { return hasLine(service, QStringLiteral("Printing Order #1 Using Printer: Salads")); },
            60000))
            << service.log().join(QLatin1Char('\n')).toStdString();
        service.signal(SIGKILL);
        ASSERT_TRUE(service.waitForExit());
    }
    ServiceProcess service(program, settings, environment);
    ASSERT_TRUE(service.waitUntil([&] { return allPrinted(); }, 60000))
        << service.log().join(QLatin1Char('\n')).toStdString();
    expectExactJobs();
    expectStoppedCleanly(service);
}

// The database becomes unreadable while the service runs: it halts, stops, tries again after the restart
// delay for as long as the database stays unreadable, and prints again once it is back, with nobody there.
TEST_F(ServicePrintingTest, PrintingResumesByItselfWhenTheDatabaseIsBack) {
    ServiceProcess service(program, settings,
                           environment + QStringList{QStringLiteral("VELORIA_RESTART_DELAY_MS=1000")});
    ASSERT_TRUE(service.waitUntil([&] { return allPrinted(); }, 60000))
        << service.log().join(QLatin1Char('\n')).toStdString();

    QFile file(db);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray header = file.read(100);
    file.seek(0);
    file.write(QByteArray(100, 'x'));
    file.flush();
    const qsizetype haltedAt = service.log().size();
    ASSERT_TRUE(service.waitForLine(QStringLiteral("Printing Server Halted, Starting Again in 1 Seconds"),
                                    30000, haltedAt))
        << service.log().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(service.waitForLine(
        QStringLiteral("Printing Server Not Started, Starting Again in 1 Seconds"), 20000, haltedAt))
        << "a restart while the database is still unreadable";
    EXPECT_TRUE(service.running());

    file.seek(0);
    file.write(header);
    file.close();
    expectNewOrderPrinted(service);

    expectStoppedCleanly(service);
}

// A restored copy put in the database file's place while the service runs: the service says which file
// went, halts, and prints what is queued in the new file after its restart.
TEST_F(ServicePrintingTest, ADatabaseFileReplacedIsReadAfterARestart) {
    ServiceProcess service(program, settings,
                           environment + QStringList{QStringLiteral("VELORIA_RESTART_DELAY_MS=1000")});
    ASSERT_TRUE(service.waitUntil([&] { return allPrinted(); }, 60000))
        << service.log().join(QLatin1Char('\n')).toStdString();

    const QString copy = db + QStringLiteral(".restored");
    ASSERT_TRUE(QFile::copy(db, copy));
    const qsizetype replacedAt = service.log().size();
    ASSERT_EQ(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(db).constData()), 0);
    ASSERT_TRUE(service.waitForLine(QStringLiteral("Printing Server Halted, Starting Again in 1 Seconds"),
                                    30000, replacedAt))
        << service.log().join(QLatin1Char('\n')).toStdString();
    const QString told = QStringLiteral("The database file \"%1\" was removed or replaced").arg(db);
    EXPECT_FALSE(service.log().mid(replacedAt).filter(told).isEmpty())
        << service.log().join(QLatin1Char('\n')).toStdString();
    expectNewOrderPrinted(service);

    expectStoppedCleanly(service);
}
