#pragma once

#include "PrintDispatcher.h"
#include "PrintServerLifecycle.h"
#include "TestDatabase.h"
#include "TestPanel.h"

#include <QString>
#include <QStringList>

// A print server on a throw-away restaurant database, without a window: outlet 1/1/1 with its settings
// row, stations named after printers, and helpers that queue orders and voids as a terminal would. The
// templates are the shipped ones, copied into a folder of the test's own so that a test may damage them.
class DispatchTestBed {
public:
    explicit DispatchTestBed(bool packaging = false,
                             const QString& packagingPrinter = QStringLiteral("Packaging"));

    // A station (its name is its printer's) and a menu item made there; returns the item's id.
    qint64 station(const QString& name);
    qint64 item(const QString& name, const QString& secondName, qint64 stationId);
    // The stations whose items are copied to the packaging printer.
    void copyToPackaging(const QString& stationName);
    // A new order with its lines (item id, quantity, remarks); returns its Master_ID. Not queued.
    struct Line {
        qint64 item;
        int qty;
        QString remarks;
    };
    qint64 order(int seq, const QList<Line>& lines, int outlet = 1);
    void queue(qint64 masterId, int outlet = 1);
    qint64 voidItem(const QString& itemName, const QString& remarks, const QString& reason, qint64 stationId,
                    qint64 masterId = 0);

    // Starts the server and runs one whole cycle.
    void start();
    void cycle() { server.CheckAndPrint(); }

    int queued() { return db.scalar(QStringLiteral("SELECT count(*) FROM ReadyToPrint")).toInt(); }
    int unprinted(qint64 masterId);
    int unnoted() {
        return db.scalar(QStringLiteral("SELECT count(*) FROM AfterKitchenVoids WHERE isNoted = 0")).toInt();
    }
    // The log lines that contain `text`.
    QStringList logLines(const QString& text) const { return panel.log.filter(text); }

    QString templateFile(const QString& name) const { return reportDir.filePath(name); }
    // The printed tickets' archive folder (it does not exist before the first ticket).
    QString archiveFolder() const { return archiveDir.filePath(QStringLiteral("Tickets")); }
    PrintedTickets& printedTickets() { return dispatcher.printedTickets(); }

    TestDatabase db;
    QTemporaryDir reportDir;
    QTemporaryDir archiveDir;
    PrintServerState state;
    TestPanel panel;
    PrintServerLifecycle server{state, panel};
    PrintDispatcher dispatcher;
};
