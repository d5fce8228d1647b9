#pragma once

#include "DispatchServices.h"
#include "OrderBatch.h"
#include "VoidBatch.h"

class PrintServerLifecycle;

// The print server's dispatch cycle: the order batch and the void batch with
// their statements, report components and dataset adapters, plugged into the lifecycle's cycle.
class PrintDispatcher {
public:
    // `reportPath` is the template folder (ending in a separator); `archiveFolder` keeps the printed
    // tickets (empty: none are kept).
    PrintDispatcher(PrintServerState& state, PrintServerPanel& panel, PrintServerLifecycle& lifecycle,
                    QString reportPath, QString archiveFolder = {});
    ~PrintDispatcher();
    PrintDispatcher(const PrintDispatcher&) = delete;
    PrintDispatcher& operator=(const PrintDispatcher&) = delete;

    PrintedTickets& printedTickets() { return services_.printedTickets(); }

private:
    PrintServerLifecycle& lifecycle_;
    DispatchServices services_;
    OrderBatch orders_;
    VoidBatch voids_;
};
