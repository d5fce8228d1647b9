#pragma once

#include "SpoolPageSettings.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <optional>
#include <stdexcept>

class QPainter;

// A print job refused by the spooler or the driver; the message names the printer and the reason.
class SpoolError : public std::runtime_error {
public:
    explicit SpoolError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }

    // A job for `printer` while no print scheduler answers: no queue can be judged, none is missing.
    static SpoolError schedulerUnreachable(const QString& printer) {
        return SpoolError(
            QStringLiteral("Printer \"%1\": the print scheduler cannot be reached").arg(printer));
    }
};

// What a printer tells about itself when it is opened: resolution, paper and printable area, the papers
// and bins it offers.
struct SpoolDeviceCaps {
    int dpiX = 0;
    int dpiY = 0;
    double paperWidthMm = 0;
    double paperHeightMm = 0;
    double leftOffsetMm = 0;
    double topOffsetMm = 0;
    double printableWidthMm = 0;
    double printableHeightMm = 0;
    QString location;
    QList<QPair<int, QString>> papers; // code and name
    QList<QPair<int, QString>> bins;
    SpoolPageSettings defaults;
};

// What a print queue would do with a job handed to it now.
enum class QueueState {
    Ready,        // takes the job and prints it
    Paused,       // takes the job; it waits in the queue until the queue is resumed
    NotAccepting, // refuses the job
    Missing,      // no queue of that name
    Unreachable,  // the print scheduler does not answer
};

// One document on its way to a printer. Pages are drawn with a painter at the job's resolution; the
// page settings of every page go to the driver before it.
class SpoolJob {
public:
    virtual ~SpoolJob() = default;

    virtual void beginPage(const SpoolPageSettings& settings) = 0;
    virtual QPainter& painter() = 0;
    virtual int resolution() const = 0;
    virtual void endPage() = 0;
    // Hands the document to the printer; a refusal raises SpoolError and nothing is printed.
    virtual void finish() = 0;
    // Drops the document; nothing is printed.
    virtual void abort() = 0;
    // After finish(): the document exactly as it was handed to the printer (or written to the file).
    virtual QByteArray document() const = 0;
    // After finish(): the state the queue was in when it took the document (a paused queue keeps it
    // until it is resumed). Spoolers without queues of their own take every job at once.
    virtual QueueState queueState() const { return QueueState::Ready; }
    // After finish(): what the operator should hear about how the document was fitted to the printer
    // (empty when nothing); said once per queue, not for every ticket.
    virtual QString notice() const { return {}; }
};

// The operating system's printing interface, behind which printers are chosen by name.
class PrintSpooler {
public:
    virtual ~PrintSpooler() = default;

    // The state of the named queue now; a spooler without queues of its own has every printer ready.
    virtual QueueState queueState(const QString& printer) const {
        return printerNames().contains(printer) ? QueueState::Ready : QueueState::Missing;
    }

    // The installed printers' names, in no particular order.
    virtual QList<QString> printerNames() const = 0;
    // The system's default printer, empty when there is none.
    virtual QString defaultPrinterName() const = 0;
    // Opens a printer and reads its measures; nothing when it cannot be opened.
    virtual std::optional<SpoolDeviceCaps> openPrinter(const QString& name) const = 0;
    // Starts a document on a printer (or into `outputFile` when it is not empty). Refusals raise SpoolError.
    virtual std::unique_ptr<SpoolJob> startJob(const QString& printer, const QString& title,
                                               const QString& outputFile) = 0;
    // Hands a finished document (a job's document()) to a printer again, unchanged, with its first page's
    // settings as the job's options. Refusals raise SpoolError naming the printer and the reason.
    virtual void submitDocument(const QString& printer, const QString& title, const QByteArray& document,
                                const SpoolPageSettings& firstPage);

    // The process's spooler: the operating system's, unless a test or tool put another in place.
    static PrintSpooler& current();
    // Replaces the process's spooler (nullptr restores the system's); the caller keeps ownership.
    static void setCurrent(PrintSpooler* spooler);
};
