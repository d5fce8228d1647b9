#include "ReportTestSupport.h"
#include "TrpError.h"
#include "TrpLineView.h"
#include "TrpMasterData.h"
#include "TrpMemoView.h"
#include "TrpPageHeader.h"
#include "TrpPaperSizes.h"
#include "TrpReportPage.h"

#include <gtest/gtest.h>

namespace {

struct PaperRow {
    int code;
    int width;
    int height;
};

TEST(ObjectModel, StandardPaperTable) {
    // The fixed rows, and the table's edges on both sides of its gap.
    const PaperRow rows[] = {{1, 2159, 2794},  {9, 2100, 2970},  {11, 1480, 2100},
                             {47, 2200, 2200}, {50, 2413, 3048}, {68, 3220, 4450}};
    for (const PaperRow& row : rows) {
        const auto size = TrpPaperSizes::find(row.code);
        ASSERT_TRUE(size) << row.code;
        EXPECT_EQ(size->width, row.width) << row.code;
        EXPECT_EQ(size->height, row.height) << row.code;
    }
    for (const int code : {0, 48, 49, 69, 150, 184, 256}) {
        EXPECT_FALSE(TrpPaperSizes::find(code)) << code;
    }
}

TEST(ObjectModel, PaperSizeSequences) {
    TrpReportPage page;
    page.SetPaperWidth(72);
    page.SetPaperHeight(3276);
    EXPECT_EQ(page.PaperSize(), 256);
    page.SetPaperSize(184);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 72);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 3276);
    EXPECT_EQ(page.PaperSize(), 184);
    page.SetPaperSize(9);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 297);
    // Pixels follow the paper: 210 mm x 3.77953 = 793.7 px, 297 mm = 1122.52 px.
    EXPECT_DOUBLE_EQ(page.Width(), 794);
    EXPECT_DOUBLE_EQ(page.Height(), 1123);
    page.SetPaperWidth(66.123456789);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 66.12345679);
}

TEST(ObjectModel, OrientationSwapsDimensionsAndRotatesMargins) {
    TrpReportPage page;
    page.SetLeftMargin(1);
    page.SetTopMargin(2);
    page.SetRightMargin(3);
    page.SetBottomMargin(4);
    page.SetOrientation(TrpPrintOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 210);
    // Left gets top, top gets right, right gets bottom, bottom gets left.
    EXPECT_DOUBLE_EQ(page.LeftMargin(), 2);
    EXPECT_DOUBLE_EQ(page.TopMargin(), 3);
    EXPECT_DOUBLE_EQ(page.RightMargin(), 4);
    EXPECT_DOUBLE_EQ(page.BottomMargin(), 1);
    page.SetOrientation(TrpPrintOrientation::poLandscape); // no change, no swap
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 297);
    page.SetOrientation(TrpPrintOrientation::poPortrait);
    EXPECT_DOUBLE_EQ(page.LeftMargin(), 1);
    EXPECT_DOUBLE_EQ(page.TopMargin(), 2);
    EXPECT_DOUBLE_EQ(page.RightMargin(), 3);
    EXPECT_DOUBLE_EQ(page.BottomMargin(), 4);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
}

TEST(ObjectModel, FontInheritance) {
    TrpReport report;
    EXPECT_EQ(report.Font().Name, QString("Arial"));
    EXPECT_EQ(report.Font().Height, -13);
    EXPECT_EQ(report.Font().Color, TrpBlack);
    EXPECT_EQ(report.Font().Charset, 1);

    auto* page = report.Create<TrpReportPage>();
    auto* band = page->Create<TrpMasterData>();
    auto* memo = band->Create<TrpMemoView>();
    auto* own = band->Create<TrpMemoView>();
    TrpFont big;
    big.Height = -21;
    own->SetFont(big);
    EXPECT_FALSE(own->ParentFont());

    // A change of the page's font reaches every object that still inherits.
    TrpFont small;
    small.Height = -9;
    page->SetFont(small);
    EXPECT_EQ(band->Font().Height, -9);
    EXPECT_EQ(memo->Font().Height, -9);
    EXPECT_EQ(own->Font().Height, -21);

    // A font part set by path clears ParentFont; ParentFont true copies the parent's font again.
    ASSERT_TRUE(memo->setProperty("Font.Height", -15));
    EXPECT_FALSE(memo->ParentFont());
    EXPECT_EQ(memo->Font().Height, -15);
    memo->SetParentFont(true);
    EXPECT_EQ(memo->Font().Height, -9);

    // An object attached to a parent takes its font.
    auto* late = band->Create<TrpLineView>();
    EXPECT_EQ(late->Font().Height, -9);
}

