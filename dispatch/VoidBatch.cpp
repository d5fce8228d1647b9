#include "VoidBatch.h"

#include "DispatchFailure.h"
#include "DispatchServices.h"
#include "TraceChannel.h"
#include "TrpError.h"
#include "TrpMemoView.h"
#include "VoidMessage.h"

#include <vector>

namespace {

const QString VoidMemo = QStringLiteral("Memo_VoidMessage");

// Puts the message into the template's void memo. The text is the program's, not a template's: square
// brackets in an item name or a reason print as typed instead of being read as expressions.
void fillVoidMemo(TrpReport& report, const QString& message) {
    TrpComponent* found = report.FindObject(VoidMemo);
    if (found == nullptr) {
        throw DispatchFailure(
            QStringLiteral("The ticket template \"rep_KitchenVoid.xml\" has no memo \"%1\"").arg(VoidMemo));
    }
    auto* memo = dynamic_cast<TrpMemoView*>(found);
    if (memo == nullptr) {
        throw TrpError(QStringLiteral("Invalid class typecast"));
    }
    memo->SetText(message);
    memo->SetAllowExpressions(false);
}

} // namespace

VoidBatch::VoidBatch(DispatchServices& services)
    : services_(services), units_(services, QStringLiteral("Void")) {
    rep_Void.SetName(QStringLiteral("rep_Void"));
    rep_Void.SetOwner(&services.adapterOwner());
}

void VoidBatch::run() {
    const TraceChannel& trace = TraceChannel::instance();
    VoidedQ.close();
    services_.bindOutlet(VoidedQ);
    VoidedQ.open();
    trace.Send(QStringLiteral("VoidedQ Opened"));
    trace.Send(QStringLiteral("VoidedQ Records: %1").arg(VoidedQ.recordCount()));

    std::vector<Void> voids;
    QSet<qint64> listed;
    for (VoidedQ.first(); !VoidedQ.eof(); VoidedQ.next()) {
        Void row;
        row.AKV_ID = VoidedQ.asLargeInt(QStringLiteral("AKV_ID"));
        row.orderSeq = VoidedQ.asLargeInt(QStringLiteral("Order_Seq"));
        row.printer = VoidedQ.asString(QStringLiteral("Default_Printer"));
        row.itemName = VoidedQ.asString(QStringLiteral("Item_Name"));
        row.message = composeVoidMessage(VoidedQ);
        listed.insert(row.AKV_ID);
        voids.push_back(std::move(row));
    }
    units_.retainOnly(listed);
    if (voids.empty()) {
        return;
    }
    trace.Send(QStringLiteral("Printing Voided Items"));
    for (const Void& row : voids) {
        if (services_.stopRequested()) {
            return;
        }
        printVoid(row);
    }
}

void VoidBatch::printVoid(const Void& row) {
    units_.run(row.AKV_ID, TransactionKind::Normal, [&] {
        if (row.printer.isEmpty()) {
            // Still printed, on the printer selected before; the manager learns the station is missing.
            units_.logStationless(row.AKV_ID, {row.itemName});
        }
        printCopy(row, QStringLiteral("station"), row.printer);
        if (services_.state().Use_Packaging_Printer) {
            printCopy(row, QStringLiteral("packaging"), services_.state().Packaging_Printer_Name);
        }
        units_.ticketsDone();
        services_.execute(Voids_MarkNoted, QStringLiteral("AKV_ID"), row.AKV_ID);
    });
}

void VoidBatch::printCopy(const Void& row, const QString& copy, const QString& printer) {
    PrintedTicket label;
    label.kind = PrintedTicket::Kind::Void;
    label.id = row.AKV_ID;
    label.orderSeq = row.orderSeq;
    units_.print(row.AKV_ID, copy + QLatin1Char(':') + printer, PrintedTicketMemory::contentOf(row.message),
                 [&] {
                     services_.checkNotStopped();
                     services_.tickets().print(
                         rep_Void, {services_.reportPath() + QStringLiteral("rep_KitchenVoid.xml"), printer,
                                    [&row](TrpReport& report) { fillVoidMemo(report, row.message); }, -1,
                                    nullptr, label});
                 });
}
