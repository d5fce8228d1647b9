#include "OrderTicketTemplate.h"

#include "TicketAdapters.h"
#include "TicketTemplateParts.h"
#include "TrpLineView.h"
#include "TrpMasterData.h"
#include "TrpMemoView.h"
#include "TrpPageFooter.h"
#include "TrpPageHeader.h"
#include "TrpReport.h"
#include "TrpReportPage.h"

using namespace TicketTemplateParts;

namespace {

// What the packaging copy changes in the kitchen ticket's design.
struct OrderTicketLayout {
    bool packaging = false;
    int paperSize = 184;
    double leftMargin = 1;
    double bandWidth = RollWidth;
    double headerHeight = 113.3859;
    double titleLeft = 45.35436;
    double titleWidth = 173.85838;
    double titleHeight = 18.89765;
    double orderTop = 37.7953;
    double notesTop = 64.25201;
    double orderWidth = 257.00804;
    double columnsTop = 90.70872;
    double itemWidth = 219.21274;
    double qtyLeft = 219.21274;
    double dataTop = 192.75603;
    double footerTop = 298.58287;
    double timeLeft = 226.7718;
    double signatureLeft = 41.57483;
    double signatureWidth = 181.41744;
};

OrderTicketLayout packagingLayout() {
    OrderTicketLayout l;
    l.packaging = true;
    l.paperSize = 150;
    l.leftMargin = 5;
    l.bandWidth = 249.44898;
    l.headerHeight = 139.84261;
    l.titleLeft = 3.77953;
    l.titleWidth = 241.88992;
    l.titleHeight = 37.7953;
    l.orderTop = 68.03154;
    l.notesTop = 94.48825;
    l.orderWidth = 241.88992;
    l.columnsTop = 120.94496;
    l.itemWidth = 196.53556;
    l.qtyLeft = 200.31509;
    l.dataTop = 219.21274;
    l.footerTop = 325.03958;
    l.timeLeft = 211.65368;
    l.signatureLeft = 47.244125;
    l.signatureWidth = 154.96073;
    return l;
}

QString field(const QString& adapter, const char* alias) {
    return QStringLiteral("[%1.\"%2\"]").arg(adapter, QLatin1String(alias));
}

void addHeader(TrpReportPage& page, const OrderTicketLayout& l, TrpDataSet& master) {
    auto* header = addBand<TrpPageHeader>(page, "PageHeader1", 18.89765, l.bandWidth, l.headerHeight);
    header->SetStretched(true);
    setFont(*header, -13);

    const QStringList title =
        l.packaging ? QStringList{QStringLiteral("Customer Order"), QStringLiteral("Dispatching Printer")}
                    : QStringList{QStringLiteral("Customer Order")};
    addMemo(*header, "Memo1", l.titleLeft, 5.669295, l.titleWidth, l.titleHeight, -15, title, true)
        ->SetHAlign(TrpHAlign::haCenter);
    addMemo(*header, "Memo3", 0, l.columnsTop, l.itemWidth, 18.89765, -13, {QStringLiteral("Item Name")})
        ->FrameForEditing()
        ->SetTyp(TrpFrameTyp::ftBottom);
    auto* qty =
        addMemo(*header, "Memo4", l.qtyLeft, l.columnsTop, 45.35436, 18.89765, -13, {QStringLiteral("Qty")});
    qty->SetHAlign(TrpHAlign::haCenter);
    qty->FrameForEditing()->SetTyp(TrpFrameTyp::ftBottom);

    const QString m = master.Name();
    auto* order = addMemo(*header, "Memo19", 3.77953, l.orderTop, l.orderWidth, 18.89765, -15,
                          {QStringLiteral("Order Kind: ") + field(m, "Order_Kind_Desc"),
                           QStringLiteral("Order Seq: ") + field(m, "Order_Seq"),
                           QStringLiteral("Order Date: ") + field(m, "Open_DateTime"),
                           QStringLiteral("Order Details: ") + field(m, "Order_Upper_Line") +
                               QStringLiteral(" - ") + field(m, "Order_Downer_Line"),
                           QStringLiteral("Waiter: ") + field(m, "Waiter_Name")},
                          true);
    order->SetStretchMode(TrpStretchMode::smActualHeight);
    bind(*order, master);
    // One format per expression of the text; only the opening time is not plain text.
    for (int i = 0; i < 6; ++i) {
        TrpFormat* format = order->AddFormat();
        if (i == 2) {
            format->Kind = TrpFormatKind::fkDateTime;
            format->FormatStr = QStringLiteral("dd/MM/yyyy hh:mm ampm");
        }
    }

    auto* notes = addMemo(*header, "repDS_OrdersMasterMaster_Remarks", 3.77953, l.notesTop, l.orderWidth,
                          15.11812, -13, {QStringLiteral("Order Notes: ") + field(m, "Master_Remarks")});
    notes->SetStretchMode(TrpStretchMode::smActualHeight);
    bind(*notes, master);
}

void addItems(TrpReportPage& page, const OrderTicketLayout& l, TrpDataSet& items) {
    auto* data = addBand<TrpMasterData>(page, "MasterData1", l.dataTop, l.bandWidth, 45.35436);
    data->SetStretched(true);
    data->SetDataSet(&items);
    data->SetRowCount(0);

    const QString a = items.Name();
    auto* name = addMemo(*data, "repDS_KitchenOrdersItem_Name", 0, 0, l.itemWidth, 18.89765, -15,
                         {field(a, "Displayed_Name_PL")});
    name->SetStretchMode(TrpStretchMode::smActualHeight);
    bind(*name, items, QStringLiteral("Displayed_Name_PL"));

    auto* qty =
        addMemo(*data, "repDS_KitchenOrdersQTY", l.qtyLeft, 0, 45.35436, 18.89765, -15, {field(a, "QTY")});
    qty->SetHAlign(TrpHAlign::haCenter);
    // A quantity is never cut: a number wider than its column prints whole in a smaller font.
    qty->SetShrinkToFit(true);
    bind(*qty, items, QStringLiteral("QTY"));

    // The separator keeps the roll's full width on the narrower packaging band.
    auto* line = data->Create<TrpLineView>();
    line->SetName(QStringLiteral("Line1"));
    line->SetAllowVectorExport(true);
    line->SetLeft(0);
    line->SetTop(45.35436);
    line->SetWidth(RollWidth);
    line->SetHeight(0);
    line->SetColor(TrpBlack);
    line->FrameForEditing()->SetTyp(TrpFrameTyp::ftTop);

    auto* second =
        addMemo(*data, "Memo6", 0, 18.89765, l.itemWidth, 18.89765, -15, {field(a, "Displayed_Name_SL")});
    second->SetStretchMode(TrpStretchMode::smActualHeight);
    bind(*second, items, QStringLiteral("Displayed_Name_SL"));

    auto* remarks = addMemo(*data, "Memo7", 0, 37.7953, l.itemWidth, 3.77953, -15, {field(a, "Remarks")});
    remarks->SetStretchMode(TrpStretchMode::smActualHeight);
    bind(*remarks, items, QStringLiteral("Remarks"));
}

void addFooter(TrpReportPage& page, const OrderTicketLayout& l) {
    auto* footer = addBand<TrpPageFooter>(page, "PageFooter1", l.footerTop, l.bandWidth, 60.47238236);
    auto* date =
        addMemo(*footer, "Date", 3.77953, 18.89765, 79.37013, 15.11812, -11, {QStringLiteral("[Date]")});
    date->DisplayFormat()->Kind = TrpFormatKind::fkDateTime;
    date->DisplayFormat()->FormatStr = QStringLiteral("dd/MM/yyyy");
    auto* time =
        addMemo(*footer, "Time", l.timeLeft, 18.89765, 34.01577, 18.89765, -11, {QStringLiteral("[Time]")});
    time->SetHAlign(TrpHAlign::haRight);
    time->DisplayFormat()->Kind = TrpFormatKind::fkDateTime;
    time->DisplayFormat()->FormatStr = QStringLiteral("HH:mm");
    addMemo(*footer, "Memo5", l.signatureLeft, 41.57483, l.signatureWidth, 15.11812, -11,
            {QStringLiteral("Merivale POS System")})
        ->SetHAlign(TrpHAlign::haCenter);
}

std::unique_ptr<TrpReport> build(TicketAdapters& adapters, const OrderTicketLayout& l) {
    auto report = newReport();
    report->SetOwner(&adapters.window());
    report->AddDataset(&adapters.kitchenOrders());
    report->AddDataset(&adapters.ordersMaster());
    if (l.packaging) {
        report->AddDataset(&adapters.packagingOrders());
    }
    TrpReportPage* page = addPages(*report);
    page->SetPaperSize(l.paperSize);
    page->SetLeftMargin(l.leftMargin);
    setFont(*page, -11);

    addHeader(*page, l, adapters.ordersMaster());
    addItems(*page, l, l.packaging ? adapters.packagingOrders() : adapters.kitchenOrders());
    addFooter(*page, l);
    return report;
}

} // namespace

namespace OrderTicketTemplate {

std::unique_ptr<TrpReport> kitchenOrder(TicketAdapters& adapters) {
    return build(adapters, OrderTicketLayout());
}

std::unique_ptr<TrpReport> packagingOrder(TicketAdapters& adapters) {
    return build(adapters, packagingLayout());
}

} // namespace OrderTicketTemplate
