// Layout of the kitchen ticket and of small templates: band positions, stretched heights, endless page
// length, fixed-height page breaks.
#include "EngineTestSupport.h"
#include "TrpCustomMemoView.h"
#include "TrpDBDataset.h"
#include "TrpMemoryTable.h"

#include <gtest/gtest.h>

namespace {

using EngineTest::kitchenData;
using EngineTest::prepare;

constexpr double Px = TrpPixelsPerMm;

QByteArray kitchenTemplate() {
    const QByteArray xml = ReportTest::fixture(QStringLiteral("kitchen_order.xml"));
    EXPECT_FALSE(xml.isEmpty()) << "the kitchen ticket fixture is missing (VELORIA_TEST_DATA)";
    return xml;
}

QByteArray item(const char* name, int qty = 1, const char* second = nullptr, const char* remarks = nullptr) {
    auto text = [](const char* s) {
        return s == nullptr ? QByteArray("null") : "\"" + QByteArray(s) + "\"";
    };
    return "{\"QTY\": " + QByteArray::number(qty) + ", \"Displayed_Name_PL\": " + text(name) +
           ", \"Displayed_Name_SL\": " + text(second) + ", \"Remarks\": " + text(remarks) + "}";
}

// The kitchen ticket's header as laid out with a one-line remark caption: the five-line order memo
// (86 px) pushes the remarks memo (17 px, "Order Notes: " at 10 pt) and the column captions down.
constexpr double OrderMemoGrowth = 86 - 18.89765;
constexpr double RemarksGrowth = 17 - 15.11812;
constexpr double HeaderHeight = 90.70872 + OrderMemoGrowth + RemarksGrowth + 18.89765;
// A row with a one-line name: the 11-point name memo needs 19 px, the rest moves down with it.
constexpr double OneLineRow = 45.35436 + (19 - 18.89765);
constexpr double FooterHeight = 60.47238236;

TEST(TrpEngineKitchenTicket, ThreeOneLineRowsGiveTheComputedLength) {
    const PreparedTicket t =
        prepare(kitchenTemplate(),
                kitchenData("[" + item("Soup") + "," + item("Bread", 2) + "," + item("Tea") + "]"));
    ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(t.pages().Count(), 1);

    const TrpPreparedBand* header = t.band(QStringLiteral("PageHeader1"));
    ASSERT_NE(header, nullptr);
    EXPECT_DOUBLE_EQ(header->bounds.top(), 0);
    EXPECT_NEAR(header->bounds.height(), HeaderHeight, 1e-9) << "ends at its lowest memo";
    for (int row = 0; row < 3; ++row) {
        const TrpPreparedBand* band = t.band(QStringLiteral("MasterData1"), 0, row);
        ASSERT_NE(band, nullptr) << row;
        EXPECT_NEAR(band->bounds.top(), HeaderHeight + row * OneLineRow, 1e-9) << row;
        EXPECT_NEAR(band->bounds.height(), OneLineRow, 1e-9) << "ends at the line";
        const TrpPreparedView* line = t.view(*band, QStringLiteral("Line1"));
        ASSERT_NE(line, nullptr);
        EXPECT_NEAR(line->bounds.top(), OneLineRow, 1e-9);
    }
    const TrpPreparedBand* footer = t.band(QStringLiteral("PageFooter1"));
    ASSERT_NE(footer, nullptr);
    EXPECT_NEAR(footer->bounds.top(), HeaderHeight + 3 * OneLineRow, 1e-9) << "follows the last row";
    EXPECT_DOUBLE_EQ(footer->bounds.height(), FooterHeight);

    const TrpPageSettings& page = t.pages().GetPageSettings(0);
    EXPECT_EQ(page.PaperSize, 256);
    EXPECT_NEAR(page.PaperWidth, 72, 1e-8);
    EXPECT_NEAR(page.PaperHeight, 30 + (HeaderHeight + 3 * OneLineRow + FooterHeight) / Px + 7.5, 1e-8);
    EXPECT_EQ(t.pages().GetPageSize(0), QSizeF(page.PaperWidth, page.PaperHeight));
}

TEST(TrpEngineKitchenTicket, AThreeLineNameMovesTheRowBelowItButNotTheQuantity) {
    const char* longName = "Grilled chicken breast with lemon thyme and roasted garlic butter sauce";
    const PreparedTicket t = prepare(kitchenTemplate(), kitchenData("[" + item(longName, 3, "Second") + "]"));
    ASSERT_TRUE(t.prepared);
    const TrpPreparedBand* row = t.band(QStringLiteral("MasterData1"));
    ASSERT_NE(row, nullptr);
    const TrpPreparedView* name = t.view(*row, QStringLiteral("repDS_KitchenOrdersItem_Name"));
    const TrpPreparedView* qty = t.view(*row, QStringLiteral("repDS_KitchenOrdersQTY"));
    const TrpPreparedView* second = t.view(*row, QStringLiteral("Memo6"));
    const TrpPreparedView* remarks = t.view(*row, QStringLiteral("Memo7"));
    const TrpPreparedView* line = t.view(*row, QStringLiteral("Line1"));
    ASSERT_TRUE(name && qty && second && remarks && line);
    EXPECT_DOUBLE_EQ(name->bounds.height(), 52) << "Round(3 x 16.72 + 2)";
    const double growth = 52 - 18.89765;
    EXPECT_DOUBLE_EQ(qty->bounds.top(), 0);
    EXPECT_DOUBLE_EQ(qty->bounds.height(), 18.89765);
    EXPECT_EQ(qty->text, QStringList{QStringLiteral("3")});
    EXPECT_NEAR(second->bounds.top(), 18.89765 + growth, 1e-9);
    // The second name is one line (19 px): it adds its own growth below it.
    const double secondGrowth = 19 - 18.89765;
    EXPECT_NEAR(remarks->bounds.top(), 37.7953 + growth + secondGrowth, 1e-9);
    EXPECT_NEAR(line->bounds.top(), 45.35436 + growth + secondGrowth, 1e-9);
    EXPECT_NEAR(row->bounds.height(), 45.35436 + growth + secondGrowth, 1e-9);
    EXPECT_DOUBLE_EQ(remarks->bounds.height(), 3.77953) << "an empty remarks memo never shrinks";
}

TEST(TrpEngineKitchenTicket, NoRowsLeavesHeaderAndFooter) {
    const PreparedTicket t = prepare(kitchenTemplate(), kitchenData("[]"));
    ASSERT_TRUE(t.prepared);
    ASSERT_EQ(t.pages().Count(), 1);
    EXPECT_EQ(t.band(QStringLiteral("MasterData1")), nullptr);
    const TrpPreparedBand* footer = t.band(QStringLiteral("PageFooter1"));
    ASSERT_NE(footer, nullptr);
    EXPECT_NEAR(footer->bounds.top(), HeaderHeight, 1e-9);
    EXPECT_NEAR(t.pages().GetPageSize(0).height(), 30 + (HeaderHeight + FooterHeight) / Px + 7.5, 1e-8);
}

TEST(TrpEngineKitchenTicket, TheTemplateComesBackAsDesignedAfterPreparing) {
    const PreparedTicket t = prepare(kitchenTemplate(), kitchenData("[" + item("Soup") + "]"));
    ASSERT_TRUE(t.prepared);
    const QByteArray before = t.report->SaveToMemory();
    auto* memo = dynamic_cast<TrpCustomMemoView*>(t.report->FindObject(QStringLiteral("memo19")));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->Memo().front().startsWith(QLatin1String("Order Kind: [repDS_OrdersMaster.")))
        << "the designed text is back";
    EXPECT_TRUE(t.report->PrepareReport(true));
    EXPECT_EQ(t.report->SaveToMemory(), before) << "the designed template, not the laid-out one";
    EXPECT_EQ(t.pages().Count(), 1) << "the last report was cleared";
}

