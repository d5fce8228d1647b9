#include "FailureLog.h"

#include <QStringList>
#include <gtest/gtest.h>

// A failure repeated every cycle is logged the first time, then at most every five minutes with the count;
// another message, or a success in between, logs at once again.
TEST(FailureLog, RepeatsAreLoggedAtMostEveryFiveMinutes) {
    QStringList lines;
    QDateTime now(QDate(2026, 12, 10), QTime(19, 0), Qt::UTC);
    FailureLog log([&lines](const QString& line) { lines << line; }, [&now] { return now; });
    const QString failed =
        QStringLiteral("Printing Order #7 Failed: Printer \"Grill\" refused the print job");

    EXPECT_FALSE(log.quiet(QStringLiteral("Order #7")));
    QList<int> toldCycles; // a retry's repeated lines are told exactly when its failure line is
    for (int cycle = 0; cycle < 60; ++cycle) { // six minutes of six-second cycles
        if (!log.quiet(QStringLiteral("Order #7"))) {
            toldCycles << cycle;
        }
        log.failed(QStringLiteral("Order #7"), failed);
        now = now.addSecs(6);
    }
    EXPECT_EQ(lines, QStringList({failed, failed + QStringLiteral(" (51 attempts)")}));
    EXPECT_EQ(toldCycles, QList<int>({0, 50}));

    log.failed(QStringLiteral("Order #7"), QStringLiteral("Printing Order #7 Failed: another reason"));
    log.failed(QStringLiteral("Order #8"), QStringLiteral("Printing Order #8 Failed: x"));
    log.succeeded(QStringLiteral("Order #7"));
    log.failed(QStringLiteral("Order #7"), failed);
    EXPECT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.last(), failed);

    log.retainOnly({QStringLiteral("Order #7")});
    log.failed(QStringLiteral("Order #8"), QStringLiteral("Printing Order #8 Failed: x"));
    EXPECT_EQ(lines.size(), 6) << "a forgotten order's failure is new again";

    log.clear();
    EXPECT_FALSE(log.quiet(QStringLiteral("Order #8")));
    log.failed(QStringLiteral("Order #8"), QStringLiteral("Printing Order #8 Failed: x"));
    EXPECT_EQ(lines.size(), 7) << "after Start every failure is told again";
}