TEST(ObjectModel, PropertiesByDottedPath) {
    TrpReport report;
    auto* page = report.Create<TrpReportPage>();
    auto* band = page->Create<TrpMasterData>();
    auto* memo = band->Create<TrpMemoView>();
    EXPECT_TRUE(memo->setProperty("Frame.Typ", 12));
    EXPECT_TRUE(memo->setProperty("DisplayFormat.Kind", static_cast<int>(TrpFormatKind::fkDateTime)));
    EXPECT_TRUE(report.setProperty("PrintOptions.Printer", QString("Bar")));
    EXPECT_TRUE(memo->setProperty("gapx", 5.0));
    EXPECT_FALSE(memo->setProperty("Frame.Nothing", 1));
    EXPECT_FALSE(memo->setProperty("Nothing.Typ", 1));
    EXPECT_EQ(memo->Frame().Typ(), 12);
    EXPECT_EQ(memo->Formats().size(), 1u);
    EXPECT_EQ(report.PrintOptions().Printer, QString("Bar"));
    EXPECT_DOUBLE_EQ(memo->GapX(), 5);
    EXPECT_EQ(memo->property("Frame.Typ").toInt(), 12);
    EXPECT_EQ(report.property("PrintOptions.Printer").toString(), QString("Bar"));
}

TEST(ObjectModel, RenamingToAnotherObjectsNameIsRefused) {
    TrpReport report;
    auto* page = report.Create<TrpReportPage>();
    page->SetName("Page1");
    auto* band = page->Create<TrpPageHeader>();
    band->SetName("Header");
    try {
        band->SetName("PAGE1");
        FAIL() << "no error";
    } catch (const TrpError& e) {
        EXPECT_EQ(e.message(), QString("prDupl"));
        EXPECT_STREQ(e.what(), "prDupl");
    }
    EXPECT_EQ(band->Name(), QString("Header"));
    band->SetName("header"); // its own name in other letter case
    EXPECT_EQ(band->Name(), QString("header"));
}

TEST(ObjectModel, FindObjectIsDepthFirstAndIgnoresLetterCase) {
    TrpReport report;
    report.SetName("Report");
    auto* page = report.Create<TrpReportPage>();
    page->SetName("Page1");
    auto* first = page->Create<TrpPageHeader>();
    auto* inFirst = first->Create<TrpMemoView>();
    inFirst->SetName("Memo_VoidMessage");
    auto* second = page->Create<TrpMasterData>();
    second->SetName("Second");
    EXPECT_EQ(report.FindObject("memo_voidmessage"), inFirst);
    EXPECT_EQ(report.FindObject("SECOND"), second);
    EXPECT_EQ(report.FindObject("Report"), nullptr); // the report itself is no candidate
    EXPECT_EQ(report.FindObject("Missing"), nullptr);
    EXPECT_EQ(report.FindObject(""), nullptr);
    // Letter case is ignored in the basic Latin letters only.
    inFirst->SetName(QString::fromUtf8("Łódź"));
    EXPECT_EQ(report.FindObject(QString::fromUtf8("Łódź")), inFirst);
    EXPECT_EQ(report.FindObject(QString::fromUtf8("łÓdź")), nullptr);
}

TEST(ObjectModel, MemoText) {
    TrpMemoView memo;
    memo.SetText("Void: 2 x Soup\r\nTable 4");
    EXPECT_EQ(memo.Memo(), (QStringList{"Void: 2 x Soup", "Table 4"}));
    EXPECT_EQ(memo.Text(), QString("Void: 2 x Soup\r\nTable 4\r\n"));
    memo.SetText("");
    EXPECT_TRUE(memo.Memo().isEmpty());
    EXPECT_EQ(memo.Text(), QString());
    memo.SetText("a\n\rb");
    EXPECT_EQ(memo.Memo(), (QStringList{"a", "", "b"}));
}

TEST(ObjectModel, Defaults) {
    TrpMemoView memo;
    EXPECT_DOUBLE_EQ(memo.GapX(), 2);
    EXPECT_DOUBLE_EQ(memo.GapY(), 1);
    EXPECT_DOUBLE_EQ(memo.LineSpacing(), 2);
    EXPECT_EQ(memo.ExpressionDelimiters(), QString("[,]"));
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_TRUE(memo.ParentFont());
    EXPECT_EQ(memo.ShiftMode(), TrpShiftMode::smAlways);
    EXPECT_EQ(memo.Visibility(), TrpVisibility::All);
    EXPECT_EQ(memo.Fill().BackColor, TrpNoColor);
    EXPECT_DOUBLE_EQ(memo.Frame().Width(), 1);
    EXPECT_DOUBLE_EQ(memo.Frame().ShadowWidth(), 4);
    TrpLineView line;
    EXPECT_EQ(line.Color(), TrpNoColor);
    EXPECT_EQ(line.ArrowWidth(), 5);
    EXPECT_EQ(line.ArrowLength(), 20);
    TrpReportPage page;
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_EQ(page.Bin(), 7);
    EXPECT_TRUE(page.PrintIfEmpty());
    TrpMasterData band;
    EXPECT_EQ(band.ShiftEngine(), TrpShiftEngine::seTree);
}

} // namespace
