#include "DispatchUnits.h"

#include "DispatchServices.h"

#include <QDir>
#include <QScopeGuard>

DispatchUnits::DispatchUnits(DispatchServices& services, QString kind)
    : services_(services), kind_(std::move(kind)),
      failureLog_([&services](const QString& line) { services.log(line); }) {
    const QString folder = services_.recordFolder();
    if (folder.isEmpty()) {
        return;
    }
    try {
        printed_.keepIn(
            QDir(folder).filePath(QStringLiteral("printed-tickets-%1.record").arg(kind_.toLower())));
    } catch (const std::exception& e) {
        // Printing goes on, remembering in the process only.
        services_.log(QString::fromUtf8(e.what()));
    }
}

QString DispatchUnits::unitOf(qint64 id) const {
    return QStringLiteral("%1 #%2").arg(kind_).arg(id);
}

void DispatchUnits::run(qint64 id, TransactionKind transaction, const std::function<void()>& work) {
    const QString unit = unitOf(id);
    try {
        services_.awaitWritersTurn();
    } catch (const CycleStopped&) {
        return;
    }
    const auto ended = qScopeGuard([this] { services_.unitEnded(); });
    try {
        runInTransaction(
            services_.connection(),
            [&] {
                failures_.clear();
                work();
                services_.checkNotStopped();
            },
            transaction);
    } catch (const CycleStopped&) {
        return;
    } catch (const std::exception& e) {
        failureLog_.failed(unit, QStringLiteral("Printing %1 Failed: %2").arg(unit, failureMessage(e)));
        return;
    }
    try {
        printed_.forget(unit);
    } catch (const std::exception&) {
        // A record left in the file is dropped at the next cycle, the unit being no longer queued.
    }
    failureLog_.succeeded(unit);
}

DispatchUnits::Outcome DispatchUnits::print(qint64 id, const QString& copy, const QByteArray& content,
                                            const std::function<void()>& ticket) {
    const QString unit = unitOf(id);
    if (printed_.printedBefore(unit, copy, content)) {
        return Outcome::PrintedBefore;
    }
    // Remembered (and recorded) the moment the queue takes the ticket, before the archive and the log.
    bool remembered = false;
    const auto rememberIt = [&] {
        remembered = true;
        try {
            printed_.remember(unit, copy, content);
            recordFailureLogged_ = false;
        } catch (const std::exception& e) {
            // The queue took the ticket: it counts as printed. Only a restart before the unit commits would
            // print it again; the log says so once until records can be written again.
            if (!recordFailureLogged_) {
                services_.log(QString::fromUtf8(e.what()));
                recordFailureLogged_ = true;
            }
        }
    };
    services_.tickets().setAcceptedHook(rememberIt);
    const auto unhook = qScopeGuard([this] { services_.tickets().setAcceptedHook({}); });
    if (!failures_.attempt(ticket)) {
        return Outcome::Failed;
    }
    if (!remembered) {
        rememberIt();
    }
    return Outcome::Printed;
}

void DispatchUnits::logRepeatable(qint64 id, const QString& line) {
    if (!failureLog_.quiet(unitOf(id))) {
        services_.log(line);
    }
}

void DispatchUnits::logStationless(qint64 id, const QStringList& names) {
    if (names.isEmpty()) {
        return;
    }
    QStringList distinct;
    for (const QString& name : names) {
        const QString shown = name.isEmpty() ? QStringLiteral("(no name)") : name;
        if (!distinct.contains(shown)) {
            distinct << shown;
        }
    }
    logRepeatable(id, QStringLiteral("%1: %2 item(s) have no kitchen station: %3")
                          .arg(unitOf(id))
                          .arg(names.size())
                          .arg(distinct.join(QStringLiteral(", "))));
}

void DispatchUnits::retainOnly(const QSet<qint64>& ids) {
    QSet<QString> units;
    for (const qint64 id : ids) {
        units.insert(unitOf(id));
    }
    try {
        printed_.retainOnly(units);
    } catch (const std::exception& e) {
        if (!recordFailureLogged_) {
            services_.log(QString::fromUtf8(e.what()));
            recordFailureLogged_ = true;
        }
    }
    failureLog_.retainOnly(units);
}
