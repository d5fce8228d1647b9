#include "PrintDispatcher.h"

#include "PrintServerLifecycle.h"

PrintDispatcher::PrintDispatcher(PrintServerState& state, PrintServerPanel& panel,
                                 PrintServerLifecycle& lifecycle, QString reportPath, QString archiveFolder)
    : lifecycle_(lifecycle),
      services_(
          state, panel, std::move(reportPath), [&lifecycle] { return lifecycle.cycleStopRequested(); },
          std::move(archiveFolder)),
      orders_(services_), voids_(services_) {
    lifecycle_.setCycleBatches(
        [this] {
            services_.beginCycle();
            services_.printedTickets().beginCycle();
            orders_.run();
        },
        [this] {
            voids_.run();
            // A queue paused or resumed since its last ticket shows once per cycle.
            services_.printedTickets().stations().refresh();
        });
    lifecycle_.setStartedHook([this] {
        services_.printedTickets().started();
        orders_.started();
        voids_.started();
    });
}

PrintDispatcher::~PrintDispatcher() {
    lifecycle_.setCycleBatches({}, {});
    lifecycle_.setStartedHook({});
}
