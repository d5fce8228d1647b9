#pragma once

#include "PrintedTicket.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

class PrintedTickets;
class TrpDataSet;
class TrpReport;

// Prints one ticket the way every ticket of the dispatch cycle is printed: the template file is loaded
// afresh, the program fills in what it supplies, the ticket is prepared, the printer set, the dialog
// switched off, and the ticket printed. Whatever keeps the whole ticket from reaching a printer raises
// (DispatchFailure, or the report's or spooler's own error), so that its order stays queued:
// - a template file that is missing, cannot be read, or prepares into a ticket without the item lines
//   its query returned (a damaged or half-copied file);
// - no printer at all, a queue that does not take the job, a scheduler that cannot be reached.
// A queue that is paused but takes jobs is not a failure: the ticket waits there, and the log says so.
// A printer name that is not installed prints on the printer selected before, and the log says so; so does
// a queue that went away while the server ran (the list is read again), and one added back is used again.
class TicketPrinter {
public:
    using Log = std::function<void(const QString&)>;

    struct Ticket {
        QString templateFile;
        QString printer;
        // Runs after loading, before preparing: what the program itself puts into the template.
        std::function<void(TrpReport&)> fill;
        // The rows of the ticket's item query; the prepared ticket must show each as an item line.
        // Negative: the ticket has no item lines to check.
        int itemRows = -1;
        // The adapter of the ticket's items: only rows of bands over it count as item lines (another
        // master band an installation adds, such as a counter, is the template's own). Null: every
        // master band's rows count.
        const TrpDataSet* itemSource = nullptr;
        // What the ticket is (kind, order or void, the order's sequence) for the archive and the log.
        PrintedTicket label;
    };

    explicit TicketPrinter(Log log) : log_(std::move(log)) {}

    // Told of every ticket a printer took (archived, with the printer's state) and of every ticket a
    // printer did not take. Null: nobody is told.
    void setRecords(PrintedTickets* records) { records_ = records; }
    // Runs the moment a queue has taken a ticket (empty: nothing runs).
    void setAcceptedHook(std::function<void()> accepted) { accepted_ = std::move(accepted); }

    void print(TrpReport& report, const Ticket& ticket);

    // The number of item lines a prepared report shows: the rows of its master data bands over
    // `itemSource` (any master data band when it is null).
    static int preparedItemLines(TrpReport& report, const TrpDataSet* itemSource = nullptr);

private:
    // Makes sure the printer list knows `printer`, reading the installed printers again when it does not
    // or when it has none; raises when no printer is installed. Returns whether the name is installed.
    static bool knowsPrinter(const QString& printer);

    void deliver(TrpReport& report, const Ticket& ticket);
    // Raises the scheduler's failure when no print scheduler answers.
    static void requireScheduler(const QString& printer);
    // A queue deleted (or a scheduler restarted without it) since the printer list was read.
    static bool queueWentAway(const QString& printer);
    // Tells the log of characters the prepared ticket shows as boxes because no installed font has them.
    void logMissingCharacters(const Ticket& ticket);

    Log log_;
    PrintedTickets* records_ = nullptr;
    std::function<void()> accepted_;
    QHash<int, QList<char32_t>> toldMissing_; // by kind of ticket
};
