#include "TrpExpressionScanner.h"

#include "QtGTestPrinters.h"

#include <gtest/gtest.h>

namespace {

// Replaces each expression by "<expression|format index>".
QString expand(const QString& text, int formats = 1, const QString& delimiters = QStringLiteral("[,]")) {
    return TrpExpressionScanner::expand(text, delimiters, formats, [](const QString& expr, int format) {
        return QStringLiteral("<%1|%2>").arg(expr).arg(format);
    });
}

TEST(TrpExpressionScanner, ExpandsBracketedExpressions) {
    struct Case {
        const char* why;
        const char* text;
        int formats;
        const char* expected;
    } const cases[] = {
        {"no opening bracket: unchanged", "Table 5\r\n", 1, "Table 5\r\n"},
        {"a field reference", "Seq: [repDS_OrdersMaster.\"Order_Seq\"]\r\n", 1,
         "Seq: <repDS_OrdersMaster.\"Order_Seq\"|0>\r\n"},
        {"formats advance and the last is reused", "[a] [b] [c] [d]\r\n", 3, "<a|0> <b|1> <c|2> <d|2>\r\n"},
        {"one format serves every expression", "[a][b]\r\n", 1, "<a|0><b|0>\r\n"},
        {"brackets nest: the outer one is the expression", "x [a[b]c] y\r\n", 1, "x <a[b]c|0> y\r\n"},
        {"brackets in quotes do not count", "[f(\"]\")] [g('[')]\r\n", 1, "<f(\"]\")|0> <g('[')|0>\r\n"},
        {"unmatched: the rest but the last character", "Total [Sum\r\n", 1, "Total <Sum\r|0>"},
        {"the expression is used untrimmed", "[ Date ]\r\n", 1, "< Date |0>\r\n"},
        {"an expression at the very start", "[Date]\r\n", 1, "<Date|0>\r\n"},
        {"other delimiters", "<%Date%> [x]\r\n", 1, "<Date|0> [x]\r\n"},
    };
    for (const Case& c : cases) {
        const QString delimiters = QString::fromLatin1(c.text).contains(QLatin1String("<%"))
                                       ? QStringLiteral("<%,%>")
                                       : QStringLiteral("[,]");
        EXPECT_EQ(expand(QString::fromUtf8(c.text), c.formats, delimiters), QString::fromUtf8(c.expected))
            << c.why;
    }
}

TEST(TrpExpressionScanner, InsertedTextIsNotScannedAgain) {
    const QString result = TrpExpressionScanner::expand(
        QStringLiteral("[a] [b]\r\n"), QStringLiteral("[,]"), 1, [](const QString& expr, int) {
            return expr == QLatin1String("a") ? QStringLiteral("[b]") : QStringLiteral("B");
        });
    EXPECT_EQ(result, QStringLiteral("[b] B\r\n"));
}

} // namespace
