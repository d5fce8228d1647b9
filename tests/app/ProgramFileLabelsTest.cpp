#include "ProgramFileDate.h"
#include "QtGTestPrinters.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramFileDate, FollowsTheLocaleSeparatorsOnTheTwentyFourHourClock) {
    struct Case {
        QLocale locale;
        const char* expected;
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedKingdom), "04/03/2026 23:05"},
        {QLocale(QLocale::German, QLocale::Germany), "04.03.2026 23:05"}, // points between day, month, year
        {QLocale(QLocale::Dutch, QLocale::Netherlands), "04-03-2026 23:05"},
        {QLocale(QLocale::Finnish, QLocale::Finland), "04.03.2026 23.05"}, // the time separator too
        {QLocale(QLocale::English, QLocale::UnitedStates),
         "04/03/2026 23:05"}, // day first, whatever the order
    };
    const QDateTime when(QDate(2026, 3, 4), QTime(23, 5, 58));
    for (const Case& c : cases) {
        EXPECT_EQ(formatProgramFileDate(when, c.locale), QString::fromLatin1(c.expected)) << c.expected;
    }
}

TEST(ProgramFileDate, UnreadableFileIsAnError) {
    QTemporaryDir dir;
    EXPECT_THROW(programFileDateText(dir.filePath(QStringLiteral("absent"))), ProgramFileDateError);
}

// Each probe is a small program built with its own file version; it prints its splash window's version
// and date labels. It is started from another folder under a German locale.
TEST(ProgramFileLabels, ComeFromTheProgramsOwnFileFromAnyFolder) {
    struct Case {
        const char* probe;
        const char* versionLabel;
    } cases[] = {
        {VELORIA_PROBE_1234, "Version 1.2.3.4"},
        {VELORIA_PROBE_BUILD0, "Version 3.0.10.0"}, // the build number 0 is shown, not dropped
    };
    QTemporaryDir elsewhere;
    for (const Case& c : cases) {
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        probe.setProcessEnvironment(env);
        probe.setWorkingDirectory(elsewhere.path());
        probe.start(QString::fromLocal8Bit(c.probe), {});
        ASSERT_TRUE(probe.waitForFinished(30000)) << c.probe;
        ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
        const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 2) << c.probe;
        EXPECT_EQ(lines[0], QString::fromLatin1(c.versionLabel));

        const QDateTime modified = QFileInfo(QString::fromLocal8Bit(c.probe)).lastModified();
        EXPECT_EQ(lines[1], QStringLiteral("Last updated on ") +
                                formatProgramFileDate(modified, QLocale(QLocale::German, QLocale::Germany)));
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^Last updated on \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$"))
                .match(lines[1])
                .hasMatch())
            << lines[1].toStdString();
    }
}