// A page of 50 mm without margins (188.9765 px): header 20, rows 30, footer 20.
QByteArray fixedPageTemplate(bool endless) {
    return ReportTest::document(
        "<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"50\" EndlessHeight=\"" +
        QByteArray(endless ? "True" : "False") +
        "\">"
        "<TrpPageHeader Name=\"Head\" Top=\"0\" Height=\"20\" Width=\"200\"/>"
        "<TrpMasterData Name=\"Rows\" Top=\"40\" Height=\"30\" Width=\"200\" RowCount=\"10\">"
        "<TrpMemoView Name=\"RowNo\" Left=\"0\" Top=\"0\" Width=\"100\" Height=\"20\" Text=\"[Line]\"/>"
        "</TrpMasterData>"
        "<TrpPageFooter Name=\"Foot\" Top=\"100\" Height=\"20\" Width=\"200\">"
        "<TrpMemoView Name=\"PageNo\" Left=\"0\" Top=\"0\" Width=\"100\" Height=\"20\" Text=\"[Page#]\"/>"
        "</TrpPageFooter>"
        "</TrpReportPage>");
}

TEST(TrpEngineFixedPages, BandsThatDoNotFitStartANewPageWithTheHeaderRepeated) {
    const PreparedTicket t = prepare(fixedPageTemplate(false), "{}");
    ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
    // Free space: 188.9765 - 20 (footer) - CurY; four rows fit after the header, then a break.
    ASSERT_EQ(t.pages().Count(), 3);
    const int rowsPerPage[] = {4, 4, 2};
    int line = 1;
    for (int p = 0; p < 3; ++p) {
        const auto& bands = t.pages().GetPage(p).bands;
        ASSERT_EQ(static_cast<int>(bands.size()), rowsPerPage[p] + 2) << p;
        EXPECT_EQ(bands.front().name, QStringLiteral("Head")) << p;
        EXPECT_DOUBLE_EQ(bands.front().bounds.top(), 0);
        for (int r = 0; r < rowsPerPage[p]; ++r) {
            const TrpPreparedBand& row = bands[static_cast<size_t>(r + 1)];
            EXPECT_DOUBLE_EQ(row.bounds.top(), 20 + 30 * r) << p;
            EXPECT_EQ(row.views.front().text, QStringList{QString::number(line++)});
        }
        const TrpPreparedBand& foot = bands.back();
        EXPECT_EQ(foot.name, QStringLiteral("Foot"));
        EXPECT_NEAR(foot.bounds.top(), 50 * Px - 20, 1e-9) << "at the bottom of the printable area";
        EXPECT_EQ(foot.views.front().text, QStringList{QString::number(p + 1)});
        EXPECT_EQ(t.pages().GetPageSize(p), QSizeF(72, 50)) << "a fixed page keeps its paper";
    }
}

