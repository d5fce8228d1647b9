#include "TrpDateTime.h"

#include <cmath>

namespace {
const QDate Epoch(1899, 12, 30);
constexpr double MsPerDay = 86400000.0;
} // namespace

double TrpDateTime::toDayNumber(const QDateTime& value) {
    const double days = static_cast<double>(Epoch.daysTo(value.date()));
    const double fraction = value.time().msecsSinceStartOfDay() / MsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime TrpDateTime::fromDayNumber(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6) {
        return {};
    }
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    auto ms = static_cast<qint64>(std::llround(fraction * MsPerDay));
    if (ms >= static_cast<qint64>(MsPerDay)) {
        ms = static_cast<qint64>(MsPerDay) - 1;
    }
    return QDateTime(Epoch.addDays(static_cast<qint64>(whole)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}
