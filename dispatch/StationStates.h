#pragma once

#include "PrintSpooler.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

// Each printer that received a ticket since Start, as the operator needs to see it at a glance: the state
// of its queue, when its last ticket came, and whether that ticket failed (marked until one succeeds).
class StationStates {
public:
    struct Station {
        QString printer;
        QueueState queue = QueueState::Ready;
        QDateTime lastTicket; // the last ticket the printer took; null before the first
        bool failed = false;  // the last ticket for this printer did not reach it
        QDateTime failedAt;
        QString failure;

        // "Grill: paused, last ticket 19:07:05" or "Grill: ready, last ticket failed at 19:08:10: <why>".
        QString describe() const;
        bool operator==(const Station&) const = default;
    };

    // Asked for a queue's state now (tests put their own in place).
    using QueueProbe = std::function<QueueState(const QString& printer)>;
    using Listener = std::function<void()>;
    using ChangeLog = std::function<void(const QString& line)>;

    StationStates();

    // Forgets every printer (Start).
    void clear();
    void ticketPrinted(const QString& printer, const QDateTime& time, QueueState queue);
    void ticketFailed(const QString& printer, const QDateTime& time, const QString& reason);
    // Asks every known printer's queue for its state again.
    void refresh();
    // The state of a printer's queue now, as the probe tells.
    QueueState queueStateOf(const QString& printer) const {
        return probe_ ? probe_(printer) : QueueState::Ready;
    }

    const QList<Station>& stations() const { return stations_; }
    // Runs after any change the operator would see.
    void setListener(Listener listener) { listener_ = std::move(listener); }
    // Receives the description of each printer whose state changed (for a log without a window).
    void setChangeLog(ChangeLog log) { changeLog_ = std::move(log); }
    void setQueueProbe(QueueProbe probe) { probe_ = std::move(probe); }

    static QString queueStateText(QueueState state);
    // The log line of a ticket that a paused queue took: it prints once the queue is resumed.
    static QString pausedQueueLine(const QString& printer);

private:
    Station& stationOf(const QString& printer);
    void changed(const Station& before, const Station& after);

    QList<Station> stations_;
    QueueProbe probe_;
    Listener listener_;
    ChangeLog changeLog_;
};
