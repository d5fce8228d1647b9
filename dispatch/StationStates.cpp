#include "StationStates.h"

namespace {
const QString TimeFormat = QStringLiteral("HH:mm:ss");
}

QString StationStates::pausedQueueLine(const QString& printer) {
    return QStringLiteral("Printer %1 is paused, the ticket waits in its queue").arg(printer);
}

QString StationStates::queueStateText(QueueState state) {
    switch (state) {
    case QueueState::Ready:
        return QStringLiteral("ready");
    case QueueState::Paused:
        return QStringLiteral("paused");
    case QueueState::NotAccepting:
        return QStringLiteral("not accepting");
    case QueueState::Missing:
        return QStringLiteral("missing");
    case QueueState::Unreachable:
        return QStringLiteral("unreachable");
    }
    return {};
}

QString StationStates::Station::describe() const {
    QString text = printer + QStringLiteral(": ") + queueStateText(queue);
    if (failed) {
        return text +
               QStringLiteral(", last ticket failed at %1: %2").arg(failedAt.toString(TimeFormat), failure);
    }
    if (lastTicket.isValid()) {
        text += QStringLiteral(", last ticket %1").arg(lastTicket.toString(TimeFormat));
    }
    return text;
}

StationStates::StationStates()
    : probe_([](const QString& printer) { return PrintSpooler::current().queueState(printer); }) {}

void StationStates::clear() {
    stations_.clear();
    if (listener_) {
        listener_();
    }
}

StationStates::Station& StationStates::stationOf(const QString& printer) {
    for (Station& s : stations_) {
        if (s.printer == printer) {
            return s;
        }
    }
    stations_.append(Station{printer, QueueState::Ready, {}, false, {}, {}});
    return stations_.last();
}

void StationStates::changed(const Station& before, const Station& after) {
    if (changeLog_ && (before.queue != after.queue || before.failed != after.failed ||
                       (after.failed && before.failure != after.failure) || before.printer.isEmpty())) {
        changeLog_(after.describe());
    }
    if (listener_) {
        listener_();
    }
}

void StationStates::ticketPrinted(const QString& printer, const QDateTime& time, QueueState queue) {
    Station& s = stationOf(printer);
    const Station before = s.lastTicket.isValid() || s.failed ? s : Station{};
    s.queue = queue;
    s.lastTicket = time;
    s.failed = false;
    s.failure.clear();
    s.failedAt = {};
    changed(before, s);
}

void StationStates::ticketFailed(const QString& printer, const QDateTime& time, const QString& reason) {
    Station& s = stationOf(printer);
    const Station before = s.lastTicket.isValid() || s.failed ? s : Station{};
    s.queue = queueStateOf(printer);
    s.failed = true;
    s.failedAt = time;
    s.failure = reason;
    changed(before, s);
}

void StationStates::refresh() {
    bool any = false;
    for (Station& s : stations_) {
        const QueueState now = queueStateOf(s.printer);
        if (now != s.queue) {
            s.queue = now;
            if (changeLog_) {
                changeLog_(s.describe());
            }
            any = true;
        }
    }
    if (any && listener_) {
        listener_();
    }
}
