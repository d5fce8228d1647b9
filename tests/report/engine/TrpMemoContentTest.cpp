// Memo content during preparation: field references, null conversion, formats per expression, system
// variables, data-field memos, and evaluation errors.
#include "EngineTestSupport.h"
#include "TrpCustomMemoView.h"
#include "TrpDrawText.h"
#include "TrpFormatData.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QMutexLocker>
#include <gtest/gtest.h>

namespace {

using EngineTest::prepare;

// A report with the adapter "repDS_OrdersMaster" in Datasets, a header holding `headerMemos` and a data
// band over "repDS_Items" holding `rowMemos`.
QByteArray reportWith(const QByteArray& headerMemos, const QByteArray& rowMemos = QByteArray(),
                      const QByteArray& rootAttributes = QByteArray(),
                      const QByteArray& footerMemos = QByteArray()) {
    return ReportTest::document(
        "<Datasets><item DataSetName=\"repDS_OrdersMaster\"/><item DataSetName=\"repDS_Items\"/></Datasets>"
        "<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"3276\" EndlessHeight=\"True\">"
        "<TrpPageHeader Name=\"Head\" Top=\"0\" Height=\"20\" Width=\"264\">" +
            headerMemos +
            "</TrpPageHeader>"
            "<TrpMasterData Name=\"Rows\" Top=\"50\" Height=\"20\" Width=\"264\" "
            "DataSetName=\"repDS_Items\">" +
            rowMemos +
            "</TrpMasterData>"
            "<TrpPageFooter Name=\"Foot\" Top=\"100\" Height=\"20\" Width=\"264\">" +
            footerMemos + "</TrpPageFooter></TrpReportPage>",
        rootAttributes);
}

QByteArray memo(const char* name, const QByteArray& text, const QByteArray& extra = QByteArray()) {
    return "<TrpMemoView Name=\"" + QByteArray(name) +
           "\" Left=\"0\" Top=\"0\" Width=\"250\" Height=\"18\" " + extra + " Text=\"" + text + "\"/>";
}

// The first order row has nulls everywhere; the second row only fixes the column types.
const QByteArray Data = R"({
  "repDS_OrdersMaster": [
    {"Order_Seq": null, "Order_Kind_Desc": null, "Paid": null, "Open_DateTime": null},
    {"Order_Seq": 5, "Order_Kind_Desc": "Take away", "Paid": true, "Open_DateTime": "2020-12-25T00:30:00"}],
  "repDS_Items": [{"QTY": 2, "Name": "Soup"}, {"QTY": null, "Name": "Bread"}]
})";

QString textOf(const PreparedTicket& t, const char* band, const char* name, int occurrence = 0) {
    const TrpPreparedBand* b = t.band(QString::fromLatin1(band), 0, occurrence);
    if (b == nullptr) {
        return QStringLiteral("<no band>");
    }
    const TrpPreparedView* v = t.view(*b, QString::fromLatin1(name));
    return v == nullptr ? QStringLiteral("<no view>") : v->text.join(QLatin1Char('|'));
}

// A pattern's output with the system's separators and AM/PM texts.
QString local(QString text) {
    const QLocale locale = QLocale::system();
    text.replace(QLatin1Char('/'), TrpFormatData::dateSeparator(locale));
    text.replace(QLatin1Char(':'), TrpFormatData::timeSeparator(locale));
    text.replace(QLatin1String("AM"), locale.amText());
    text.replace(QLatin1String("PM"), locale.pmText());
    return text;
}

