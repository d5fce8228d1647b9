#pragma once

#include "FailureLog.h"
#include "PrintedTicketMemory.h"
#include "TicketFailures.h"
#include "Transaction.h"

#include <QSet>
#include <QString>
#include <functional>

class DispatchServices;

// The units of work of one batch: each queued order (or each void) runs in a transaction of its own. A
// failure rolls back that unit only and is logged as "Printing <Kind> #<id> Failed: <reason>" (a repeat at
// most every five minutes); every ticket of a unit is tried even when one printer fails; a ticket its
// printer already took with the same content is not printed again when the unit is retried.
class DispatchUnits {
public:
    enum class Outcome { Printed, PrintedBefore, Failed };

    // `kind` names the units in the log: "Order" or "Void".
    DispatchUnits(DispatchServices& services, QString kind);

    // Runs one unit; `work` prints its tickets through print(), calls ticketsDone(), then marks it done.
    // Stop during the unit ends it quietly, keeping what it printed in mind.
    void run(qint64 id, TransactionKind transaction, const std::function<void()>& work);
    // One ticket of the running unit: `copy` names the ticket ("kitchen:Grill"), `content` digests what it
    // shows. A failure is kept for ticketsDone().
    Outcome print(qint64 id, const QString& copy, const QByteArray& content,
                  const std::function<void()>& ticket);
    // Raises the first ticket failure of the running unit, so that it is rolled back and stays queued.
    void ticketsDone() { failures_.raiseFirst(); }

    // Logs a line that a retried unit repeats every cycle ("skipped, printed before", item counts) only
    // when its failure line is logged too (the first time, then at most every five minutes).
    void logRepeatable(qint64 id, const QString& line);
    // Tells the manager of lines of the unit that no station prepares (marked done, printed nowhere):
    // "Order #<id>: <n> item(s) have no kitchen station: <names>", once for the unit (again only with its
    // failure line while it is retried).
    void logStationless(qint64 id, const QStringList& names);
    // Start: failures are told again from the first.
    void started() { failureLog_.clear(); }

    // Forgets what is remembered of units no longer listed (finished by another server, removed by hand).
    void retainOnly(const QSet<qint64>& ids);

private:
    QString unitOf(qint64 id) const;

    DispatchServices& services_;
    QString kind_;
    PrintedTicketMemory printed_;
    TicketFailures failures_;
    FailureLog failureLog_;
    bool recordFailureLogged_ = false;
};
