#include "ProgramFileDate.h"

#include "TrpFormatData.h"

#include <QFileInfo>

QString formatProgramFileDate(const QDateTime& when, const QLocale& locale) {
    return TrpFormatData::formatDateTime(QStringLiteral("dd/MM/yyyy HH:mm"), when, locale);
}

QString programFileDateText(const QString& file) {
    const QFileInfo info(file);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    if (!modified.isValid()) {
        throw ProgramFileDateError(QStringLiteral("Cannot read the date of the program file '%1'").arg(file));
    }
    return formatProgramFileDate(modified.toLocalTime(), QLocale());
}
