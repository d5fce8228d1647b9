#pragma once

#include "DispatchServices.h"
#include "OrderBatch.h"
#include "VoidBatch.h"

class PrintServerLifecycle;

// The print server's dispatch cycle as the main window owns it: the order batch and the void batch with
// their statements, report components and dataset adapters, plugged into the lifecycle's cycle.
class PrintDispatcher {
public:
    // `reportPath` is the template folder (ending in a separator).
    PrintDispatcher(PrintServerState& state, PrintServerPanel& panel, PrintServerLifecycle& lifecycle,
                    QString reportPath);
    ~PrintDispatcher();
    PrintDispatcher(const PrintDispatcher&) = delete;
    PrintDispatcher& operator=(const PrintDispatcher&) = delete;

    OrderBatch& orders() { return orders_; }
    VoidBatch& voids() { return voids_; }

private:
    PrintServerLifecycle& lifecycle_;
    DispatchServices services_;
    OrderBatch orders_;
    VoidBatch voids_;
};