TEST(TrpMemoContent, NullsConvertByFieldTypeAndFormatsApplyPerExpression) {
    const QByteArray q = "&#34;";
    const PreparedTicket t = prepare(
        reportWith(
            memo("Seq", "Seq: [repDS_OrdersMaster." + q + "Order_Seq" + q + "]") +
            memo("Kind", "Kind: [repDS_OrdersMaster." + q + "Order_Kind_Desc" + q + "]") +
            memo("Paid", "[repDS_OrdersMaster." + q + "Paid" + q + "]") +
            memo("Opened", "[repDS_OrdersMaster." + q + "Open_DateTime" + q + "]",
                 "DisplayFormat.Kind=\"fkDateTime\" DisplayFormat.FormatStr=\"dd/MM/yyyy hh:mm ampm\"") +
            memo("Two", "[Time] and [Time]",
                 "DisplayFormat.Kind=\"fkDateTime\" DisplayFormat.FormatStr=\"HH:mm\"") +
            memo("Today", "[Date]") +
            memo("Footer", "[Date]",
                 "DisplayFormat.Kind=\"fkDateTime\" DisplayFormat.FormatStr=\"dd/MM/yyyy\"")),
        Data);
    ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(textOf(t, "Head", "Seq"), QStringLiteral("Seq: 0")) << "a null number prints 0";
    EXPECT_EQ(textOf(t, "Head", "Kind"), QStringLiteral("Kind: ")) << "a null text prints nothing";
    EXPECT_EQ(textOf(t, "Head", "Paid"), QStringLiteral("False"));
    EXPECT_EQ(textOf(t, "Head", "Opened"), local(QStringLiteral("30/12/1899 12:00 AM")))
        << "a null date is day 0";
    EXPECT_EQ(textOf(t, "Head", "Two"), local(QStringLiteral("19:05 and 19:05"))) << "one format for both";
    EXPECT_EQ(textOf(t, "Head", "Today"),
              TrpFormatData::plainText(QDateTime(QDate(2020, 12, 25), QTime(0, 0))));
    EXPECT_EQ(textOf(t, "Head", "Footer"), local(QStringLiteral("25/12/2020")));
}

TEST(TrpMemoContent, FormatsFollowTheExpressionsAndTheLastIsReused) {
    const QByteArray q = "&#34;";
    const QByteArray formats =
        "<Formats><item/><item Kind=\"fkDateTime\" FormatStr=\"hh:mm ampm\"/></Formats>";
    const QByteArray xml = reportWith("<TrpMemoView Name=\"Order\" Left=\"0\" Top=\"0\" Width=\"250\" "
                                      "Height=\"18\" Text=\"[Line#] [Time]&#13;&#10;[Time]\">" +
                                      formats + "</TrpMemoView>");
    const PreparedTicket t = prepare(xml, Data, QDateTime(QDate(2020, 12, 25), QTime(0, 30)));
    ASSERT_TRUE(t.prepared);
    EXPECT_EQ(textOf(t, "Head", "Order"), local(QStringLiteral("0 12:30 AM|12:30 AM")));
}

TEST(TrpMemoContent, DataFieldMemosShowTheFieldAndRowsCountLines) {
    const QByteArray rows = memo("Qty", "[ignored]", "DataSetName=\"repDS_Items\" DataField=\"QTY\"") +
                            memo("Name", "[repDS_Items.&#34;Name&#34;] #[Line]");
    const PreparedTicket t = prepare(reportWith(QByteArray(), rows), Data);
    ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(textOf(t, "Rows", "Qty", 0), QStringLiteral("2"));
    EXPECT_EQ(textOf(t, "Rows", "Qty", 1), QString()) << "a null field's display text is empty";
    EXPECT_EQ(textOf(t, "Rows", "Name", 0), QStringLiteral("Soup #1"));
    EXPECT_EQ(textOf(t, "Rows", "Name", 1), QStringLiteral("Bread #2"));
}

// A memo that shrinks to fit shows a number wider than itself whole on one line, in a smaller font for
// that row only; rows that fit keep the designed font.
TEST(TrpMemoContent, AShrinkToFitMemoShowsAWideNumberWholeInASmallerFont) {
    const QByteArray rows =
        "<TrpMemoView Name=\"Qty\" Left=\"0\" Top=\"0\" Width=\"45.35436\" Height=\"18.89765\" "
        "DataSetName=\"repDS_Items\" DataField=\"QTY\" Font.Height=\"-15\" Font.Name=\"Arial\" "
        "ParentFont=\"False\" HAlign=\"haCenter\" ShrinkToFit=\"True\" Text=\"\"/>";
    const QByteArray data = R"({"repDS_OrdersMaster": [{"Order_Seq": 1}],
        "repDS_Items": [{"QTY": 2}, {"QTY": 4294967294}, {"QTY": 7}]})";
    const PreparedTicket t = prepare(reportWith(QByteArray(), rows), data);
    ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
    const auto placed = [&](int row) {
        const TrpPreparedBand* band = t.band(QStringLiteral("Rows"), 0, row);
        EXPECT_NE(band, nullptr);
        return band != nullptr ? t.view(*band, QStringLiteral("Qty")) : nullptr;
    };
    const TrpPreparedView* wide = placed(1);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->text, QStringList(QStringLiteral("4294967294")));
    EXPECT_GT(wide->font.Height, -15) << "the font was not made smaller";
    EXPECT_LE(wide->font.Height, -TrpCustomMemoView::MinShrunkHeight);
    {
        const QMutexLocker lock(&TrpDrawText::lock());
        TrpDrawText& measure = TrpDrawText::instance();
        TrpTextFont font;
        font.height = wide->font.Height;
        TrpTextOptions options;
        options.wordWrap = false;
        measure.setOptions(options);
        measure.setFont(font);
        measure.setText(wide->text);
        EXPECT_LE(measure.calcWidth(), 45.35436 - 2 * 2 + 1) << "the number is still wider than the memo";
    }
    for (const int row : {0, 2}) {
        const TrpPreparedView* narrow = placed(row);
        ASSERT_NE(narrow, nullptr);
        EXPECT_EQ(narrow->font.Height, -15) << "row " << row;
    }
}

