#pragma once

#include "PrintedTicket.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <stdexcept>

class TrpPreviewPages;
class TrpStoredPages;

// A ticket could not be kept in the archive; the message says where and why.
class TicketArchiveError : public std::runtime_error {
public:
    explicit TicketArchiveError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The printed tickets of the last days, one folder per day (yyyy-MM-dd) below the archive's folder. Every
// ticket is kept as the document its printer took ("19-07-05 Order 17 Grill.pdf", byte for byte; the ESC/POS
// a receipt printer took as "19-07-05 Order 17 Grill.escpos") with a
// companion file (".ticket") that holds what identifies it and its prepared pages, so that it can be
// listed, shown in the preview and sent again.
class TicketArchive {
public:
    // One archived ticket.
    struct Entry {
        PrintedTicket ticket;
        QString documentFile; // the PDF, or the ESC/POS of a receipt printer
        QString companionFile;
    };

    // `folder` empty: no archive; nothing is kept, listed or removed.
    explicit TicketArchive(QString folder) : folder_(std::move(folder)) {}

    const QString& folder() const { return folder_; }
    bool enabled() const { return !folder_.isEmpty(); }

    // Keeps the ticket in the folder of its day, creating folders as needed. Raises TicketArchiveError.
    Entry store(const PrintedTicket& ticket, const QByteArray& document, const TrpPreviewPages& pages);
    Entry store(const PrintedTicket& ticket, const QByteArray& document, const QByteArray& storedPages);

    // Removes the tickets of the days older than `days` days before `today` (all of them for 0) and their
    // day folders. Only the archive's own files go: a link is never followed, and a day folder holding
    // anything else keeps that and stays. Returns how many day folders lost tickets or went.
    int removeOlderThan(int days, const QDate& today) const;

    // The tickets of a day, oldest first; companions that cannot be read are skipped.
    QList<Entry> day(const QDate& date) const;

    // The archived document and pages; a file that is gone, cannot be read or is damaged raises
    // TicketArchiveError.
    QByteArray document(const Entry& entry) const;
    TrpStoredPages pages(const Entry& entry) const;

private:
    QString dayFolder(const QDate& date) const;

    QString folder_;
};
