#include "TicketPrinter.h"

#include "DispatchFailure.h"
#include "PrintSpooler.h"
#include "PrintedTickets.h"
#include "StationStates.h"
#include "TrpDataBand.h"
#include "TrpDrawText.h"
#include "TrpPreviewPages.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace {

const QString MasterDataClass = QStringLiteral("TrpMasterData");

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

int TicketPrinter::preparedItemLines(TrpReport& report, const TrpDataSet* itemSource) {
    QHash<QString, bool> overItems; // by band name: whether the template's band reads the item adapter
    const auto countsAsItem = [&](const QString& name) {
        if (itemSource == nullptr) {
            return true;
        }
        auto it = overItems.find(name);
        if (it == overItems.end()) {
            const auto* band = dynamic_cast<const TrpDataBand*>(report.FindObject(name));
            it = overItems.insert(name, band != nullptr && band->DataSet() == itemSource);
        }
        return *it;
    };
    int lines = 0;
    const TrpPreviewPages& pages = report.PreviewPages();
    for (int i = 0; i < pages.Count(); ++i) {
        for (const TrpPreparedBand& band : pages.GetPage(i).bands) {
            if (band.className == MasterDataClass && countsAsItem(band.name)) {
                ++lines;
            }
        }
    }
    return lines;
}

bool TicketPrinter::knowsPrinter(const QString& printer) {
    if (!TrpPrinters::instance().HasPhysicalPrinters() || TrpPrinters::instance().IndexOf(printer) < 0) {
        // A scheduler restarted, or a queue added, since the list was read.
        TrpPrinters::refresh();
    }
    const TrpPrinters& printers = TrpPrinters::instance();
    if (!printers.HasPhysicalPrinters()) {
        // A scheduler that does not answer lists no printers; the printers are still there.
        requireScheduler(printer);
        throw DispatchFailure(QString::fromLatin1(TrpReportPrinter::NoPrinters));
    }
    return printers.IndexOf(printer) >= 0;
}

void TicketPrinter::print(TrpReport& report, const Ticket& ticket) {
    // Problems with a template are this ticket's failure, logged with its order; a message box would
    // hold up every kitchen until somebody closed it.
    report.EngineOptions().NewSilentMode = TrpSilentMode::simReThrow;
    if (!report.LoadFromFile(ticket.templateFile)) {
        throw DispatchFailure(QStringLiteral("The ticket template \"%1\" cannot be found")
                                  .arg(fileNameOf(ticket.templateFile)));
    }
    if (ticket.fill) {
        ticket.fill(report);
    }
    {
        // What earlier measuring (a preview, another ticket) found missing is not this ticket's.
        const QMutexLocker lock(&TrpDrawText::lock());
        TrpDrawText::instance().takeMissingCharacters();
    }
    if (!report.PrepareReport(true)) {
        throw DispatchFailure(QStringLiteral("The ticket template \"%1\" cannot be prepared")
                                  .arg(fileNameOf(ticket.templateFile)));
    }
    if (report.PreviewPages().Count() == 0) {
        throw DispatchFailure(
            QStringLiteral("The ticket template \"%1\" gives no page").arg(fileNameOf(ticket.templateFile)));
    }
    if (ticket.itemRows >= 0) {
        const int shown = preparedItemLines(report, ticket.itemSource);
        if (shown != ticket.itemRows) {
            throw DispatchFailure(
                QStringLiteral("The ticket template \"%1\" is damaged: it shows %2 of %3 item "
                               "lines")
                    .arg(fileNameOf(ticket.templateFile))
                    .arg(shown)
                    .arg(ticket.itemRows));
        }
    }

    logMissingCharacters(ticket);

    try {
        try {
            deliver(report, ticket);
        } catch (const SpoolError&) {
            requireScheduler(ticket.printer);
            if (!queueWentAway(ticket.printer)) {
                throw;
            }
            // The list is read again without it: the ticket goes where a name that is not installed goes.
            TrpPrinters::refresh();
            deliver(report, ticket);
        }
    } catch (const CycleStopped&) {
        throw;
    } catch (const std::exception& e) {
        // The ticket was laid out; the printer did not take it.
        if (records_ != nullptr) {
            records_->failed(ticket.printer, failureMessage(e));
        }
        throw;
    }
}

void TicketPrinter::requireScheduler(const QString& printer) {
    // Without a scheduler a queue cannot be opened or judged: the failure is the scheduler's, whatever
    // the printer list or the printer's measures made of it.
    if (PrintSpooler::current().queueState(printer) == QueueState::Unreachable) {
        throw SpoolError::schedulerUnreachable(printer);
    }
}

bool TicketPrinter::queueWentAway(const QString& printer) {
    // Only a queue the list still holds and the scheduler, answering, no longer knows; a scheduler that does
    // not answer is no reason to print elsewhere.
    return TrpPrinters::instance().IndexOf(printer) >= 0 &&
           PrintSpooler::current().queueState(printer) == QueueState::Missing;
}

void TicketPrinter::logMissingCharacters(const Ticket& ticket) {
    QList<char32_t> missing;
    {
        const QMutexLocker lock(&TrpDrawText::lock());
        missing = TrpDrawText::instance().takeMissingCharacters();
    }
    // Once per kind of ticket and character: the operator learns which font to install, and a day of
    // orders with the same dish does not fill the log.
    QList<char32_t>& told = toldMissing_[static_cast<int>(ticket.label.kind)];
    QStringList names;
    for (const char32_t c : std::as_const(missing)) {
        if (!told.contains(c)) {
            told.append(c);
            names.append(QStringLiteral("U+%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper());
        }
    }
    if (!names.isEmpty()) {
        log_(QStringLiteral("%1 ticket of %2 prints boxes: no installed font has %3")
                 .arg(ticket.label.kindName(), ticket.label.unit(), names.join(QStringLiteral(", "))));
    }
}

void TicketPrinter::deliver(TrpReport& report, const Ticket& ticket) {
    const bool installed = knowsPrinter(ticket.printer);
    report.PrintOptions().Printer = ticket.printer;
    report.PrintOptions().ShowDialog = false;
    TrpPrintedDocument printed;
    if (!report.Print([&printed](const TrpPrintedDocument& document) { printed = document; })) {
        throw DispatchFailure(QString::fromLatin1(TrpReportPrinter::NoPrinters));
    }
    if (accepted_) {
        // Before anything else (the log, the archive): a kill from here on must not print it again.
        accepted_();
    }
    if (!printed.notice.isEmpty()) {
        log_(printed.notice);
    }
    const TrpCustomPrinter* used = TrpPrinters::instance().Printer();
    const QString usedName = used != nullptr ? used->Name : QString();
    if (!installed) {
        log_(QStringLiteral("Printer %1 not found, printed on %2").arg(ticket.printer, usedName));
    }
    // The queue's state as it took the ticket: asking the scheduler again would cost every ticket a round
    // trip.
    const QueueState queue = printed.queue;
    if (queue == QueueState::Paused) {
        log_(StationStates::pausedQueueLine(usedName));
    }
    if (records_ != nullptr) {
        PrintedTicket label = ticket.label;
        label.station = ticket.printer;
        label.printer = usedName;
        label.time = QDateTime::currentDateTime();
        label.title = printed.title;
        label.firstPage = printed.firstPage;
        records_->printed(label, printed.document, report.PreviewPages(), queue);
    }
}
