#pragma once

#include "PrintServerPanel.h"
#include "PrintServerState.h"
#include "PrintedTickets.h"
#include "TicketPrinter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class DbCommand;
class DbConnection;
class DbStatement;

// What the order and void batches share: the server's state, its log and data module, the
// template folder, the way tickets are printed, and whether Stop ran during the cycle.
class DispatchServices {
public:
    // `archiveFolder` keeps the printed tickets (empty: none are kept).
    DispatchServices(PrintServerState& state, PrintServerPanel& panel, QString reportPath,
                     std::function<bool()> stopRequested, QString archiveFolder = {});

    PrintServerState& state() { return state_; }
    const QString& reportPath() const { return reportPath_; }
    TicketPrinter& tickets() { return tickets_; }
    PrintedTickets& printedTickets() { return printedTickets_; }
    // Where the records of printed tickets are kept across restarts (the archive's folder); empty: in the
    // process only.
    const QString& recordFolder() const { return recordFolder_; }
    // The owner of the dataset adapters, named "MainForm" as the templates name the adapters' owner.
    QObject& adapterOwner() { return adapterOwner_; }

    void log(const QString& line) { panel_.WriteToLogFile(line); }
    bool stopRequested() const { return stopRequested_ && stopRequested_(); }
    // Raises CycleStopped when Stop ran: called before every statement of a unit, so that none runs on the
    // connection Stop closed (it would open it again).
    void checkNotStopped() const;

    DbConnection& connection();
    // Binds the statement to the shared connection and sets the outlet's key parameters.
    void bindOutlet(DbStatement& statement);
    // Runs a unit's closing command for the order or void `id` names under `key`; Stop checked first.
    void execute(DbCommand& command, const QString& key, qint64 id);

    // Units of work hold the database's write lock one after another; a unit that took it again the
    // moment the previous one ended would keep a waiting terminal out for the whole batch. So a unit that
    // follows another waits out the rest of the connection's writers' turn first (the window's events run
    // meanwhile; Stop ends the wait with CycleStopped).
    void awaitWritersTurn();
    // The unit that held the write lock has committed or rolled back.
    void unitEnded() { lastUnitEnded_.start(); }
    // A cycle begins: the previous cycle's last unit ended a timer interval ago.
    void beginCycle() { lastUnitEnded_.invalidate(); }

private:
    PrintServerState& state_;
    PrintServerPanel& panel_;
    QString reportPath_;
    QString recordFolder_;
    std::function<bool()> stopRequested_;
    TicketPrinter tickets_;
    PrintedTickets printedTickets_;
    QObject adapterOwner_;
    QElapsedTimer lastUnitEnded_;
};
