#include "ServiceProcess.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString TimerEnabled = QStringLiteral("Timer Enabled. Checking for new orders every >5< seconds");
const QStringList StopLines = {"Stopping Timer", "Timer Stopped", "Disconnecting Database",
                               "Database Disconnected", "Ready To Start Again"};
const QString Refused = QStringLiteral("Another printing server is running for this outlet");

// A database with settings rows for outlets 1 and 2 and nothing queued, and a settings file per outlet.
class ServiceModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', 0, NULL), "
                               "(1, 1, 2, 'Kitchen', 0, NULL);"));
        writeSettingsFile(settings(1), db.filePath(), QStringLiteral("1"));
        writeSettingsFile(settings(2), db.filePath(), QStringLiteral("2"));
    }

    QString settings(int outlet) const { return db.folder() + QStringLiteral("/outlet-%1.reg").arg(outlet); }

    TestDatabase db;
    QTemporaryDir folder;
    QString program = installProgram(folder.path());
};

// The messages of the log file below `folder`, without their time stamps.
QStringList logFileMessages(const QString& folder) {
    QFile file(folder + QStringLiteral("/Logs/Printing_Server_Log.txt"));
    QStringList messages;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QString& line :
             QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            messages << line.mid(line.indexOf(QStringLiteral(" - ")) + 3);
        }
    }
    return messages;
}

} // namespace

TEST_F(ServiceModeTest, ATerminationSignalStopsTheServerAndEndsTheProgramCleanly) {
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        ServiceProcess service(program, settings(1));
        ASSERT_TRUE(service.waitForLine(TimerEnabled)) << service.log().join(QLatin1Char('\n')).toStdString();
        service.signal(signalNumber);
        ASSERT_TRUE(service.waitForExit());
        EXPECT_TRUE(service.exitedNormally());
        EXPECT_EQ(service.exitCode(), 0);
        const QStringList log = service.log();
        EXPECT_EQ(log.first(), QStringLiteral("Printing Server Launched"));
        EXPECT_EQ(log.mid(log.size() - StopLines.size()), StopLines);
        // Standard output carries the log, line for line.
        const QStringList file = logFileMessages(folder.path());
        EXPECT_EQ(file.mid(file.size() - log.size()), log);
        QStringList errors = service.standardError().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        errors.removeIf(
            [](const QString& line) { return line.startsWith(QStringLiteral("QStandardPaths:")); });
        EXPECT_TRUE(errors.isEmpty())
            << "no box was written: " << errors.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(ServiceModeTest, AServerThatCannotStartEndsWithAFailureAfterSayingWhy) {
    QFile(db.folder() + QStringLiteral("/broken.reg")).open(QIODevice::WriteOnly);
    struct Case {
        const char* why;
        QString settingsFile;
        QStringList arguments;
        int exitCode;
        QString logLine;   // expected on standard output
        QString errorLine; // expected within standard error
    };
    const Case cases[] = {
        {"no settings row for the outlet", settings(3), {"--service"}, 1, "Reading Settings Failed", {}},
        {"settings file unreadable",
         db.folder() + QStringLiteral("/broken.reg"),
         {"--service"},
         1,
         "Could Not Start Printing Server",
         "broken.reg"},
        {"database missing",
         db.folder() + QStringLiteral("/elsewhere.reg"),
         {"--service"},
         1,
         "Could Not Start Printing Server",
         {}},
        {"a mistyped option", settings(1), {"--sevice"}, 2, {}, "Unknown argument: --sevice"},
    };
    writeSettingsFile(settings(3), db.filePath(), QStringLiteral("3"));
    writeSettingsFile(db.folder() + QStringLiteral("/elsewhere.reg"),
                      db.folder() + QStringLiteral("/gone.db"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ServiceProcess service(program, c.settingsFile, {}, c.arguments);
        ASSERT_TRUE(service.waitForExit());
        EXPECT_EQ(service.exitCode(), c.exitCode);
        const QStringList log = service.log();
        if (!c.logLine.isEmpty()) {
            EXPECT_TRUE(log.contains(c.logLine)) << log.join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(log.last(), QStringLiteral("Could Not Start Printing Server"));
        } else {
            EXPECT_TRUE(log.isEmpty()) << "no window program ran";
        }
        if (!c.errorLine.isEmpty()) {
            EXPECT_TRUE(service.standardError().contains(c.errorLine))
                << service.standardError().toStdString();
        }
    }
}

// A second server for one outlet would print every ticket twice; one for another outlet of the same
// database is welcome; a killed server's lock goes with its process.
TEST_F(ServiceModeTest, OneServerPerOutlet) {
    auto first = std::make_unique<ServiceProcess>(program, settings(1));
    ASSERT_TRUE(first->waitForLine(TimerEnabled));

    ServiceProcess second(program, settings(1));
    ASSERT_TRUE(second.waitForExit());
    EXPECT_EQ(second.exitCode(), 1);
    const QStringList refused = second.log();
    EXPECT_EQ(refused.mid(refused.size() - 3),
              (QStringList{"Database Disconnected", Refused, "Could Not Start Printing Server"}));
    EXPECT_TRUE(first->running());

    ServiceProcess otherOutlet(program, settings(2));
    EXPECT_TRUE(otherOutlet.waitForLine(TimerEnabled))
        << otherOutlet.log().join(QLatin1Char('\n')).toStdString();

    first->signal(SIGKILL);
    ASSERT_TRUE(first->waitForExit());
    ServiceProcess next(program, settings(1));
    EXPECT_TRUE(next.waitForLine(TimerEnabled)) << next.log().join(QLatin1Char('\n')).toStdString();

    for (ServiceProcess* service : {&otherOutlet, &next}) {
        service->signal(SIGTERM);
        EXPECT_TRUE(service->waitForExit());
        EXPECT_EQ(service->exitCode(), 0);
    }
}
