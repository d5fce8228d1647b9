#include "ReportTestSupport.h"
#include "TemplateExpectations.h"
#include "TrpDBDataset.h"
#include "TrpMemoView.h"
#include "TrpMemoryTable.h"
#include "TrpPreparedPage.h"
#include "TrpPreviewPages.h"

#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace TemplateExpectations;

namespace {

// The queries behind the order tickets' adapters, one order with the given item rows.
class OrderData {
public:
    explicit OrderData(Adapters& adapters) {
        m_master.setFields({{"Order_Kind_Desc"},
                            {"Order_Seq", TrpFieldKind::Integer},
                            {"Open_DateTime", TrpFieldKind::DateTime},
                            {"Order_Upper_Line"},
                            {"Order_Downer_Line"},
                            {"Waiter_Name"},
                            {"Master_Remarks"}});
        m_master.appendRow({"Dine In", 17, QDateTime(QDate(2026, 12, 10), QTime(13, 5)), "Terrace", "Table 4",
                            "Anna", "Birthday"});
        m_items.setFields(
            {{"Displayed_Name_PL"}, {"QTY", TrpFieldKind::Integer}, {"Displayed_Name_SL"}, {"Remarks"}});
        adapters.dataSet("repDS_OrdersMaster").SetDataSet(&m_master);
        adapters.dataSet("repDS_KitchenOrders").SetDataSet(&m_items);
        adapters.dataSet("repDS_PackagingOrders").SetDataSet(&m_items);
        // The program has the order's header row current while the tickets are prepared.
        m_master.open();
    }
    TrpMemoryTable& items() { return m_items; }

private:
    TrpMemoryTable m_master;
    TrpMemoryTable m_items;
};

// Prepares a template; expects one page and no error lines.
const TrpPreviewPage& prepare(TrpReport& report) {
    const ReportTest::CapturedErrorBox box;
    EXPECT_TRUE(report.PrepareReport());
    EXPECT_EQ(report.Errors(), QStringList());
    EXPECT_EQ(box.texts(), QStringList());
    EXPECT_EQ(report.PreviewPages().Count(), 1);
    return report.PreviewPages().GetPage(0);
}

QStringList bandNames(const TrpPreviewPage& page) {
    QStringList names;
    for (const TrpPreparedBand& band : page.bands) {
        names << band.name;
    }
    return names;
}

const TrpPreparedBand& band(const TrpPreviewPage& page, const QString& name) {
    for (const TrpPreparedBand& b : page.bands) {
        if (b.name == name) {
            return b;
        }
    }
    throw std::invalid_argument("no band " + name.toStdString());
}

const TrpPreparedView& view(const TrpPreparedBand& band, const QString& name) {
    for (const TrpPreparedView& v : band.views) {
        if (v.name == name) {
            return v;
        }
    }
    throw std::invalid_argument("no view " + name.toStdString());
}

QString joined(const TrpPreparedView& v) {
    return v.text.join('|');
}

// An item whose second name and remarks are empty (as text or as null): the row keeps its designed
// height, the empty memos keep theirs, and the separating line closes the row.
TEST(KitchenTicketLayout, OneItemWithEmptySecondNameAndRemarks) {
    for (const QVariant& empty : {QVariant(QString()), QVariant()}) {
        SCOPED_TRACE(empty.isNull() ? "null" : "empty text");
        Adapters adapters;
        OrderData data(adapters);
        data.items().appendRow({"Chicken Burger", 2, empty, empty});
        const auto report = load("rep_KitchenOrder.xml", adapters);
        const TrpPreviewPage& page = prepare(*report);

        ASSERT_EQ(bandNames(page), (QStringList{"PageHeader1", "MasterData1", "PageFooter1"}));
        const TrpPreparedBand& row = band(page, "MasterData1");
        EXPECT_EQ(joined(view(row, "repDS_KitchenOrdersItem_Name")), "Chicken Burger");
        EXPECT_EQ(joined(view(row, "repDS_KitchenOrdersQTY")), "2");
        EXPECT_EQ(joined(view(row, "Memo6")), "");
        EXPECT_EQ(joined(view(row, "Memo7")), "");
        // One line of 11 points needs 19 px: the name grows a little and pushes the rest down with it.
        const double grown = view(row, "repDS_KitchenOrdersItem_Name").bounds.height() - 18.89765;
        EXPECT_DOUBLE_EQ(grown + 18.89765, 19);
        // Empty memos need 2 px but never shrink below their design.
        EXPECT_DOUBLE_EQ(view(row, "Memo6").bounds.top(), 18.89765 + grown);
        EXPECT_DOUBLE_EQ(view(row, "Memo6").bounds.height(), 18.89765);
        EXPECT_DOUBLE_EQ(view(row, "Memo7").bounds.top(), 37.7953 + grown);
        EXPECT_DOUBLE_EQ(view(row, "Memo7").bounds.height(), 3.77953);
        const QRectF line = view(row, "Line1").bounds;
        EXPECT_DOUBLE_EQ(line.top(), 45.35436 + grown);
        EXPECT_DOUBLE_EQ(line.width(), 264.5671);
        EXPECT_GE(line.top(), view(row, "Memo7").bounds.bottom());
        // The stretched band ends at the line.
        EXPECT_DOUBLE_EQ(row.bounds.height(), line.top());
        // The footer follows the row.
        EXPECT_DOUBLE_EQ(band(page, "PageFooter1").bounds.top(), row.bounds.bottom());
    }
}

// Drawn at two device units per report pixel, the packaging copy's separator runs 264.5671 px from the
// band's left edge, past the 249.44898 px band.
TEST(PackagingTicketLayout, SeparatingLineIsDrawnWiderThanItsBand) {
    Adapters adapters;
    OrderData data(adapters);
    data.items().appendRow({"Fries", 1, "", ""});
    const auto report = load("rep_PackagingOrder.xml", adapters);
    const TrpPreviewPage& page = prepare(*report);
    const TrpPreparedBand& row = band(page, "MasterData1");
    EXPECT_DOUBLE_EQ(row.bounds.width(), 249.44898);
    const QRectF line = view(row, "Line1").bounds.translated(row.bounds.topLeft());
    EXPECT_DOUBLE_EQ(line.width(), 264.5671);

    // 5 + 70 mm overhang the 72 mm paper: the image is wider than the paper so that the whole line shows.
    const double scale = 2;
    const QSizeF paper = report->PreviewPages().GetPageSize(0);
    QImage image(qCeil(80 * TrpPixelsPerMm * scale), qCeil(paper.height() * TrpPixelsPerMm * scale),
                 QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        report->PreviewPages().DrawPage(0, painter, scale, scale, QPointF(), TrpDrawTarget::Printer);
    }
    const double left = 5 * TrpPixelsPerMm * scale; // the packaging page's left margin
    const int y = qRound((30 * TrpPixelsPerMm + line.top()) * scale - 0.5);
    double ink = 0; // dark coverage along the line's row, in device units
    for (int x = 0; x < image.width(); ++x) {
        ink += 1 - qGray(image.pixel(x, y)) / 255.0;
    }
    EXPECT_NEAR(ink, 264.5671 * scale, 2.0);
    EXPECT_LT(qGray(image.pixel(qFloor(left + 260 * scale), y)), 128); // beyond the band's right edge
    EXPECT_GT(qGray(image.pixel(qCeil(left + 266 * scale), y)), 250);  // and ending at 70 mm
}

TEST(VoidTicketLayout, MessageNotSetShowsTheMemosName) {
    Adapters adapters;
    const auto report = load("rep_KitchenVoid.xml", adapters);
    const TrpPreviewPage& page = prepare(*report);
    ASSERT_EQ(bandNames(page), (QStringList{"PageHeader1", "PageFooter1"}));
    EXPECT_EQ(joined(view(band(page, "PageHeader1"), "Memo_VoidMessage")), "Memo_VoidMessage");
}

TEST(VoidTicketLayout, MessageSetByTheProgramGrowsTheHeader) {
    Adapters adapters;
    const auto report = load("rep_KitchenVoid.xml", adapters);
    auto* message = dynamic_cast<TrpMemoView*>(report->FindObject("Memo_VoidMessage"));
    ASSERT_NE(message, nullptr);
    message->SetMemo({"Station: Grill", "Item: Chicken Burger", "Qty: 2", "Order: 17"});
    const TrpPreviewPage& page = prepare(*report);
    const TrpPreparedBand& header = band(page, "PageHeader1");
    const TrpPreparedView& shown = view(header, "Memo_VoidMessage");
    EXPECT_EQ(joined(shown), "Station: Grill|Item: Chicken Burger|Qty: 2|Order: 17");
    EXPECT_GT(shown.bounds.height(), 22.67718);
    EXPECT_DOUBLE_EQ(header.bounds.height(), shown.bounds.bottom());
}

// The summary prints once, right after the page header, the footer right after it, and the ticket is as
// long as the three bands and the margins.
TEST(TestReceiptLayout, SummaryPrintsOnceAfterTheHeaderAndTheFooterFollows) {
    Adapters adapters;
    const auto report = load("rep_TestReceipt_80.xml", adapters);
    const TrpPreviewPage& page = prepare(*report);
    ASSERT_EQ(bandNames(page), (QStringList{"PageHeader1", "ReportSummary1", "PageFooter1"}));
    const TrpPreparedBand& header = band(page, "PageHeader1");
    const TrpPreparedBand& summary = band(page, "ReportSummary1");
    const TrpPreparedBand& footer = band(page, "PageFooter1");
    EXPECT_DOUBLE_EQ(header.bounds.top(), 0);
    EXPECT_DOUBLE_EQ(summary.bounds.top(), header.bounds.bottom());
    EXPECT_DOUBLE_EQ(footer.bounds.top(), summary.bounds.bottom());
    EXPECT_DOUBLE_EQ(footer.bounds.height(), 77.85838);
    EXPECT_EQ(summary.views.size(), 6u + 3u * 41u + 2u);
    EXPECT_FALSE(view(summary, "img_Logo").image.isNull());

    const QSizeF paper = report->PreviewPages().GetPageSize(0);
    EXPECT_NEAR(paper.width(), 72, 1e-6);
    EXPECT_NEAR(paper.height(), 7.5 + footer.bounds.bottom() / TrpPixelsPerMm + 7.5, 1e-6);
}

} // namespace
