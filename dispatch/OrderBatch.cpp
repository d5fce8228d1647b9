#include "OrderBatch.h"

#include "DispatchServices.h"
#include "TraceChannel.h"

#include <vector>

namespace {

// A dataset adapter named as the templates name it, reading one of the batch's queries.
void nameAdapter(TrpDBDataset& adapter, const char* name, TrpRowSource& rows) {
    adapter.SetName(QString::fromLatin1(name));
    adapter.SetUserName(QString::fromLatin1(name));
    adapter.SetDataSet(&rows);
}

void trace(const QString& text) {
    TraceChannel::instance().Send(text);
}

} // namespace

OrderBatch::OrderBatch(DispatchServices& services)
    : services_(services), repDS_OrdersMaster(&services.adapterOwner()),
      repDS_PackagingOrders(&services.adapterOwner()), repDS_KitchenOrders(&services.adapterOwner()),
      units_(services, QStringLiteral("Order")) {
    nameAdapter(repDS_OrdersMaster, "repDS_OrdersMaster", ordersMasterRows_);
    nameAdapter(repDS_PackagingOrders, "repDS_PackagingOrders", packagingRows_);
    nameAdapter(repDS_KitchenOrders, "repDS_KitchenOrders", kitchenRows_);
    rep_Check.SetName(QStringLiteral("rep_Check"));
    rep_Packaging.SetName(QStringLiteral("rep_Packaging"));
    rep_Check.SetOwner(&services.adapterOwner());
    rep_Packaging.SetOwner(&services.adapterOwner());
}

PrintedTicket OrderBatch::label(PrintedTicket::Kind kind, qint64 Master_ID) const {
    PrintedTicket ticket;
    ticket.kind = kind;
    ticket.id = Master_ID;
    ticket.orderSeq =
        OrdersMasterQ.recordCount() > 0 ? OrdersMasterQ.asLargeInt(QStringLiteral("Order_Seq")) : 0;
    return ticket;
}

void OrderBatch::open(DbQuery& query, qint64 Master_ID) {
    services_.checkNotStopped();
    query.close();
    services_.bindOutlet(query);
    query.setParameter(QStringLiteral("Master_ID"), Master_ID);
    query.open();
}

void OrderBatch::run() {
    ReadyToPrintQ.close();
    services_.bindOutlet(ReadyToPrintQ);
    ReadyToPrintQ.open();
    trace(QStringLiteral("ReadyToPrintQ Opened"));
    trace(QStringLiteral("ReadyToPrintQ Records: %1").arg(ReadyToPrintQ.recordCount()));

    std::vector<std::pair<qint64, qint64>> queue;
    QSet<qint64> queued;
    for (ReadyToPrintQ.first(); !ReadyToPrintQ.eof(); ReadyToPrintQ.next()) {
        const qint64 masterId = ReadyToPrintQ.asLargeInt(QStringLiteral("Master_ID"));
        queue.emplace_back(ReadyToPrintQ.asLargeInt(QStringLiteral("RTP_ID")), masterId);
        queued.insert(masterId);
    }
    units_.retainOnly(queued);
    if (queue.empty()) {
        return;
    }
    trace(QStringLiteral("Printing Normal Orders"));
    for (const auto& [rtpId, masterId] : queue) {
        if (services_.stopRequested()) {
            return;
        }
        printOrder(rtpId, masterId);
    }
}

void OrderBatch::printOrder(qint64 RTP_ID, qint64 Master_ID) {
    units_.run(Master_ID, TransactionKind::Exclusive, [&] {
        open(OrdersMasterQ, Master_ID);
        trace(QStringLiteral("OrdersMasterQ Opened"));
        trace(QStringLiteral("OrdersMasterQ Records: %1").arg(OrdersMasterQ.recordCount()));
        if (OrdersMasterQ.recordCount() == 0) {
            // Its items still print, with the head's fields empty.
            units_.logRepeatable(Master_ID, QStringLiteral("Order #%1 has no order head").arg(Master_ID));
        }
        if (!PrintOnPackagingPrinter(Master_ID)) {
            return;
        }
        Report_PathAndName = services_.reportPath() + QStringLiteral("rep_KitchenOrder.xml");
        PrintThis(Master_ID);
        units_.ticketsDone();
        services_.execute(OrdersDetails_UpdateIsPrinted, QStringLiteral("Master_ID"), Master_ID);
        trace(QStringLiteral("OrdersDetails_UpdateIsPrinted Fired"));
        services_.execute(ReadyToPrint_DeletePrinted, QStringLiteral("RTP_ID"), RTP_ID);
        trace(QStringLiteral("ReadyToPrint_DeletePrinted Fired"));
    });
}

