#include "TemplateExpectations.h"
#include "TrpLineView.h"
#include "TrpMemoView.h"
#include "TrpReportPage.h"

#include <gtest/gtest.h>

using namespace TemplateExpectations;

namespace {

const QString Master = QStringLiteral("repDS_OrdersMaster");
const QString Kitchen = QStringLiteral("repDS_KitchenOrders");
const QString Packaging = QStringLiteral("repDS_PackagingOrders");

QString field(const QString& adapter, const char* alias) {
    return QStringLiteral("[%1.\"%2\"]").arg(adapter, QLatin1String(alias));
}

QStringList orderLines() {
    return {"Order Kind: " + field(Master, "Order_Kind_Desc"), "Order Seq: " + field(Master, "Order_Seq"),
            "Order Date: " + field(Master, "Open_DateTime"),
            "Order Details: " + field(Master, "Order_Upper_Line") + " - " +
                field(Master, "Order_Downer_Line"),
            "Waiter: " + field(Master, "Waiter_Name")};
}

std::vector<Band> kitchenBands() {
    return {{"PageHeader1", "TrpPageHeader", 18.89765, 113.3859, 264.5671, true, "", -13},
            {"MasterData1", "TrpMasterData", 192.75603, 45.35436, 264.5671, true, "repDS_KitchenOrders"},
            {"PageFooter1", "TrpPageFooter", 298.58287, 60.47238236, 264.5671}};
}

std::vector<View> kitchenViews() {
    const QString k = Kitchen;
    return {
        {"PageHeader1",
         "Memo1",
         "TrpMemoView",
         45.35436,
         5.669295,
         173.85838,
         18.89765,
         -15,
         Bold,
         Center,
         0,
         Fixed,
         "",
         "",
         {"Customer Order"}},
        {"PageHeader1",
         "Memo3",
         "TrpMemoView",
         0,
         90.70872,
         219.21274,
         18.89765,
         -13,
         false,
         Left,
         Bottom,
         Fixed,
         "",
         "",
         {"Item Name"}},
        {"PageHeader1",
         "Memo4",
         "TrpMemoView",
         219.21274,
         90.70872,
         45.35436,
         18.89765,
         -13,
         false,
         Center,
         Bottom,
         Fixed,
         "",
         "",
         {"Qty"}},
        {"PageHeader1", "Memo19", "TrpMemoView", 3.77953, 37.7953, 257.00804, 18.89765, -15, Bold, Left, 0,
         Grows, Master, "", orderLines()},
        {"PageHeader1",
         "repDS_OrdersMasterMaster_Remarks",
         "TrpMemoView",
         3.77953,
         64.25201,
         257.00804,
         15.11812,
         -13,
         false,
         Left,
         0,
         Grows,
         Master,
         "",
         {"Order Notes: " + field(Master, "Master_Remarks")}},
        {"MasterData1",
         "repDS_KitchenOrdersItem_Name",
         "TrpMemoView",
         0,
         0,
         219.21274,
         18.89765,
         -15,
         false,
         Left,
         0,
         Grows,
         k,
         "Displayed_Name_PL",
         {field(k, "Displayed_Name_PL")}},
        {"MasterData1",
         "repDS_KitchenOrdersQTY",
         "TrpMemoView",
         219.21274,
         0,
         45.35436,
         18.89765,
         -15,
         false,
         Center,
         0,
         Fixed,
         k,
         "QTY",
         {field(k, "QTY")}},
        {"MasterData1",
         "Line1",
         "TrpLineView",
         0,
         45.35436,
         264.5671,
         0,
         0,
         false,
         Left,
         TrpFrameTyp::ftTop,
         Fixed,
         "",
         "",
         {}},
        {"MasterData1",
         "Memo6",
         "TrpMemoView",
         0,
         18.89765,
         219.21274,
         18.89765,
         -15,
         false,
         Left,
         0,
         Grows,
         k,
         "Displayed_Name_SL",
         {field(k, "Displayed_Name_SL")}},
        {"MasterData1",
         "Memo7",
         "TrpMemoView",
         0,
         37.7953,
         219.21274,
         3.77953,
         -15,
         false,
         Left,
         0,
         Grows,
         k,
         "Remarks",
         {field(k, "Remarks")}},
        {"PageFooter1",
         "Date",
         "TrpMemoView",
         3.77953,
         18.89765,
         79.37013,
         15.11812,
         -11,
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
         226.7718,
         18.89765,
         34.01577,
         18.89765,
         -11,
         false,
         Right,
         0,
         Fixed,
         "",
         "",
         {"[Time]"}},
        {"PageFooter1",
         "Memo5",
         "TrpMemoView",
         41.57483,
         41.57483,
         181.41744,
         15.11812,
         -11,
         false,
         Center,
         0,
         Fixed,
         "",
         "",
         {"Merivale POS System"}},
    };
}

// The packaging copy: the kitchen design on a 66 mm printable width, over the packaging adapter.
std::vector<Band> packagingBands() {
    std::vector<Band> bands = kitchenBands();
    for (Band& b : bands) {
        b.width = 249.44898;
    }
    bands[0].height = 139.84261;
    bands[1].top = 219.21274;
    bands[1].dataSet = "repDS_PackagingOrders";
    bands[2].top = 325.03958;
    return bands;
}

std::vector<View> packagingViews() {
    std::vector<View> views = kitchenViews();
    View& title = find(views, "Memo1");
    title.left = 3.77953;
    title.width = 241.88992;
    title.height = 37.7953;
    title.text = QStringList{"Customer Order", "Dispatching Printer"};
    find(views, "Memo19").top = 68.03154;
    find(views, "Memo19").width = 241.88992;
    find(views, "repDS_OrdersMasterMaster_Remarks").top = 94.48825;
    find(views, "repDS_OrdersMasterMaster_Remarks").width = 241.88992;
    find(views, "Memo3").top = 120.94496;
    find(views, "Memo3").width = 196.53556;
    find(views, "Memo4").left = 200.31509;
    find(views, "Memo4").top = 120.94496;
    for (const char* name : {"repDS_KitchenOrdersItem_Name", "Memo6", "Memo7", "repDS_KitchenOrdersQTY"}) {
        View& item = find(views, name);
        if (qstrcmp(name, "repDS_KitchenOrdersQTY") != 0) {
            item.width = 196.53556;
        }
        item.dataSet = Packaging;
        item.text = QStringList{field(Packaging, item.dataField.toLatin1().constData())};
    }
    find(views, "repDS_KitchenOrdersQTY").left = 200.31509;
    // Line1 keeps the roll's 70 mm, wider than the packaging band.
    find(views, "Time").left = 211.65368;
    find(views, "Memo5").left = 47.244125;
    find(views, "Memo5").width = 154.96073;
    return views;
}

std::vector<Band> voidBands() {
    return {{"PageHeader1", "TrpPageHeader", 18.89765, 71.81107, 264.5671, true},
            {"PageFooter1", "TrpPageFooter", 151.1812, 56.69295, 264.5671}};
}

std::vector<View> voidViews() {
    return {
        {"PageHeader1",
         "Memo1",
         "TrpMemoView",
         68.03154,
         5.669295,
         128.50402,
         22.67718,
         -21,
         false,
         Center,
         0,
         Fixed,
         "",
         "",
         {"Item Voided"}},
        {"PageHeader1",
         "Memo_VoidMessage",
         "TrpMemoView",
         5.669295,
         41.57483,
         253.22851,
         22.67718,
         -16,
         false,
         Left,
         0,
         Grows,
         "",
         "",
         {"Memo_VoidMessage"}},
        {"PageFooter1",
         "Date",
         "TrpMemoView",
         3.77953,
         11.33859,
         64.25201,
         11.33859,
         -9,
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
         204.09462,
         11.33859,
         56.69295,
         11.33859,
         -9,
         false,
         Right,
         0,
         Fixed,
         "",
         "",
         {"[Time]"}},
        {"PageFooter1",
         "Memo2",
         "TrpMemoView",
         47.244125,
         30.23624,
         170.07885,
         15.11812,
         -11,
         false,
         Center,
         0,
         Grows,
         "",
         "",
         {"Merivale POS System"}},
    };
}

struct TemplateCase {
    const char* file;
    QStringList dataSets;
    int paperSize;
    double leftMargin;
    int pageFontHeight;
    std::vector<Band> bands;
    std::vector<View> views;
};

std::vector<TemplateCase> cases() {
    return {
        {"rep_KitchenOrder.xml", {Kitchen, Master}, 184, 1, -11, kitchenBands(), kitchenViews()},
        {"rep_PackagingOrder.xml",
         {Kitchen, Master, Packaging},
         150,
         5,
         -11,
         packagingBands(),
         packagingViews()},
        {"rep_KitchenVoid.xml", {}, 184, 1, 0, voidBands(), voidViews()},
    };
}

void PrintTo(const TemplateCase& c, std::ostream* os) {
    *os << c.file;
}

class TicketTemplate : public testing::TestWithParam<TemplateCase> {};

TEST_P(TicketTemplate, HoldsItsDesign) {
    const TemplateCase& c = GetParam();
    Adapters adapters;
    const auto report = load(c.file, adapters);
    expectReportSettings(*report, c.dataSets);
    const TrpReportPage* page = expectPages(*report, c.paperSize, c.leftMargin, 30, c.pageFontHeight);
    ASSERT_NE(page, nullptr);
    expectBands(*page, c.bands);
    expectViews(*report, c.bands, c.views);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TicketTemplate, testing::ValuesIn(cases()), [](const testing::TestParamInfo<TemplateCase>& info) {
        return QString::fromLatin1(info.param.file).section('.', 0, 0).mid(4).toStdString();
    });

const TrpMemoView& memo(const TrpReport& report, const char* name) {
    const auto* m = dynamic_cast<const TrpMemoView*>(report.FindObject(QString::fromLatin1(name)));
    if (m == nullptr) {
        throw std::runtime_error(std::string("no memo ") + name);
    }
    return *m;
}

void expectFormat(const TrpFormat& format, TrpFormatKind kind, const char* pattern) {
    EXPECT_EQ(format.Kind, kind);
    EXPECT_EQ(format.FormatStr, pattern);
    EXPECT_EQ(format.DecimalSeparator, "");
    EXPECT_EQ(format.ThousandSeparator, "");
}

TEST(OrderTicketTemplates, FormatTheOpeningTimeTheDateAndTheTime) {
    for (const char* file : {"rep_KitchenOrder.xml", "rep_PackagingOrder.xml"}) {
        SCOPED_TRACE(file);
        Adapters adapters;
        const auto report = load(file, adapters);
        // One format per expression of the order lines; only the opening time is a date.
        const auto& formats = memo(*report, "Memo19").Formats();
        ASSERT_EQ(formats.size(), 6u);
        for (size_t i = 0; i < formats.size(); ++i) {
            if (i == 2) {
                expectFormat(*formats[i], TrpFormatKind::fkDateTime, "dd/MM/yyyy hh:mm ampm");
            } else {
                expectFormat(*formats[i], TrpFormatKind::fkText, "");
            }
        }
        ASSERT_EQ(memo(*report, "Date").Formats().size(), 1u);
        expectFormat(*memo(*report, "Date").Formats()[0], TrpFormatKind::fkDateTime, "dd/MM/yyyy");
        ASSERT_EQ(memo(*report, "Time").Formats().size(), 1u);
        expectFormat(*memo(*report, "Time").Formats()[0], TrpFormatKind::fkDateTime, "HH:mm");
        for (const char* name :
             {"Memo1", "Memo3", "Memo4", "repDS_OrdersMasterMaster_Remarks", "repDS_KitchenOrdersItem_Name",
              "repDS_KitchenOrdersQTY", "Memo6", "Memo7", "Memo5"}) {
            EXPECT_TRUE(memo(*report, name).Formats().empty()) << name;
        }
    }
}

TEST(OrderTicketTemplates, SeparateItemRowsWithABlackLineAlongTheBandsBottom) {
    for (const char* file : {"rep_KitchenOrder.xml", "rep_PackagingOrder.xml"}) {
        SCOPED_TRACE(file);
        Adapters adapters;
        const auto report = load(file, adapters);
        const auto* line = dynamic_cast<const TrpLineView*>(report->FindObject("Line1"));
        ASSERT_NE(line, nullptr);
        const TrpComponent* band = line->Parent();
        EXPECT_EQ(line->Color(), TrpBlack);
        EXPECT_EQ(line->Frame().Typ(), TrpFrameTyp::ftTop);
        EXPECT_FALSE(line->Diagonal());
        EXPECT_DOUBLE_EQ(line->Top(), band->Height());
        // 70 mm on both tickets: on the packaging copy the line overhangs its 66 mm band.
        EXPECT_DOUBLE_EQ(line->Width(), 264.5671);
        EXPECT_GE(line->Width(), band->Width());
    }
}

TEST(VoidTicketTemplate, PrintsTheDateInTheDefaultFormAndTheTimeAsHoursAndMinutes) {
    Adapters adapters;
    const auto report = load("rep_KitchenVoid.xml", adapters);
    EXPECT_TRUE(memo(*report, "Date").Formats().empty());
    ASSERT_EQ(memo(*report, "Time").Formats().size(), 1u);
    expectFormat(*memo(*report, "Time").Formats()[0], TrpFormatKind::fkDateTime, "HH:mm");
}

} // namespace
