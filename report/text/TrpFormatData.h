#pragma once

#include "TrpTypes.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

// Formats memo values by the rules of display formats, with the regional settings of `locale`.
class TrpFormatData {
public:
    // The widest field and the most digits a printf-style format may ask for; a ticket line holds far fewer.
    static constexpr int MaxFormatWidth = 255;

    // A null value gives ""; a value the format cannot convert gives its plain text. A numeric format that
    // asks for a width or precision above MaxFormatWidth throws TrpError.
    static QString format(const QVariant& value, TrpFormatKind kind, const QString& formatStr,
                          const QString& decimalSeparator, const QString& thousandSeparator,
                          const QLocale& locale = QLocale::system());

    // The value's plain text: strings as they are, whole numbers in digits, other numbers in their
    // shortest form of up to 15 significant digits, booleans as "True"/"False", date-times as the
    // locale writes them (the date alone at midnight, the time alone on day zero): the date as the C
    // library writes the locale's preferred date, the time in the locale's short format.
    static QString plainText(const QVariant& value, const QLocale& locale = QLocale::system());

    // A date-time written with a pattern: d dd m mm yyyy h hh n nn s ss ampm, "/" and ":" as the locale's
    // separators; "mm" after an hour token means minutes; hours run 1-12 when the pattern has "ampm".
    static QString formatDateTime(const QString& pattern, const QDateTime& when,
                                  const QLocale& locale = QLocale::system());

    // The value as a date-time: numbers count days from 30 December 1899. False when it does not convert.
    static bool toDateTime(const QVariant& value, QDateTime* out);

    // The regional settings' date and time separators: the visible characters, never a direction mark.
    static QChar dateSeparator(const QLocale& locale);
    static QChar timeSeparator(const QLocale& locale);
};
