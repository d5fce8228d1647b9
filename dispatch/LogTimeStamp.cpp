#include "LogTimeStamp.h"

#include "TrpFormatData.h"

QString formatLogTimeStamp(const QDateTime& when, const QLocale& locale) {
    // The same pattern rules as a ticket's date memos, so the log and the tickets agree on every locale.
    return TrpFormatData::formatDateTime(QStringLiteral("dd/MM/yyyy hh:mm ampm"), when, locale);
}
