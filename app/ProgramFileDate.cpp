#include "ProgramFileDate.h"

#include "LogTimeStamp.h"

#include <QFileInfo>

namespace {

QString padded(int n, int width) {
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

} // namespace

QString formatProgramFileDate(const QDateTime& when, const QLocale& locale) {
    const QChar ds = localeDateSeparator(locale);
    const QChar ts = localeTimeSeparator(locale);
    const QDate date = when.date();
    const QTime time = when.time();
    return padded(date.day(), 2) + ds + padded(date.month(), 2) + ds + padded(date.year(), 4) +
           QLatin1Char(' ') + padded(time.hour(), 2) + ts + padded(time.minute(), 2);
}

QString programFileDateText(const QString& file) {
    const QFileInfo info(file);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (!modified.isValid()) {
        throw ProgramFileDateError(QStringLiteral("Cannot read the date of the program file '%1'").arg(file));
    }
    return formatProgramFileDate(modified.toLocalTime(), QLocale());
}
