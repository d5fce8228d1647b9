#pragma once

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <functional>

// Logs the failures of orders and voids so that the log stays readable when one keeps failing every cycle:
// a failure is logged the first time, and while the same unit fails with the same line it is logged again
// at most once every five minutes, with the number of attempts so far.
class FailureLog {
public:
    using Sink = std::function<void(const QString&)>;
    using Clock = std::function<QDateTime()>;

    static constexpr qint64 RepeatSeconds = 5 * 60;

    explicit FailureLog(
        Sink sink, Clock clock = [] { return QDateTime::currentDateTimeUtc(); });

    void failed(const QString& unit, const QString& line);
    void succeeded(const QString& unit) { failures_.remove(unit); }
    // True while `unit` keeps failing and its failure line is not due again: the lines its retry repeats
    // each cycle stay out of the log as its failure line does.
    bool quiet(const QString& unit) const;
    // Forgets every failure (Start: the operator's log begins anew, so each failing unit is told again).
    void clear() { failures_.clear(); }
    // Forgets every unit not in `units` (orders that left the queue by other hands).
    void retainOnly(const QSet<QString>& units);

    void setClock(Clock clock) { clock_ = std::move(clock); }

private:
    struct Failure {
        QString line;
        int attempts = 0;
        QDateTime lastLogged;
    };

    Sink sink_;
    Clock clock_;
    QHash<QString, Failure> failures_;
};
