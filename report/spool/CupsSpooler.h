#pragma once

#include "PrintSpooler.h"

#include <QSet>

// The system's print queues (CUPS). A job is drawn into a PDF document in memory and streamed to the
// queue, or, for a queue whose veloria-format option says escpos, into the ESC/POS raster its receipt
// printer takes (sent raw, through the same streamed submission); a queue that does not accept jobs, or that
// is not installed, refuses it before anything is queued. A paused queue that still accepts jobs keeps the
// job until it is resumed, which is what a kitchen wants from a printer that ran out of paper.
class CupsSpooler final : public PrintSpooler {
public:
    QList<QString> printerNames() const override;
    QString defaultPrinterName() const override;
    std::optional<SpoolDeviceCaps> openPrinter(const QString& name) const override;
    std::unique_ptr<SpoolJob> startJob(const QString& printer, const QString& title,
                                       const QString& outputFile) override;

    QueueState queueState(const QString& printer) const override;
    // Checks the queue as a new job does, then submits the document as it is.
    void submitDocument(const QString& printer, const QString& title, const QByteArray& document,
                        const SpoolPageSettings& firstPage) override;

    // Why the queue would refuse a job now, empty when it would take one; `state`, when given, receives
    // the queue's state as seen.
    static QString refusalReason(const QString& printer, QueueState* state = nullptr);
    // Streams a PDF document from memory to the queue as one job, the page settings as its options, and
    // returns the job's number once the scheduler has taken the whole document. A refusal raises
    // SpoolError naming the printer and the scheduler's reason; nothing stays queued then.
    static int submit(const QString& printer, const QString& title, const QByteArray& pdf,
                      const SpoolPageSettings& page);
    // The same for an ESC/POS document, which the queue passes to its printer as it is.
    static int submitEscPos(const QString& printer, const QString& title, const QByteArray& document);

private:
    static int submitAs(const QString& printer, const QString& title, const QByteArray& document,
                        const QList<QPair<QByteArray, QByteArray>>& jobOptions, const char* format);

    // The notices about fitting tickets to a head already given: each is said once per queue.
    QSet<QString> toldFittings_;
};
