#include "TemplateExpectations.h"
#include "TrpMemoView.h"
#include "TrpPictureView.h"
#include "TrpReportPage.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace TemplateExpectations;

namespace {

constexpr const char* File = "rep_TestReceipt_80.xml";

std::vector<Band> bands() {
    return {{"PageFooter1", "TrpPageFooter", 1421.10328, 77.85838, 264.5671},
            {"ReportSummary1", "TrpReportSummary", 113.3859, 1285.0402, 264.5671, true},
            {"PageHeader1", "TrpPageHeader", 18.89765, 34.01577, 264.5671}};
}

// Row k lies 6 mm below row k - 1, its Top rounded to five decimals.
double rowTop(int row) {
    return std::round((347.71676 + row * 22.67718) * 1e5) / 1e5;
}

QByteArray memoName(int number) {
    return "Memo" + QByteArray::number(number);
}

// Names of the item, quantity and price memos of a row: Memo18 (row 0) or Memo<20+3k>, Memo<21+3k>,
// Memo<22+3k>.
std::vector<QByteArray> rowNames(int row) {
    const int base = 20 + 3 * row;
    return {memoName(row == 0 ? 18 : base), memoName(base + 1), memoName(base + 2)};
}

void addRows(std::vector<View>& views, int first, int last) {
    for (int row = first; row <= last; ++row) {
        const std::vector<QByteArray> names = rowNames(row);
        const double top = rowTop(row);
        const bool indented = row == 25 || row == 26 || row == 39 || row == 40;
        views.push_back({"ReportSummary1",
                         names[0],
                         "TrpMemoView",
                         indented ? 1.889765 : 0,
                         top,
                         166.29920283,
                         18.89765,
                         -13,
                         false,
                         Left,
                         0,
                         Fixed,
                         "",
                         "",
                         {"Test Item"}});
        views.push_back({"ReportSummary1",
                         names[1],
                         "TrpMemoView",
                         168.189085,
                         top,
                         26.45671,
                         18.89765,
                         -13,
                         false,
                         Center,
                         0,
                         Fixed,
                         "",
                         "",
                         {"1"}});
        views.push_back({"ReportSummary1",
                         names[2],
                         "TrpMemoView",
                         196.53556,
                         top,
                         64.25201,
                         18.89765,
                         -13,
                         false,
                         Right,
                         0,
                         Fixed,
                         "",
                         "",
                         {"99,999.99"}});
    }
}

std::vector<View> views() {
    std::vector<View> v = {
        {"PageFooter1",
         "Date",
         "TrpMemoView",
         3.77953,
         20.50402,
         86.92919,
         19.11812,
         -13,
         false,
         Left,
         0,
         Fixed,
         "",
         "",
         {"[Date]"}},
        {"PageFooter1",
         "Time",
         "TrpMemoView",
         219.21274,
         20.50402,
         41.57483,
         19.11812,
         -13,
         false,
         Center,
         0,
         Fixed,
         "",
         "",
         {"[Time]"}},
        {"PageFooter1",
         "Memo2",
         "TrpMemoView",
         11.33859,
         52.91342,
         241.88992,
         19.11812,
         -13,
         false,
         Center,
         0,
         Fixed,
         "",
         "",
         {"Merivale POS System"}},
        {"ReportSummary1",
         "Memo3",
         "TrpMemoView",
         51.023655,
         145.511905,
         158.74026,
         18.89765,
         -13,
         false,
         Center,
         0,
         Fixed,
         "",
         "",
         {"Test Check"}},
        {"ReportSummary1",
         "Memo4",
         "TrpMemoView",
         0,
         317.48052,
         166.29920283,
         18.89765,
         -13,
         false,
         Left,
         Bottom,
         Fixed,
         "",
         "",
         {"Item Name"}},
        {"ReportSummary1",
         "Memo5",
         "TrpMemoView",
         168.189085,
         317.48052,
         26.45671,
         18.89765,
         -13,
         false,
         Center,
         Bottom,
         Fixed,
         "",
         "",
         {"Qty"}},
        {"ReportSummary1",
         "Memo6",
         "TrpMemoView",
         196.53556,
         317.48052,
         64.25201,
         18.89765,
         -13,
         false,
         Center,
         Bottom,
         Fixed,
         "",
         "",
         {"Price"}},
        {"ReportSummary1",
         "Memo19",
         "TrpMemoView",
         0,
         192.75603,
         260.78757,
         94.48825,
         -13,
         false,
         Left,
         0,
         Fixed,
         "",
         "",
         {"Order Kind: Test Order", "Order Number: 999", "Order Date: 99/99/9999",
          "Order Details: Dine in section - Dine in Table", "Cashier: Test Cashier"}},
        {"ReportSummary1",
         "mem_Reprinted",
         "TrpMemoView",
         0,
         170.07885,
         260.78757,
         18.89765,
         -13,
         Bold,
         Center,
         0,
         Grows,
         "",
         "",
         {"#234567890234567890234567890234567#"}},
    };
    addRows(v, 0, 26);
    v.push_back({"ReportSummary1",
                 "Mem_RestName_en",
                 "TrpMemoView",
                 17.007885,
                 3.77953,
                 226.7718,
                 37.7953,
                 -15,
                 Bold,
                 Center,
                 0,
                 Fixed,
                 "",
                 "",
                 {"Restaurant Name", "Branch Name"}});
    v.push_back({"ReportSummary1",
                 "img_Logo",
                 "TrpPictureView",
                 17.00795823,
                 45.35436,
                 226.77165354,
                 94.48818898,
                 0,
                 false,
                 Left,
                 0,
                 Fixed,
                 "",
                 "",
                 {}});
    addRows(v, 32, 40);
    addRows(v, 27, 31);
    v.push_back({"PageHeader1",
                 "Memo1",
                 "TrpMemoView",
                 3.77953,
                 3.77953,
                 257.00804,
                 26.45671,
                 -16,
                 Bold,
                 Center,
                 0,
                 Grows,
                 "",
                 "",
                 {"Testing Receipt Printer"}});
    return v;
}

QByteArray templateBytes() {
    QFile file(templatePath(File));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(TestReceiptTemplate, HoldsItsDesignWithTheBandsInFileOrderFooterSummaryHeader) {
    Adapters adapters;
    const auto report = load(File, adapters);
    expectReportSettings(*report, {});
    const TrpReportPage* page = expectPages(*report, 184, 1, 7.5, 0);
    ASSERT_NE(page, nullptr);
    expectBands(*page, bands());
    expectViews(*report, bands(), views());
}

TEST(TestReceiptTemplate, ItemRowsFollowTheSixMillimetreRuleWrittenWithFiveDecimals) {
    // The rule's anchors: row 1 and row 40.
    EXPECT_DOUBLE_EQ(rowTop(1), 370.39394);
    EXPECT_DOUBLE_EQ(rowTop(40), 1254.80396);
    const QString text = QString::fromUtf8(templateBytes());
    for (int row = 0; row < 41; ++row) {
        for (const QByteArray& name : rowNames(row)) {
            SCOPED_TRACE(name.constData());
            // Names are unique: exactly one element carries it, with its Top as written.
            const QRegularExpression element(
                QStringLiteral("<TrpMemoView Name=\"%1\" [^>]* Top=\"([0-9.]+)\"")
                    .arg(QString::fromLatin1(name)));
            auto matches = element.globalMatch(text);
            ASSERT_TRUE(matches.hasNext());
            const QString top = matches.next().captured(1);
            EXPECT_FALSE(matches.hasNext());
            EXPECT_LE(top.size() - top.indexOf('.') - 1, 5) << top.toStdString();
            EXPECT_EQ(top.toDouble(), rowTop(row)) << top.toStdString();
        }
    }
    // Memo20 is the name row 0 does not take.
    EXPECT_FALSE(text.contains(QStringLiteral("Name=\"Memo20\"")));
}

TEST(TestReceiptTemplate, CountingPatternHasThirtyFiveCharacters) {
    Adapters adapters;
    const auto report = load(File, adapters);
    const auto* pattern = dynamic_cast<const TrpMemoView*>(report->FindObject("mem_Reprinted"));
    ASSERT_NE(pattern, nullptr);
    ASSERT_EQ(pattern->Memo().size(), 1);
    const QString line = pattern->Memo().first();
    EXPECT_EQ(line.size(), 35);
    EXPECT_EQ(line, "#" + QString("234567890").repeated(3) + "234567#");
}

TEST(TestReceiptTemplate, LogoIsTheTransparentPlaceholderPngStoredAsAPictureRecord) {
    Adapters adapters;
    const auto report = load(File, adapters);
    const auto* logo = dynamic_cast<const TrpPictureView*>(report->FindObject("img_Logo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->HightQuality());
    EXPECT_FALSE(logo->Transparent());
    EXPECT_EQ(logo->TransparentColor(), TrpWhite);
    EXPECT_TRUE(logo->KeepAspectRatio());
    EXPECT_TRUE(logo->Stretched());
    EXPECT_FALSE(logo->Center());
    EXPECT_FALSE(logo->AutoSize());

    const TrpPicture& picture = logo->Picture();
    EXPECT_EQ(picture.graphicClass(), "TPNGObject");
    // The record: "Data" with its length byte, the marker, the length, then the class name and the file.
    const QByteArray record = picture.PropData();
    EXPECT_TRUE(record.startsWith(QByteArray("\x04"
                                             "Data\x0A",
                                             6)));
    EXPECT_EQ(qFromLittleEndian<qint32>(record.constData() + 6), record.size() - 10);
    EXPECT_EQ(record.mid(10, 11), QByteArray("\x0ATPNGObject"));

    // The PNG of templates/logo, 709 x 295, 8 bits per channel, colour with alpha (IHDR colour type 6).
    QFile source(templatePath(QStringLiteral("logo/your-logo-here.png")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray png = picture.bytes();
    EXPECT_EQ(png, source.readAll());
    ASSERT_GE(png.size(), 33);
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(png.mid(12, 4), "IHDR");
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), 709u);
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 20), 295u);
    EXPECT_EQ(png.at(24), 8);
    EXPECT_EQ(png.at(25), 6);

    // Black on transparent: a border along the edges, words in the middle, nothing else.
    const QImage image = picture.image().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(709, 295));
    EXPECT_EQ(image.pixel(1, 1), qRgba(0, 0, 0, 255));
    EXPECT_EQ(image.pixel(707, 293), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(20, 20)), 0);
    EXPECT_EQ(qAlpha(image.pixel(354, 30)), 0);
    int inked = 0;
    for (int y = 20; y < 275; ++y) {
        for (int x = 20; x < 689; ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_EQ(p & 0xFFFFFFu, 0u) << x << "," << y; // only black, at any coverage
            inked += qAlpha(p) == 255 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 5000); // the words
}

} // namespace
