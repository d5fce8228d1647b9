#include "OrderBatch.h"

#include "DispatchFailure.h"
#include "DispatchServices.h"
#include "TraceChannel.h"
#include "Transaction.h"

#include <vector>

namespace {

// An adapter of the main window, named as the templates name it, reading one of the batch's queries.
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
      failureLog_([&services](const QString& line) { services.log(line); }) {
    nameAdapter(repDS_OrdersMaster, "repDS_OrdersMaster", ordersMasterRows_);
    nameAdapter(repDS_PackagingOrders, "repDS_PackagingOrders", packagingRows_);
    nameAdapter(repDS_KitchenOrders, "repDS_KitchenOrders", kitchenRows_);
    rep_Check.SetName(QStringLiteral("rep_Check"));
    rep_Packaging.SetName(QStringLiteral("rep_Packaging"));
    rep_Check.SetOwner(&services.adapterOwner());
    rep_Packaging.SetOwner(&services.adapterOwner());
}

QString OrderBatch::unitOf(qint64 Master_ID) {
    return QStringLiteral("Order #%1").arg(Master_ID);
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
    QSet<QString> queued;
    for (ReadyToPrintQ.first(); !ReadyToPrintQ.eof(); ReadyToPrintQ.next()) {
        const qint64 masterId = ReadyToPrintQ.asLargeInt(QStringLiteral("Master_ID"));
        queue.emplace_back(ReadyToPrintQ.asLargeInt(QStringLiteral("RTP_ID")), masterId);
        queued.insert(unitOf(masterId));
    }
    // What is remembered of orders no longer queued (finished by another server, removed by hand) goes.
    printed_.retainOnly(queued);
    failureLog_.retainOnly(queued);
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
    const QString unit = unitOf(Master_ID);
    try {
        runInTransaction(
            services_.connection(),
            [&] {
                open(OrdersMasterQ, Master_ID);
                trace(QStringLiteral("OrdersMasterQ Opened"));
                trace(QStringLiteral("OrdersMasterQ Records: %1").arg(OrdersMasterQ.recordCount()));
                failures_.clear();
                if (PrintOnPackagingPrinter(Master_ID)) {
                    Report_PathAndName = services_.reportPath() + QStringLiteral("rep_KitchenOrder.xml");
                    PrintThis(Master_ID);
                    failures_.raiseFirst();
                    services_.checkNotStopped();
                    services_.bindOutlet(OrdersDetails_UpdateIsPrinted);
                    OrdersDetails_UpdateIsPrinted.setParameter(QStringLiteral("Master_ID"), Master_ID);
                    OrdersDetails_UpdateIsPrinted.execute();
                    trace(QStringLiteral("OrdersDetails_UpdateIsPrinted Fired"));
                    services_.checkNotStopped();
                    services_.bindOutlet(ReadyToPrint_DeletePrinted);
                    ReadyToPrint_DeletePrinted.setParameter(QStringLiteral("RTP_ID"), RTP_ID);
                    ReadyToPrint_DeletePrinted.execute();
                    trace(QStringLiteral("ReadyToPrint_DeletePrinted Fired"));
                }
                services_.checkNotStopped();
            },
            TransactionKind::Exclusive);
    } catch (const CycleStopped&) {
        return;
    } catch (const std::exception& e) {
        failureLog_.failed(
            unit, QStringLiteral("Printing Order #%1 Failed: %2").arg(Master_ID).arg(failureMessage(e)));
        return;
    }
    printed_.forget(unit);
    failureLog_.succeeded(unit);
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
    services_.log(QStringLiteral("Packaging Order Items Count #%1").arg(lines));
    if (lines > 0) {
        const QString unit = unitOf(Master_ID);
        const QString copy = QStringLiteral("packaging:") + state.Packaging_Printer_Name;
        const QByteArray content = PrintedTicketMemory::contentOf(PackagingOrdersQ);
        if (printed_.printedBefore(unit, copy, content)) {
            services_.log(
                QStringLiteral("Printing Packaging Order #%1 skipped, printed before").arg(Master_ID));
        } else if (failures_.attempt([&] {
                       services_.tickets().print(rep_Packaging,
                                                 {templateFile,
                                                  state.Packaging_Printer_Name,
                                                  {},
                                                  lines,
                                                  label(PrintedTicket::Kind::Packaging, Master_ID)});
                   })) {
            printed_.remember(unit, copy, content);
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
    for (PrintersInOrderQ.first(); !PrintersInOrderQ.eof(); PrintersInOrderQ.next()) {
        printers.append(PrintersInOrderQ.asString(QStringLiteral("Default_Printer")));
    }
    const QString unit = unitOf(Master_ID);
    for (const QString& printer : printers) {
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
        const QString copy = QStringLiteral("kitchen:") + printer;
        const QByteArray content = PrintedTicketMemory::contentOf(KitchenOrdersQ);
        if (printed_.printedBefore(unit, copy, content)) {
            services_.log(QStringLiteral("Printing Order #%1 Using Printer: %2 skipped, printed before")
                              .arg(Master_ID)
                              .arg(printer));
            continue;
        }
        if (!failures_.attempt([&] {
                services_.tickets().print(
                    rep_Check,
                    {Report_PathAndName, printer, {}, lines, label(PrintedTicket::Kind::Kitchen, Master_ID)});
            })) {
            continue;
        }
        printed_.remember(unit, copy, content);
        services_.log(QStringLiteral("Printing Order #%1 Using Printer: %2").arg(Master_ID).arg(printer));
    }
    tracer.ExitMethod(QStringLiteral("PrintThis"));
}