TEST(TrpMemoContent, ProgramTextWithBracketsIsEvaluated) {
    const QByteArray xml = reportWith(memo("Memo_VoidMessage", "Memo_VoidMessage"));
    const PreparedTicket dated = prepare(xml, Data, EngineTest::christmasEvening(), [](TrpReport& r) {
        dynamic_cast<TrpCustomMemoView*>(r.FindObject(QStringLiteral("memo_voidmessage")))
            ->SetText(QStringLiteral("Voided on [Date]"));
    });
    ASSERT_TRUE(dated.prepared);
    EXPECT_EQ(textOf(dated, "Head", "Memo_VoidMessage"),
              QStringLiteral("Voided on ") +
                  TrpFormatData::plainText(QDateTime(QDate(2020, 12, 25), QTime(0, 0))));
}

TEST(TrpMemoContent, AnUnknownNameEndsTheLayoutKeepingThePagesSoFar) {
    ReportTest::CapturedErrorBox box;
    const QByteArray xml = reportWith(memo("Title", "Order"), memo("Name", "[repDS_Items.&#34;Name&#34;]"),
                                      QByteArray(), memo("Note", "Ask [Manager] first"));
    const PreparedTicket t = prepare(xml, Data, EngineTest::christmasEvening(), [](TrpReport& r) {
        r.EngineOptions().NewSilentMode = TrpSilentMode::simMessageBoxes;
    });
    EXPECT_FALSE(t.prepared);
    const QString line =
        QStringLiteral("Note: Error in expression 'Manager': Undeclared identifier: 'Manager'");
    EXPECT_EQ(t.report->Errors(), QStringList{line});
    ASSERT_EQ(box.texts().size(), 1);
    EXPECT_EQ(box.texts().front(),
              QStringLiteral("The following error(s) have occured:\r\n") + line + "\r\n");
    ASSERT_EQ(t.pages().Count(), 1);
    EXPECT_NE(t.band(QStringLiteral("Rows"), 0, 1), nullptr) << "the rows placed before the error stay";
    EXPECT_EQ(t.band(QStringLiteral("Foot")), nullptr);
}

TEST(TrpMemoContent, IgnoredExpressionErrorsPrintTheExpression) {
    const QByteArray xml = reportWith(memo("Note", "Ask [Manager] and [nobody.&#34;x&#34;]"), QByteArray(),
                                      "EngineOptions.IgnoreExprError=\"True\"");
    const PreparedTicket t = prepare(xml, Data);
    ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(textOf(t, "Head", "Note"), QStringLiteral("Ask Manager and nobody.\"x\""));
}

TEST(TrpMemoContent, ErrorLinesOfPreparation) {
    struct Case {
        const char* why;
        QByteArray xml;
        QString error;
        bool laidOut;
        QString printed;
    } const cases[] = {
        {"an adapter not in Datasets is no field reference",
         reportWith(memo("M", "[repDS_Other.&#34;X&#34;]")),
         QStringLiteral("M: Error in expression 'repDS_Other.\"X\"': Undeclared identifier: 'repDS_Other'"),
         true, QString()},
        {"a field the adapter lacks prints 0 and is reported",
         reportWith(memo("M", "[repDS_OrdersMaster.&#34;Nope&#34;]")),
         QStringLiteral("M: Field not found: repDS_OrdersMaster.\"Nope\""), true, QStringLiteral("0")},
        {"an unmatched bracket takes the rest of the text", reportWith(memo("M", "Seq [Order_Seq")),
         QStringLiteral("M: Error in expression 'Order_Seq\r': Expression outside the supported subset"),
         true, QString()},
        {"a Datasets item without an adapter stops everything",
         ReportTest::document("<Datasets><item DataSetName=\"repDS_Missing\"/></Datasets>"
                              "<TrpReportPage Name=\"Page1\" EndlessHeight=\"True\"/>"),
         QStringLiteral("Dataset \"repDS_Missing\" does not exist"), false, QString()},
    };
    for (const Case& c : cases) {
        const PreparedTicket t = prepare(c.xml, Data);
        EXPECT_FALSE(t.prepared) << c.why;
        EXPECT_EQ(t.report->Errors(), QStringList{c.error}) << c.why;
        EXPECT_EQ(t.pages().Count(), c.laidOut ? 1 : 0) << c.why;
        if (!c.printed.isNull()) {
            EXPECT_EQ(textOf(t, "Head", "M"), c.printed) << c.why;
        }
    }
}

