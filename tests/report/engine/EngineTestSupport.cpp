#include "EngineTestSupport.h"

const TrpPreparedBand* PreparedTicket::band(const QString& name, int page, int occurrence) const {
    if (page >= pages().Count()) {
        return nullptr;
    }
    for (const TrpPreparedBand& b : pages().GetPage(page).bands) {
        if (b.name == name && occurrence-- == 0) {
            return &b;
        }
    }
    return nullptr;
}

const TrpPreparedView* PreparedTicket::view(const TrpPreparedBand& band, const QString& name) const {
    for (const TrpPreparedView& v : band.views) {
        if (v.name == name) {
            return &v;
        }
    }
    return nullptr;
}

namespace EngineTest {

QDateTime christmasEvening() {
    return QDateTime(QDate(2020, 12, 25), QTime(19, 5));
}

PreparedTicket prepare(const QByteArray& templateXml, const QByteArray& json, const QDateTime& now,
                       const std::function<void(TrpReport&)>& beforePrepare) {
    PreparedTicket ticket;
    ticket.data = std::make_unique<TrpJsonData>(json);
    ticket.report = ReportTest::load(templateXml);
    ticket.report->Engine().SetClock([now] { return now; });
    if (beforePrepare) {
        beforePrepare(*ticket.report);
    }
    ticket.prepared = ticket.report->PrepareReport(true);
    return ticket;
}

QByteArray kitchenData(const QByteArray& itemRows, const QByteArray& masterRow) {
    const QByteArray master =
        masterRow.isEmpty() ? QByteArray(R"({"Master_ID": 7, "Order_Seq": 42, "Order_Kind_Desc": "Dine in",
                 "Open_DateTime": "2020-12-25T19:05:00", "Waiter_Name": "Sam", "Order_Upper_Line": "Hall",
                 "Order_Downer_Line": "T4", "Master_Remarks": null})")
                            : masterRow;
    return "{\"repDS_OrdersMaster\": [" + master + "], \"repDS_KitchenOrders\": " + itemRows + "}";
}

} // namespace EngineTest
