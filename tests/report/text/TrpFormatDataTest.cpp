#include "TrpFormatData.h"

#include "QtGTestPrinters.h"

#include <gtest/gtest.h>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

QDateTime at(int y, int mo, int d, int h, int mi) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

TEST(TrpFormatData, DateTimePatterns) {
    struct Case {
        const char* why;
        const char* pattern;
        QDateTime when;
        QLocale locale;
        const char* expected;
    } const cases[] = {
        {"footer date", "dd/MM/yyyy", at(2020, 12, 25, 19, 5), English, "25/12/2020"},
        {"footer time, 24 hours", "HH:mm", at(2020, 12, 25, 19, 5), English, "19:05"},
        {"order date, 12 hours", "dd/MM/yyyy hh:mm ampm", at(2020, 12, 25, 19, 5), English,
         "25/12/2020 07:05 PM"},
        {"half past midnight, 24 hours", "HH:mm", at(2020, 12, 25, 0, 30), English, "00:30"},
        {"half past midnight, 12 hours", "dd/MM/yyyy hh:mm ampm", at(2020, 12, 25, 0, 30), English,
         "25/12/2020 12:30 AM"},
        {"a point as date separator", "dd/MM/yyyy", at(2020, 12, 25, 19, 5), German, "25.12.2020"},
        {"mm without an hour before it is the month", "mm/dd", at(2020, 3, 7, 9, 41), English, "03/07"},
        {"single letters drop the leading zero", "d/m/yyyy h:n", at(2020, 3, 7, 9, 4), English,
         "7/3/2020 9:4"},
        {"other characters are copied", "yyyy-MM-dd 'at' hh", at(2020, 3, 7, 9, 4), English,
         "2020-03-07 at 09"},
    };
    for (const Case& c : cases) {
        QString expected = QString::fromLatin1(c.expected);
        expected.replace(QStringLiteral("AM"), c.locale.amText())
            .replace(QStringLiteral("PM"), c.locale.pmText());
        EXPECT_EQ(TrpFormatData::formatDateTime(QString::fromLatin1(c.pattern), c.when, c.locale), expected)
            << c.why;
    }
}

// Separators are the characters a reader sees: right-to-left patterns put direction marks beside them.
TEST(TrpFormatData, SeparatorsAreTheVisibleCharacters) {
    const struct {
        QLocale locale;
        char date;
        char time;
    } cases[] = {{English, '/', ':'},
                 {German, '.', ':'},
                 {QLocale(QLocale::Arabic, QLocale::Egypt), '/', ':'},
                 {QLocale(QLocale::Hebrew, QLocale::Israel), '.', ':'}};
    for (const auto& c : cases) {
        EXPECT_EQ(TrpFormatData::dateSeparator(c.locale), QLatin1Char(c.date))
            << c.locale.dateFormat(QLocale::ShortFormat).toStdString();
        EXPECT_EQ(TrpFormatData::timeSeparator(c.locale), QLatin1Char(c.time))
            << c.locale.timeFormat(QLocale::ShortFormat).toStdString();
    }
}