// An adapter that a band and a memo name without the report listing it still reports a missing field to
// the report being prepared, and no adapter keeps pointing at a report once its preparation is over.
TEST(TrpMemoContent, AdaptersOutsideDatasetsReportToThePreparingReportOnly) {
    const QByteArray xml = ReportTest::document(
        "<Datasets><item DataSetName=\"repDS_OrdersMaster\"/></Datasets>"
        "<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"100\" EndlessHeight=\"True\">"
        "<TrpMasterData Name=\"Rows\" Height=\"20\" Width=\"264\" DataSetName=\"repDS_Items\">"
        "<TrpMemoView Name=\"M\" Width=\"250\" Height=\"18\" DataSetName=\"repDS_Items\" DataField=\"Nope\"/>"
        "</TrpMasterData></TrpReportPage>");
    for (int run = 0; run < 2; ++run) {
        // A fresh report each time: the first is destroyed before the second prepares.
        const PreparedTicket t = prepare(xml, Data);
        EXPECT_FALSE(t.prepared) << run;
        EXPECT_EQ(t.report->Errors(), QStringList{QStringLiteral("M: Field not found: repDS_Items.\"Nope\"")})
            << run;
        EXPECT_EQ(t.data->adapter(QStringLiteral("repDS_Items"))->Report(), nullptr);
        EXPECT_EQ(t.data->adapter(QStringLiteral("repDS_OrdersMaster"))->Report(), nullptr);
    }
}

// A template typo in a numeric format's width or precision is an error line of the memo, found at once,
// not a string of a billion characters built over minutes.
TEST(TrpMemoContent, AbsurdNumericWidthsAndPrecisionsAreErrorLines) {
    const char* const absurd[] = {"%999999999d",   "%-999999999d", "%.999999999d",        "%.999999999f",
                                  "%.2147483647e", "%.99999999n",  "%99999999999999999d", "No. %0256d"};
    QElapsedTimer timer;
    timer.start();
    for (const char* format : absurd) {
        const QByteArray xml = reportWith(
            memo("M", "[Line]",
                 "DisplayFormat.Kind=\"fkNumeric\" DisplayFormat.FormatStr=\"" + QByteArray(format) + "\""));
        const PreparedTicket t = prepare(xml, Data);
        EXPECT_FALSE(t.prepared) << format;
        EXPECT_EQ(
            t.report->Errors(),
            QStringList{QStringLiteral("M: Format \"%1\": a width or precision above 255 cannot be shown")
                            .arg(QString::fromLatin1(format))})
            << format;
    }
    EXPECT_LT(timer.elapsed(), 10000) << "each format is refused before any text is built";

    // Widths and precisions a ticket can show still format.
    const struct {
        const char* format;
        const char* printed;
    } sound[] = {{"%5d", "    0"}, {"%-3d|", "0  |"}, {"%.3d", "000"}, {"%.255f", nullptr}};
    for (const auto& c : sound) {
        const QByteArray xml = reportWith(memo("M", "[Line]",
                                               "DisplayFormat.Kind=\"fkNumeric\" DisplayFormat.FormatStr=\"" +
                                                   QByteArray(c.format) + "\""));
        const PreparedTicket t = prepare(xml, Data);
        ASSERT_TRUE(t.prepared) << c.format << t.report->Errors().join(QLatin1Char('\n')).toStdString();
        if (c.printed != nullptr) {
            EXPECT_EQ(textOf(t, "Head", "M"), QString::fromLatin1(c.printed)) << c.format;
        } else {
            EXPECT_EQ(textOf(t, "Head", "M").size(), 257) << "0, the separator and 255 digits";
        }
    }
}

} // namespace
