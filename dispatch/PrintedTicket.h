#pragma once

#include "SpoolPageSettings.h"

#include <QDateTime>
#include <QString>

// What identifies a ticket to kitchen staff: its kind, the order (Master_ID) or void (AKV_ID) it belongs
// to, the order's sequence number, the station it was meant for and the printer that took it.
struct PrintedTicket {
    enum class Kind { Kitchen, Packaging, Void };

    Kind kind = Kind::Kitchen;
    qint64 id = 0;       // Master_ID of an order's ticket, AKV_ID of a void's
    qint64 orderSeq = 0; // the order's sequence number; 0 when the order has none
    QString station;     // the printer the ticket was meant for
    QString printer;     // the printer that took it (another one when the station's is not installed)
    QDateTime time;
    bool reprint = false;
    // The document as the printer took it: its title and its first page's settings.
    QString title;
    SpoolPageSettings firstPage;

    // "Order #17" or "Void #5", as the log names the unit the ticket belongs to.
    QString unit() const {
        return (kind == Kind::Void ? QStringLiteral("Void #%1") : QStringLiteral("Order #%1")).arg(id);
    }
    // "Kitchen", "Packaging" or "Void".
    QString kindName() const {
        switch (kind) {
        case Kind::Packaging:
            return QStringLiteral("Packaging");
        case Kind::Void:
            return QStringLiteral("Void");
        case Kind::Kitchen:
            break;
        }
        return QStringLiteral("Kitchen");
    }
};