TEST(TrpFormatData, ValuesByFormatKind) {
    using K = TrpFormatKind;
    struct Case {
        const char* why;
        QVariant value;
        K kind;
        const char* format;
        const char* decimal;
        const char* thousand;
        const char* expected;
    } const cases[] = {
        {"null gives nothing", QVariant(), K::fkDateTime, "dd/MM/yyyy", "", "", ""},
        {"null integer gives nothing", QVariant(QMetaType(QMetaType::Int)), K::fkText, "", "", "", ""},
        {"text as it is", QStringLiteral("Table 5"), K::fkText, "", "", "", "Table 5"},
        {"integer digits", qlonglong(-42), K::fkText, "", "", "", "-42"},
        {"float, shortest form", 2.5, K::fkText, "", "", "", "2.5"},
        {"float, 15 digits", 1.0 / 3.0, K::fkText, "", "", "", "0.333333333333333"},
        {"boolean", true, K::fkText, "", "", "", "True"},
        {"integer zero as a date is day zero", 0, K::fkDateTime, "dd/MM/yyyy hh:mm ampm", "", "",
         "30/12/1899 12:00 AM"},
        {"text that is no date prints as it is", QStringLiteral("soon"), K::fkDateTime, "dd/MM/yyyy", "", "",
         "soon"},
        {"picture with thousands and decimals", 1234567.891, K::fkNumeric, "#,##0.00", "", "",
         "1,234,567.89"},
        {"picture with optional decimals", 2.5, K::fkNumeric, "0.##", "", "", "2.5"},
        {"picture with a literal", 3.0, K::fkNumeric, "0 pcs", "", "", "3 pcs"},
        {"negative picture", -7.25, K::fkNumeric, "0.0", "", "", "-7.3"},
        {"printf integer", 42, K::fkNumeric, "%d", "", "", "42"},
        {"printf integer with width", 7, K::fkNumeric, "No.%3d", "", "", "No.  7"},
        {"printf float", 3.14159, K::fkNumeric, "%2.2f", "", "", "3.14"},
        {"printf number with thousands", 1234.5, K::fkNumeric, "%n", "", "", "1,234.50"},
        {"decimal separator replaced", 3.14159, K::fkNumeric, "%2.2f", ",", "", "3,14"},
        {"both separators swapped", 1234567.891, K::fkNumeric, "#,##0.00", ",", ".", "1.234.567,89"},
        {"integer format of a fraction prints plain text", 2.5, K::fkNumeric, "%d", "", "", "2.5"},
        {"text that is no number prints as it is", QStringLiteral("n/a"), K::fkNumeric, "%2.2f", "", "",
         "n/a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrpFormatData::format(c.value, c.kind, QString::fromLatin1(c.format),
                                        QString::fromLatin1(c.decimal), QString::fromLatin1(c.thousand),
                                        English),
                  QString::fromLatin1(c.expected))
            << c.why;
    }
}

// The fraction of a day number is the time on the clock. The test runs under a zone with summer time
// (see CMakeLists.txt), where the days the clocks change have 23 and 25 hours.
TEST(TrpFormatData, DayFractionsAreTheTimeOfDayAlsoWhenTheClocksChange) {
    ASSERT_EQ(qEnvironmentVariable("TZ"), QStringLiteral("Europe/Warsaw"));
    const struct {
        const char* why;
        double days;
        QDateTime expected;
    } cases[] = {
        {"noon on the day summer time starts", 43919.5, at(2020, 3, 29, 12, 0)},
        {"a quarter past one, before the clocks go forward", 43919 + 75.0 / 1440, at(2020, 3, 29, 1, 15)},
        {"six in the evening on the day summer time ends", 44129.75, at(2020, 10, 25, 18, 0)},
        {"a fraction that rounds up to the next midnight", 43919.9999999999, at(2020, 3, 30, 0, 0)},
    };
    for (const auto& c : cases) {
        QDateTime when;
        ASSERT_TRUE(TrpFormatData::toDateTime(c.days, &when)) << c.why;
        EXPECT_EQ(when, c.expected) << c.why;
        EXPECT_EQ(TrpFormatData::format(c.days, TrpFormatKind::fkDateTime, QStringLiteral("hh:mm ampm"),
                                        QString(), QString(), English),
                  c.expected.toString(QStringLiteral("hh:mm AP")))
            << c.why;
    }
}

TEST(TrpFormatData, PlainDateTimesFollowTheLocale) {
    const QDateTime dateOnly = at(2020, 12, 25, 0, 0);
    const QDateTime timeOnly(QDate(1899, 12, 30), QTime(19, 5));
    // A date alone is written as the C library writes the locale's date (the void ticket's "[Date]").
    const struct {
        QLocale locale;
        const char* date;
    } dates[] = {{English, "12/25/2020"},
                 {German, "25.12.2020"},
                 {QLocale(QLocale::Hebrew, QLocale::Israel), "25/12/20"}};
    for (const auto& d : dates) {
        EXPECT_EQ(TrpFormatData::plainText(dateOnly, d.locale), QString::fromLatin1(d.date))
            << d.locale.name().toStdString();
    }
    EXPECT_EQ(TrpFormatData::plainText(timeOnly, German),
              German.toString(timeOnly.time(), QLocale::ShortFormat));
    EXPECT_TRUE(TrpFormatData::plainText(at(2020, 12, 25, 19, 5), English).contains(QLatin1Char(' ')));
    EXPECT_EQ(TrpFormatData::plainText(2.5, German), QStringLiteral("2,5"));
}

} // namespace
