#include "FailureLog.h"

FailureLog::FailureLog(Sink sink, Clock clock) : sink_(std::move(sink)), clock_(std::move(clock)) {}

void FailureLog::failed(const QString& unit, const QString& line) {
    const QDateTime now = clock_();
    auto it = failures_.find(unit);
    if (it == failures_.end() || it->line != line) {
        failures_.insert(unit, Failure{line, 1, now});
        sink_(line);
        return;
    }
    ++it->attempts;
    if (it->lastLogged.secsTo(now) >= RepeatSeconds) {
        it->lastLogged = now;
        sink_(line + QStringLiteral(" (%1 attempts)").arg(it->attempts));
    }
}

bool FailureLog::quiet(const QString& unit) const {
    const auto it = failures_.constFind(unit);
    return it != failures_.constEnd() && it->lastLogged.secsTo(clock_()) < RepeatSeconds;
}

void FailureLog::retainOnly(const QSet<QString>& units) {
    for (auto it = failures_.begin(); it != failures_.end();) {
        it = units.contains(it.key()) ? std::next(it) : failures_.erase(it);
    }
}