bool OrderBatch::PrintOnPackagingPrinter(qint64 Master_ID) {
    const TraceChannel& tracer = TraceChannel::instance();
    tracer.EnterMethod(QStringLiteral("PrintOnPackagingPrinter"));
    const PrintServerState& state = services_.state();
    if (!state.Use_Packaging_Printer) {
        tracer.ExitMethod(QStringLiteral("PrintOnPackagingPrinter"));
        return true;
    }
    const QString templateFile = services_.reportPath() + QStringLiteral("rep_PackagingOrder.xml");
    open(PackagingOrdersQ, Master_ID);
    const int lines = PackagingOrdersQ.recordCount();
    units_.logRepeatable(Master_ID, QStringLiteral("Packaging Order Items Count #%1").arg(lines));
    if (lines > 0) {
        const auto outcome = units_.print(
            Master_ID, QStringLiteral("packaging:") + state.Packaging_Printer_Name,
            PrintedTicketMemory::contentOf(PackagingOrdersQ), [&] {
                services_.tickets().print(rep_Packaging, {templateFile,
                                                          state.Packaging_Printer_Name,
                                                          {},
                                                          lines,
                                                          &repDS_PackagingOrders,
                                                          label(PrintedTicket::Kind::Packaging, Master_ID)});
            });
        if (outcome == DispatchUnits::Outcome::PrintedBefore) {
            units_.logRepeatable(
                Master_ID,
                QStringLiteral("Printing Packaging Order #%1 skipped, printed before").arg(Master_ID));
        } else if (outcome == DispatchUnits::Outcome::Printed) {
            services_.log(QStringLiteral("Printing Packaging Order #%1").arg(Master_ID));
        }
    }
    tracer.ExitMethod(QStringLiteral("PrintOnPackagingPrinter"));
    return true;
}

void OrderBatch::PrintThis(qint64 Master_ID) {
    const TraceChannel& tracer = TraceChannel::instance();
    tracer.EnterMethod(QStringLiteral("PrintThis"));
    open(PrintersInOrderQ, Master_ID);
    QStringList printers;
    int itemLines = 0; // unprinted lines of the order, printed here or told below
    for (PrintersInOrderQ.first(); !PrintersInOrderQ.eof(); PrintersInOrderQ.next()) {
        printers.append(PrintersInOrderQ.asString(QStringLiteral("Default_Printer")));
    }
    for (const QString& printer : printers) {
        if (printer.isEmpty()) {
            // Lines of no station (or of a station without a name) print nowhere; they are told below.
            continue;
        }
        services_.checkNotStopped();
        KitchenOrdersQ.close();
        services_.bindOutlet(KitchenOrdersQ);
        KitchenOrdersQ.setParameter(QStringLiteral("Master_ID"), Master_ID);
        KitchenOrdersQ.setParameter(QStringLiteral("Printer_Name"), printer);
        KitchenOrdersQ.open();
        const int lines = KitchenOrdersQ.recordCount();
        if (lines == 0) {
            continue;
        }
        itemLines += lines;
        const auto outcome = units_.print(
            Master_ID, QStringLiteral("kitchen:") + printer, PrintedTicketMemory::contentOf(KitchenOrdersQ),
            [&] {
                services_.tickets().print(rep_Check, {Report_PathAndName,
                                                      printer,
                                                      {},
                                                      lines,
                                                      &repDS_KitchenOrders,
                                                      label(PrintedTicket::Kind::Kitchen, Master_ID)});
            });
        if (outcome == DispatchUnits::Outcome::PrintedBefore) {
            units_.logRepeatable(
                Master_ID, QStringLiteral("Printing Order #%1 Using Printer: %2 skipped, printed before")
                               .arg(Master_ID)
                               .arg(printer));
        }
        if (outcome != DispatchUnits::Outcome::Printed) {
            continue;
        }
        services_.log(QStringLiteral("Printing Order #%1 Using Printer: %2").arg(Master_ID).arg(printer));
    }
    open(StationlessItemsQ, Master_ID);
    QStringList stationless;
    for (StationlessItemsQ.first(); !StationlessItemsQ.eof(); StationlessItemsQ.next()) {
        stationless << StationlessItemsQ.asString(QStringLiteral("Displayed_Name_PL"));
    }
    units_.logStationless(Master_ID, stationless);
    if (itemLines + stationless.size() == 0) {
        // Queued with nothing to print (no lines, or all printed before): its queue row goes, told once.
        units_.logRepeatable(Master_ID, QStringLiteral("Order #%1 has no items to print").arg(Master_ID));
    }
    tracer.ExitMethod(QStringLiteral("PrintThis"));
}