TEST(TrpEngineFixedPages, TheSameTemplateEndlessIsOnePage) {
    const PreparedTicket t = prepare(fixedPageTemplate(true), "{}");
    ASSERT_TRUE(t.prepared);
    ASSERT_EQ(t.pages().Count(), 1);
    EXPECT_NEAR(t.pages().GetPageSize(0).height(), (20 + 10 * 30 + 20) / Px, 1e-8);
}

TEST(TrpEngineSummary, SummaryFollowsTheHeaderAndTheFooterTheSummary) {
    // Bands in the file in footer, summary, header order: their kinds decide where they go.
    const QByteArray xml = ReportTest::document(
        "<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"3276\" TopMargin=\"7.5\" "
        "BottomMargin=\"7.5\" "
        "LeftMargin=\"1\" RightMargin=\"1\" EndlessHeight=\"True\">"
        "<TrpPageFooter Name=\"Foot\" Top=\"1400\" Height=\"77.85838\" Width=\"264.5671\"/>"
        "<TrpReportSummary Name=\"Sum\" Top=\"113.3859\" Height=\"1285.0402\" Width=\"264.5671\" "
        "Stretched=\"True\">"
        "<TrpMemoView Name=\"Check\" Left=\"0\" Top=\"100\" Width=\"150\" Height=\"18.89765\" Text=\"Test "
        "Check\"/>"
        "</TrpReportSummary>"
        "<TrpPageHeader Name=\"Head\" Top=\"18.89765\" Height=\"34.01577\" Width=\"264.5671\"/>"
        "</TrpReportPage>");
    const PreparedTicket t = prepare(xml, "{}");
    ASSERT_TRUE(t.prepared);
    ASSERT_EQ(t.pages().Count(), 1);
    const auto& bands = t.pages().GetPage(0).bands;
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].name, QStringLiteral("Head"));
    EXPECT_EQ(bands[1].name, QStringLiteral("Sum"));
    EXPECT_DOUBLE_EQ(bands[1].bounds.top(), 34.01577);
    EXPECT_DOUBLE_EQ(bands[1].bounds.height(), 118.89765) << "a stretched band ends at its lowest view";
    EXPECT_EQ(bands[2].name, QStringLiteral("Foot"));
    EXPECT_DOUBLE_EQ(bands[2].bounds.top(), 34.01577 + 118.89765);
    const QSizeF size = t.pages().GetPageSize(0);
    EXPECT_NEAR(size.width(), 72, 1e-8);
    EXPECT_NEAR(size.height(), 15 + (34.01577 + 118.89765 + 77.85838) / Px, 1e-8);
}

