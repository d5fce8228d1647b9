#include "PrintedTickets.h"

#include "DispatchFailure.h"
#include "TrpStoredPages.h"

PrintedTickets::PrintedTickets(Log log, QString archiveFolder, std::function<int()> archiveDays)
    : log_(std::move(log)), archive_(std::move(archiveFolder)), archiveDays_(std::move(archiveDays)) {}

void PrintedTickets::started() {
    stations_.clear();
    removeOldDays(clock_().date());
}

void PrintedTickets::beginCycle() {
    archiveFailureLogged_ = false;
    const QDate today = clock_().date();
    if (today != removedOn_) {
        removeOldDays(today);
    }
}

void PrintedTickets::removeOldDays(const QDate& today) {
    removedOn_ = today;
    if (!archive_.enabled()) {
        return;
    }
    const int days = archiveDays_();
    const int removed = archive_.removeOlderThan(days, today);
    if (removed > 0) {
        log_(QStringLiteral("Printed tickets older than %1 days removed from %2 day folders")
                 .arg(days)
                 .arg(removed));
    }
}

void PrintedTickets::keep(const PrintedTicket& ticket, const std::function<TicketArchive::Entry()>& store) {
    if (!archive_.enabled()) {
        return;
    }
    TicketArchive::Entry kept;
    try {
        if (archiveDays_() <= 0) {
            return;
        }
        kept = store();
    } catch (const std::exception& e) {
        // The ticket is out; only its copy is missing. Once per cycle is enough to tell the operator.
        if (!archiveFailureLogged_) {
            archiveFailureLogged_ = true;
            log_(QStringLiteral("Printed tickets cannot be archived (%1 %2 on %3): %4")
                     .arg(ticket.kindName(), ticket.unit(), ticket.printer, failureMessage(e)));
        }
        return;
    }
    if (archived_) {
        archived_(kept);
    }
}

void PrintedTickets::printed(const PrintedTicket& ticket, const QByteArray& document,
                             const TrpPreviewPages& pages, QueueState queue) {
    stations_.ticketPrinted(ticket.printer, ticket.time, queue);
    if (ticket.station != ticket.printer) {
        // The station's own printer is not installed: it shows as missing, its ticket as delivered.
        stations_.ticketPrinted(ticket.station, ticket.time, stations_.queueStateOf(ticket.station));
    }
    keep(ticket, [&] { return archive_.store(ticket, document, pages); });
}

void PrintedTickets::failed(const QString& printer, const QString& reason) {
    stations_.ticketFailed(printer, QDateTime::currentDateTime(), reason);
}

void PrintedTickets::reprint(const TicketArchive::Entry& entry, const QString& printer) {
    const QString line = QStringLiteral("Reprinting %1 on %2").arg(entry.ticket.unit(), printer);
    const auto logFailed = [&](const std::exception& e) {
        log_(line + QStringLiteral(" Failed: ") + failureMessage(e));
    };
    QByteArray document;
    try {
        document = archive_.document(entry);
    } catch (const std::exception& e) {
        // The printer was never asked: its state stays as its own tickets left it.
        logFailed(e);
        throw;
    }
    try {
        PrintSpooler::current().submitDocument(printer, entry.ticket.title, document, entry.ticket.firstPage);
    } catch (const std::exception& e) {
        logFailed(e);
        failed(printer, failureMessage(e));
        throw;
    }
    log_(line);
    PrintedTicket again = entry.ticket;
    again.printer = printer;
    again.time = QDateTime::currentDateTime();
    again.reprint = true;
    const QueueState queue = stations_.queueStateOf(printer);
    if (queue == QueueState::Paused) {
        log_(StationStates::pausedQueueLine(printer));
    }
    stations_.ticketPrinted(printer, again.time, queue);
    archiveFailureLogged_ = false;
    keep(again, [&] { return archive_.store(again, document, archive_.pages(entry).toBytes()); });
}
