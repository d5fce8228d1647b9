#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The operation log's time stamp: "dd/MM/yyyy hh:mm ampm" with the locale's separators and its texts for
// before and after noon; the hour on the 12-hour clock, seconds not recorded.
QString formatLogTimeStamp(const QDateTime& when, const QLocale& locale);