// The footer's height counts as designed also when the footer does not print: the page keeps its room.
TEST(TrpEngineSummary, AnInvisibleFooterKeepsItsRoomOnAnEndlessPage) {
    const QByteArray xml = ReportTest::document(
        "<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"3276\" TopMargin=\"10\" "
        "BottomMargin=\"5\" EndlessHeight=\"True\">"
        "<TrpPageFooter Name=\"Foot\" Top=\"1400\" Height=\"40\" Width=\"264.5671\" Visible=\"False\"/>"
        "<TrpReportSummary Name=\"Sum\" Top=\"100\" Height=\"30\" Width=\"264.5671\"/>"
        "</TrpReportPage>");
    const PreparedTicket t = prepare(xml, "{}");
    ASSERT_TRUE(t.prepared);
    ASSERT_EQ(t.pages().Count(), 1);
    const auto& bands = t.pages().GetPage(0).bands;
    ASSERT_EQ(bands.size(), 1u) << "the footer does not print";
    EXPECT_EQ(bands[0].name, QStringLiteral("Sum"));
    EXPECT_NEAR(t.pages().GetPageSize(0).height(), 15 + (30 + 40) / Px, 1e-8);
}

// Sizes no printer can take are error lines of the template; nothing is laid out, so no empty or endless
// ticket counts as printed.
TEST(TrpEngineGeometry, UnprintableSizesAreErrorLinesAndLayOutNothing) {
    const QByteArray sound = "<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"100\" "
                             "EndlessHeight=\"True\">"
                             "<TrpReportSummary Name=\"Sum\" Height=\"20\" Width=\"264\" Stretched=\"True\">"
                             "<TrpMemoView Name=\"Memo1\" Width=\"150\" Height=\"19\" Text=\"Soup\"/>"
                             "</TrpReportSummary></TrpReportPage>";
    {
        const PreparedTicket t = prepare(ReportTest::document(sound), "{}");
        ASSERT_TRUE(t.prepared) << t.report->Errors().join(QLatin1Char('\n')).toStdString();
        ASSERT_EQ(t.pages().Count(), 1);
    }
    struct Case {
        const char* soundPart;
        const char* broken;
        const char* line;
    } const cases[] = {
        {"PaperWidth=\"72\"", "PaperWidth=\"1e308\"", "Page1: PaperWidth 1e+308 cannot be printed"},
        {"PaperWidth=\"72\"", "PaperWidth=\"-5\"", "Page1: PaperWidth -5 cannot be printed"},
        {"PaperWidth=\"72\"", "PaperWidth=\"0\"", "Page1: PaperWidth 0 cannot be printed"},
        {"PaperHeight=\"100\"", "PaperHeight=\"0\"", "Page1: PaperHeight 0 cannot be printed"},
        {"PaperHeight=\"100\"", "PaperHeight=\"-1\"", "Page1: PaperHeight -1 cannot be printed"},
        {"PaperHeight=\"100\"", "PaperHeight=\"1e308\"", "Page1: PaperHeight 1e+308 cannot be printed"},
        {"Height=\"20\"", "Height=\"-20\"", "Sum: Height -20 cannot be printed"},
        {"Height=\"20\"", "Height=\"1e308\"", "Sum: Height 1e+308 cannot be printed"},
        {"Height=\"19\"", "Height=\"1e308\"", "Memo1: Height 1e+308 cannot be printed"},
        {"Height=\"19\"", "Height=\"-19\"", "Memo1: Height -19 cannot be printed"},
        {"Width=\"150\"", "Width=\"1e308\"", "Memo1: Width 1e+308 cannot be printed"},
        {"EndlessHeight=\"True\"", "EndlessHeight=\"True\" TopMargin=\"1e308\"",
         "Page1: TopMargin 1e+308 cannot be printed"},
    };
    for (const Case& c : cases) {
        QByteArray broken = sound;
        broken.replace(c.soundPart, c.broken);
        const PreparedTicket t = prepare(ReportTest::document(broken), "{}");
        EXPECT_FALSE(t.prepared) << c.broken;
        EXPECT_EQ(t.pages().Count(), 0) << c.broken;
        EXPECT_EQ(t.report->Errors(), QStringList{QString::fromLatin1(c.line)}) << c.broken;
    }
}

} // namespace

