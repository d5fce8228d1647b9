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

    using Clock = std::function<QDateTime()>;
    // Tells the archive's day (tests put their own in place); the system's clock by default.
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Receives every ticket kept in the archive, once it is there (the Printed Tickets window lists it).
    // Runs inside the cycle: it must not raise.
    using ArchivedListener = std::function<void(const TicketArchive::Entry&)>;
    void setArchivedListener(ArchivedListener listener) { archived_ = std::move(listener); }

    // Start: the day folders older than the days to keep go, the printers' states are forgotten.
    void started();
    // A new cycle: a failure to archive is logged again (once). The first cycle of a new day removes the
    // days no longer kept, as Start does: a server left running for weeks keeps no more than a Start would.
    void beginCycle();

    // A ticket its printer took; `queue` is the state of that printer's queue after it took it.
    void printed(const PrintedTicket& ticket, const QByteArray& document, const TrpPreviewPages& pages,
                 QueueState queue);
    // A ticket that did not reach `printer`.
    void failed(const QString& printer, const QString& reason);

    // Sends the archived ticket's document again to `printer`, logs "Reprinting Order #<Master_ID> on <P>"
    // (or "Reprinting Void #<AKV_ID> on <P>") and keeps the reprint in the archive. A refusal is logged as
    // that line followed by " Failed: <reason>" and raised (SpoolError or TicketArchiveError). Only a
    // refusal of the printer marks it as failed: an archived file that is gone or damaged is the archive's.
    void reprint(const TicketArchive::Entry& entry, const QString& printer);
    // The printer a reprint goes to unless another is chosen: the one that took the ticket (the station's
    // own printer may not be installed; its ticket then went to another).
    static QString printerOf(const PrintedTicket& ticket) {
        return ticket.printer.isEmpty() ? ticket.station : ticket.printer;
    }

private:
    void removeOldDays(const QDate& today);
    void keep(const PrintedTicket& ticket, const std::function<TicketArchive::Entry()>& store);

    Log log_;
    TicketArchive archive_;
    std::function<int()> archiveDays_;
    StationStates stations_;
    Clock clock_ = [] {
        return QDateTime::currentDateTime();
    };
    QDate removedOn_; // the day whose old days were last removed
    ArchivedListener archived_;
    bool archiveFailureLogged_ = false;
};
