#include "PrintDispatcher.h"

#include "PrintServerLifecycle.h"

PrintDispatcher::PrintDispatcher(PrintServerState& state, PrintServerPanel& panel,
                                 PrintServerLifecycle& lifecycle, QString reportPath)
    : lifecycle_(lifecycle),
      services_(state, panel, std::move(reportPath), [&lifecycle] { return lifecycle.cycleStopRequested(); }),
      orders_(services_), voids_(services_) {
    lifecycle_.setCycleBatches([this] { orders_.run(); }, [this] { voids_.run(); });
}

PrintDispatcher::~PrintDispatcher() {
    lifecycle_.setCycleBatches({}, {});
}
