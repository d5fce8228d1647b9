#include "VoidBatch.h"

#include "DispatchFailure.h"
#include "DispatchServices.h"
#include "TraceChannel.h"
#include "Transaction.h"
#include "TrpError.h"
#include "TrpMemoView.h"
#include "VoidMessage.h"

#include <vector>

namespace {

const QString VoidMemo = QStringLiteral("Memo_VoidMessage");

QString unitOf(qint64 AKV_ID) {
    return QStringLiteral("Void #%1").arg(AKV_ID);
}

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
    : services_(services), failureLog_([&services](const QString& line) { services.log(line); }) {
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
    QSet<QString> listed;
    for (VoidedQ.first(); !VoidedQ.eof(); VoidedQ.next()) {
        Void row;
        row.AKV_ID = VoidedQ.asLargeInt(QStringLiteral("AKV_ID"));
        row.orderSeq = VoidedQ.asLargeInt(QStringLiteral("Order_Seq"));
        row.printer = VoidedQ.asString(QStringLiteral("Default_Printer"));
        row.message = composeVoidMessage(VoidedQ);
        listed.insert(unitOf(row.AKV_ID));
        voids.push_back(std::move(row));
    }
    printed_.retainOnly(listed);
    failureLog_.retainOnly(listed);
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
    const QString unit = unitOf(row.AKV_ID);
    try {
        runInTransaction(services_.connection(), [&] {
            failures_.clear();
            printCopy(row, QStringLiteral("station"), row.printer);
            if (services_.state().Use_Packaging_Printer) {
                printCopy(row, QStringLiteral("packaging"), services_.state().Packaging_Printer_Name);
            }
            failures_.raiseFirst();
            services_.checkNotStopped();
            services_.bindOutlet(Voids_MarkNoted);
            Voids_MarkNoted.setParameter(QStringLiteral("AKV_ID"), row.AKV_ID);
            Voids_MarkNoted.execute();
            services_.checkNotStopped();
        });
    } catch (const CycleStopped&) {
        return;
    } catch (const std::exception& e) {
        failureLog_.failed(
            unit, QStringLiteral("Printing Void #%1 Failed: %2").arg(row.AKV_ID).arg(failureMessage(e)));
        return;
    }
    printed_.forget(unit);
    failureLog_.succeeded(unit);
}

void VoidBatch::printCopy(const Void& row, const QString& copy, const QString& printer) {
    const QString unit = unitOf(row.AKV_ID);
    const QString key = copy + QLatin1Char(':') + printer;
    const QByteArray content = PrintedTicketMemory::contentOf(row.message);
    if (printed_.printedBefore(unit, key, content)) {
        return;
    }
    services_.checkNotStopped();
    const QString message = row.message;
    PrintedTicket label;
    label.kind = PrintedTicket::Kind::Void;
    label.id = row.AKV_ID;
    label.orderSeq = row.orderSeq;
    const bool printed = failures_.attempt([&] {
        services_.tickets().print(
            rep_Void, {services_.reportPath() + QStringLiteral("rep_KitchenVoid.xml"), printer,
                       [&message](TrpReport& report) { fillVoidMemo(report, message); }, -1, label});
    });
    if (printed) {
        printed_.remember(unit, key, content);
    }
}
