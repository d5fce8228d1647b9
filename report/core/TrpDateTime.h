#pragma once

#include <QDateTime>

// Date-times of the report tree are day numbers: whole days since 30 December 1899, the time of day as
// the fraction (negative numbers count days before that date, the fraction still adding time).
class TrpDateTime {
public:
    static double toDayNumber(const QDateTime& value);
    static QDateTime fromDayNumber(double days);
    static double now() { return toDayNumber(QDateTime::currentDateTime()); }
};
