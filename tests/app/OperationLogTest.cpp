#include "OperationLog.h"

#include "FileSizeLimit.h"
#include "LogTimeStamp.h"
#include "QtGTestPrinters.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QDateTime at(int hour, int minute) {
    return QDateTime(QDate(2021, 12, 9), QTime(hour, minute, 42));
}

TEST(LogTimeStamp, TwelveHourClockWithLocaleSeparators) {
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    const QLocale german(QLocale::German, QLocale::Germany);
    struct Case {
        const char* why;
        QDateTime when;
        QLocale locale;
        const char* expected;
    } const cases[] = {
        {"afternoon", at(15, 25), english, "09/12/2021 03:25 PM"},
        {"noon is 12 after noon", at(12, 0), english, "09/12/2021 12:00 PM"},
        {"midnight is 12 before noon", at(0, 5), english, "09/12/2021 12:05 AM"},
        {"morning", at(9, 7), english, "09/12/2021 09:07 AM"},
        {"a point as date separator", at(19, 5), german, "09.12.2021 07:05 PM"},
    };
    for (const Case& c : cases) {
        QString expected = QString::fromLatin1(c.expected);
        expected.replace(QStringLiteral("AM"), c.locale.amText())
            .replace(QStringLiteral("PM"), c.locale.pmText());
        EXPECT_EQ(formatLogTimeStamp(c.when, c.locale), expected) << c.why;
    }
}

class OperationLogFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Logs")));
    }

    OperationLog makeLog(const QString& folder) {
        OperationLog log(folder, [this](const QString& line) { memo.appendPlainText(line); });
        log.setClock([] { return at(15, 25); });
        log.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        return log;
    }

    QByteArray fileContent() {
        QFile file(dir.filePath(QStringLiteral("Logs/Printing_Server_Log.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    QPlainTextEdit memo;
};

TEST_F(OperationLogFile, AppendsCrLfLinesToTheFileAndTheMemo) {
    OperationLog log = makeLog(dir.path() + QStringLiteral("/Logs/"));
    log.write(QStringLiteral("Printing Server Launched"));
    log.write(QStringLiteral("General Database Connection Error \r\nUnable to connect"));
    EXPECT_EQ(fileContent(), QByteArray("09/12/2021 03:25 PM - Printing Server Launched\r\n"
                                        "09/12/2021 03:25 PM - General Database Connection Error \r\n"
                                        "Unable to connect\r\n"));
    // Only the first line of a two-line message carries the time stamp.
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("09/12/2021 03:25 PM - Printing Server Launched\n"
                                                 "09/12/2021 03:25 PM - General Database Connection Error \n"
                                                 "Unable to connect"));
}

TEST_F(OperationLogFile, AFileRemovedBetweenLinesIsCreatedAgain) {
    OperationLog log = makeLog(dir.path() + QStringLiteral("/Logs/"));
    log.write(QStringLiteral("first"));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Logs/Printing_Server_Log.txt"))));
    log.write(QStringLiteral("second"));
    EXPECT_EQ(fileContent(), QByteArray("09/12/2021 03:25 PM - second\r\n"));
}

// A program started where there is no Logs folder yet makes it: the file takes every line.
TEST_F(OperationLogFile, AMissingFolderIsMade) {
    OperationLog log = makeLog(dir.path() + QStringLiteral("/Logs/Today/"));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("Logs")));
    log.write(QStringLiteral("Printing Server Launched"));
    QFile file(dir.filePath(QStringLiteral("Logs/Today/Printing_Server_Log.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("09/12/2021 03:25 PM - Printing Server Launched\r\n"));
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("09/12/2021 03:25 PM - Printing Server Launched"));
}

// A file that cannot take a line: the operator still reads every message in the window, each followed by
// the file's path and the system's reason.
TEST_F(OperationLogFile, AFileThatCannotTakeTheLineIsNamedWithTheReason) {
    {
        QFile blocker(dir.filePath(QStringLiteral("NoLogs")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    struct Case {
        const char* why;
        QString folder;
        const char* reason;
        rlim_t sizeLimit;
    } const cases[] = {
        {"the folder's place is taken by a file", dir.path() + QStringLiteral("/NoLogs/"), "Not a directory",
         RLIM_INFINITY},
        {"the file is cut short", dir.path() + QStringLiteral("/Logs/"), "File too large", 30},
    };
    for (const Case& c : cases) {
        memo.clear();
        OperationLog log = makeLog(c.folder);
        {
            const FileSizeLimit limit(c.sizeLimit);
            log.write(QStringLiteral("Printing Server Launched"));
        }
        const QStringList lines = memo.toPlainText().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2) << c.why;
        EXPECT_EQ(lines[0], QStringLiteral("09/12/2021 03:25 PM - Printing Server Launched")) << c.why;
        EXPECT_EQ(lines[1], QStringLiteral("09/12/2021 03:25 PM - The log file \"%1\" cannot be written: %2")
                                .arg(log.filePath(), QString::fromLatin1(c.reason)))
            << c.why;
    }
}

} // namespace
