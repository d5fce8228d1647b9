#include "LogTimeStamp.h"

namespace {

// The first character of `format` that is neither a format letter nor quoted text, after the first of
// `tokens`; the fallback when the format has none.
QChar separatorAfter(const QString& format, const QString& tokens, QChar fallback) {
    bool quoted = false;
    bool seenToken = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted) {
            continue;
        }
        if (tokens.contains(c)) {
            seenToken = true;
            continue;
        }
        if (seenToken && !c.isLetter() && !c.isSpace()) {
            return c;
        }
    }
    return fallback;
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QChar localeDateSeparator(const QLocale& locale) {
    return separatorAfter(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("dMy"), QLatin1Char('/'));
}

QChar localeTimeSeparator(const QLocale& locale) {
    return separatorAfter(locale.timeFormat(QLocale::ShortFormat), QStringLiteral("hH"), QLatin1Char(':'));
}

QString formatLogTimeStamp(const QDateTime& when, const QLocale& locale) {
    const QDate date = when.date();
    const QTime time = when.time();
    const QChar ds = localeDateSeparator(locale);
    const QChar ts = localeTimeSeparator(locale);
    int hour12 = time.hour() % 12;
    if (hour12 == 0) {
        hour12 = 12;
    }
    const QString designator = time.hour() < 12 ? locale.amText() : locale.pmText();
    return twoDigits(date.day()) + ds + twoDigits(date.month()) + ds +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + QLatin1Char(' ') +
           twoDigits(hour12) + ts + twoDigits(time.minute()) + QLatin1Char(' ') + designator;
}
