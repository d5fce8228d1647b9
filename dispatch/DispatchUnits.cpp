#include "DispatchUnits.h"

#include "DispatchServices.h"

DispatchUnits::DispatchUnits(DispatchServices& services, QString kind)
    : services_(services), kind_(std::move(kind)),
      failureLog_([&services](const QString& line) { services.log(line); }) {}

QString DispatchUnits::unitOf(qint64 id) const {
    return QStringLiteral("%1 #%2").arg(kind_).arg(id);
}

void DispatchUnits::run(qint64 id, TransactionKind transaction, const std::function<void()>& work) {
    const QString unit = unitOf(id);
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
    printed_.forget(unit);
    failureLog_.succeeded(unit);
}

DispatchUnits::Outcome DispatchUnits::print(qint64 id, const QString& copy, const QByteArray& content,
                                            const std::function<void()>& ticket) {
    const QString unit = unitOf(id);
    if (printed_.printedBefore(unit, copy, content)) {
        return Outcome::PrintedBefore;
    }
    if (!failures_.attempt(ticket)) {
        return Outcome::Failed;
    }
    printed_.remember(unit, copy, content);
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
    printed_.retainOnly(units);
    failureLog_.retainOnly(units);
}
