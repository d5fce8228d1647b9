#pragma once

#include "DbCommand.h"
#include "DbQuery.h"
#include "DispatchUnits.h"
#include "PrintedTicket.h"
#include "PrintedTicketMemory.h"
#include "QueryRowSource.h"
#include "TrpDBDataset.h"
#include "TrpReport.h"

class DispatchServices;

// The first half of the dispatch cycle: every order queued for the outlet gets its packaging copy (when
// the outlet uses a packaging printer) and one kitchen ticket per station printer with unprinted items;
// then its items are marked printed and its queue row removed.
//
// Each queued order is a unit of work of its own: its reading, printing and marking run in one exclusive
// transaction (terminals that add lines to it meanwhile wait, and their lines print in a later cycle).
// A failure rolls back that order only, is logged as "Printing Order #<Master_ID> Failed: <reason>", and
// the batch goes on with the next order; printers that already got their unchanged ticket are skipped when
// the order is tried again.
class OrderBatch {
public:
    explicit OrderBatch(DispatchServices& services);
    OrderBatch(const OrderBatch&) = delete;
    OrderBatch& operator=(const OrderBatch&) = delete;

    // Reads the queue (a failure to read it escapes and halts the server) and runs each order's unit.
    void run();
    // Start: orders that still fail are told again from the first.
    void started() { units_.started(); }

    // The packaging copy of the order; true on every normal return, whether or not a copy printed.
    bool PrintOnPackagingPrinter(qint64 Master_ID);
    // One kitchen ticket per station printer with unprinted items of the order.
    void PrintThis(qint64 Master_ID);

    QString Report_PathAndName;

    DbQuery ReadyToPrintQ{StatementId::ReadyToPrintQ};
    DbQuery OrdersMasterQ{StatementId::OrdersMasterQ};
    DbQuery PackagingOrdersQ{StatementId::PackagingOrdersQ};
    DbQuery PrintersInOrderQ{StatementId::PrintersInOrderQ};
    DbQuery KitchenOrdersQ{StatementId::KitchenOrdersQ};
    DbQuery StationlessItemsQ{StatementId::StationlessItemsQ};
    DbCommand OrdersDetails_UpdateIsPrinted{StatementId::OrdersDetails_UpdateIsPrinted};
    DbCommand ReadyToPrint_DeletePrinted{StatementId::ReadyToPrint_DeletePrinted};

    TrpReport rep_Check;
    TrpReport rep_Packaging;

private:
    void printOrder(qint64 RTP_ID, qint64 Master_ID);
    void open(DbQuery& query, qint64 Master_ID);
    // What the order's tickets are, for the archive.
    PrintedTicket label(PrintedTicket::Kind kind, qint64 Master_ID) const;

    DispatchServices& services_;
    QueryRowSource ordersMasterRows_{OrdersMasterQ};
    QueryRowSource packagingRows_{PackagingOrdersQ};
    QueryRowSource kitchenRows_{KitchenOrdersQ};
    // Declared after the queries they read, so that they go first.
    TrpDBDataset repDS_OrdersMaster;
    TrpDBDataset repDS_PackagingOrders;
    TrpDBDataset repDS_KitchenOrders;
    DispatchUnits units_;
};