namespace {

// A query that asks its report to prepare again while the report is preparing.
class ReenteringTable : public TrpMemoryTable {
public:
    using TrpMemoryTable::TrpMemoryTable;
    TrpReport* report = nullptr;
    std::vector<bool> innerResults;
    void first() override {
        TrpMemoryTable::first();
        if (report != nullptr && innerResults.empty()) {
            innerResults.push_back(report->Busy());
            innerResults.push_back(report->PrepareReport(true));
        }
    }
};

TEST(TrpReportPrepare, ACallWhileBusyIsQueuedAndRunsAfterwards) {
    ReenteringTable table({{QStringLiteral("Name"), TrpFieldKind::String}});
    table.appendRow({QStringLiteral("Soup")});
    TrpDBDataset adapter;
    adapter.SetName(QStringLiteral("repDS_Items"));
    adapter.SetDataSet(&table);
    auto report =
        ReportTest::load(ReportTest::document("<Datasets><item DataSetName=\"repDS_Items\"/></Datasets>"
                                              "<TrpReportPage Name=\"Page1\" EndlessHeight=\"True\">"
                                              "<TrpMasterData Name=\"Rows\" Height=\"20\" Width=\"100\" "
                                              "DataSetName=\"repDS_Items\"/></TrpReportPage>"));
    table.report = report.get();
    EXPECT_TRUE(report->PrepareReport(true));
    EXPECT_EQ(table.innerResults, (std::vector<bool>{true, false})) << "busy, queued, false at once";
    EXPECT_FALSE(report->Busy());
    EXPECT_EQ(table.openCount(), 1) << "an open query is not run again";
    EXPECT_EQ(report->PreviewPages().Count(), 1) << "the queued preparation ran and cleared the first";
    ASSERT_EQ(report->PreviewPages().GetPage(0).bands.size(), 1u);
}

} // namespace
