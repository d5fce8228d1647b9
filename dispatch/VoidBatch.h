#pragma once

#include "DbCommand.h"
#include "DbQuery.h"
#include "DispatchUnits.h"
#include "PrintedTicketMemory.h"
#include "TrpReport.h"

class DispatchServices;

// The second half of the dispatch cycle: an "Item Voided" ticket for every void of the outlet not yet
// noted, on the station's printer and, when the outlet uses one, on the packaging printer; then the void
// is marked noted. Each void is a unit of work of its own, failing alone and logged as
// "Printing Void #<AKV_ID> Failed: <reason>"; a copy already printed unchanged is not printed again.
class VoidBatch {
public:
    explicit VoidBatch(DispatchServices& services);

    // Reads the void list (a failure to read it escapes and halts the server) and runs each void's unit.
    void run();
    // Start: voids that still fail are told again from the first.
    void started() { units_.started(); }

    DbQuery VoidedQ{StatementId::VoidedQ};
    DbCommand Voids_MarkNoted{StatementId::Voids_MarkNoted};
    TrpReport rep_Void;

private:
    struct Void {
        qint64 AKV_ID = 0;
        qint64 orderSeq = 0;
        QString printer;
        QString itemName;
        QString message;
    };

    void printVoid(const Void& row);
    void printCopy(const Void& row, const QString& copy, const QString& printer);

    DispatchServices& services_;
    DispatchUnits units_;
};
