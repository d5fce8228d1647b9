#pragma once

#include "PrintSpooler.h"
#include "StationStates.h"
#include "TicketArchive.h"

#include <functional>

class TrpPreviewPages;

// What the server knows of the tickets it printed: every ticket kept in the archive (when the settings
// keep any), each printer's state since Start, and reprints of archived tickets. Keeping a ticket never
// makes it fail: a ticket that cannot be archived is logged once per cycle and printing goes on.
class PrintedTickets {
public:
    using Log = std::function<void(const QString&)>;

    // `archiveFolder` empty: nothing is archived. `archiveDays` gives the days to keep (0: none).
    PrintedTickets(Log log, QString archiveFolder, std::function<int()> archiveDays);

    TicketArchive& archive() { return archive_; }
    StationStates& stations() { return stations_; }

    // Start: the day folders older than the days to keep go, the printers' states are forgotten.
    void started(const QDate& today);
    // A new cycle: a failure to archive is logged again (once).
    void beginCycle() { archiveFailureLogged_ = false; }

    // A ticket its printer took; `queue` is the state of that printer's queue after it took it.
    void printed(const PrintedTicket& ticket, const QByteArray& document, const TrpPreviewPages& pages,
                 QueueState queue);
    // A ticket that did not reach `printer`.
    void failed(const QString& printer, const QString& reason);

    // Sends the archived ticket's document again to `printer`, logs "Reprinting Order #<Master_ID> on <P>"
    // (or "Reprinting Void #<AKV_ID> on <P>") and keeps the reprint in the archive. A refusal is logged as
    // that line followed by " Failed: <reason>" and raised (SpoolError or TicketArchiveError).
    void reprint(const TicketArchive::Entry& entry, const QString& printer);

private:
    void keep(const PrintedTicket& ticket, const std::function<void()>& store);

    Log log_;
    TicketArchive archive_;
    std::function<int()> archiveDays_;
    StationStates stations_;
    bool archiveFailureLogged_ = false;
};
