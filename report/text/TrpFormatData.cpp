#include "TrpFormatData.h"

#include "TrpError.h"

#include <QRegularExpression>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <locale.h>

namespace {

const QDate DayZero(1899, 12, 30);

bool isWholeNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isFloat(const QVariant& v) {
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

// The first character of `format` that is neither a format letter nor quoted, after one of `tokens`.
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
        // Right-to-left patterns carry invisible direction marks around their separators.
        if (seenToken && !c.isLetter() && !c.isSpace() && c.category() != QChar::Other_Format) {
            return c;
        }
    }
    return fallback;
}

// The date as the C library writes it for the locale's time conventions (its preferred date, "%x"), which is
// how the system writes a date for the user's regional settings; empty when the C library lacks the locale.
QString systemDateText(const QDate& date, const QLocale& locale) {
    const QByteArray name = locale.name().toLatin1();
    locale_t conventions = nullptr;
    for (const QByteArray& candidate : {name + ".UTF-8", name + ".utf8"}) {
        conventions = newlocale(LC_TIME_MASK, candidate.constData(), nullptr);
        if (conventions != nullptr) {
            break;
        }
    }
    if (conventions == nullptr) {
        return {};
    }
    std::tm fields{};
    fields.tm_year = date.year() - 1900;
    fields.tm_mon = date.month() - 1;
    fields.tm_mday = date.day();
    fields.tm_wday = date.dayOfWeek() % 7;
    fields.tm_yday = date.dayOfYear() - 1;
    char text[256];
    const size_t length = strftime_l(text, sizeof text, "%x", &fields, conventions);
    freelocale(conventions);
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}

// The date part of a plain date-time text.
QString plainDate(const QDate& date, const QLocale& locale) {
    const QString text = systemDateText(date, locale);
    return text.isEmpty() ? locale.toString(date, QLocale::ShortFormat) : text;
}

QString padded(int n, int width) {
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

// A number as a value: whole numbers, floats and numeric strings.
bool toDouble(const QVariant& value, double* out) {
    if (isWholeNumber(value) || isFloat(value) || value.typeId() == QMetaType::Bool) {
        *out = value.toDouble();
        return true;
    }
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        *out = value.toString().trimmed().toDouble(&ok);
        return ok;
    }
    if (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate) {
        const QDateTime dt = value.toDateTime();
        *out = static_cast<double>(DayZero.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
        return true;
    }
    return false;
}

// Inserts the locale's group separator into the digits before the decimal point.
QString groupDigits(const QString& digits, QChar group) {
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        out += digits.at(i);
        const qsizetype left = n - i - 1;
        if (left > 0 && left % 3 == 0) {
            out += group;
        }
    }
    return out;
}

// A numeric picture of 0, #, "." and "," with literal text around it; "pos;neg;zero" sections.
QString formatPicture(double value, const QString& picture, const QLocale& locale) {
    QStringList sections;
    {
        QString current;
        QChar quote;
        for (const QChar c : picture) {
            if (!quote.isNull()) {
                current += c;
                if (c == quote) {
                    quote = QChar();
                }
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
                current += c;
            } else if (c == QLatin1Char(';')) {
                sections << current;
                current.clear();
            } else {
                current += c;
            }
        }
        sections << current;
    }
    QString section = sections.front();
    bool negativeSection = false;
    if (value < 0 && sections.size() >= 2 && !sections.at(1).isEmpty()) {
        section = sections.at(1);
        negativeSection = true;
    } else if (value == 0 && sections.size() >= 3 && !sections.at(2).isEmpty()) {
        section = sections.at(2);
    }

    // Split the section into literal prefix, the digit pattern and literal suffix.
    qsizetype first = -1;
    qsizetype last = -1;
    bool thousands = false;
    qsizetype point = -1;
    int minInt = 0;
    int minFrac = 0;
    int maxFrac = 0;
    {
        QChar quote;
        for (qsizetype i = 0; i < section.size(); ++i) {
            const QChar c = section.at(i);
            if (!quote.isNull()) {
                if (c == quote) {
                    quote = QChar();
                }
                continue;
            }
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
                continue;
            }
            const bool digit = c == QLatin1Char('0') || c == QLatin1Char('#');
            const bool inPattern = digit || ((c == QLatin1Char('.') || c == QLatin1Char(',')) && first >= 0);
            if (!inPattern) {
                if (first >= 0 && last >= 0) {
                    break;
                }
                continue;
            }
            if (first < 0) {
                first = i;
            }
            last = i;
            if (c == QLatin1Char('.')) {
                if (point < 0) {
                    point = i;
                }
            } else if (c == QLatin1Char(',')) {
                if (point < 0) {
                    thousands = true;
                }
            } else if (point < 0) {
                if (c == QLatin1Char('0')) {
                    ++minInt;
                }
            } else {
                ++maxFrac;
                if (c == QLatin1Char('0')) {
                    minFrac = maxFrac;
                }
            }
        }
    }
    auto literal = [](const QString& text) {
        QString out;
        for (const QChar c : text) {
            if (c != QLatin1Char('"') && c != QLatin1Char('\'')) {
                out += c;
            }
        }
        return out;
    };
    if (first < 0) {
        return literal(section);
    }
    const QString prefix = literal(section.left(first));
    const QString suffix = literal(section.mid(last + 1));

    const double magnitude = std::abs(value);
    QString fixed = QString::number(magnitude, 'f', maxFrac);
    QString intPart = fixed.section(QLatin1Char('.'), 0, 0);
    QString fracPart = fixed.section(QLatin1Char('.'), 1);
    while (fracPart.size() > minFrac && fracPart.endsWith(QLatin1Char('0'))) {
        fracPart.chop(1);
    }
    if (intPart == QLatin1String("0") && minInt == 0) {
        intPart.clear();
    }
    while (intPart.size() < minInt) {
        intPart.prepend(QLatin1Char('0'));
    }
    if (thousands) {
        intPart = groupDigits(intPart, locale.groupSeparator().at(0));
    }
    QString number = intPart;
    if (!fracPart.isEmpty()) {
        number += locale.decimalPoint() + fracPart;
    }
    const bool showMinus =
        value < 0 && !negativeSection && (number.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    return (showMinus ? QStringLiteral("-") : QString()) + prefix + number + suffix;
}

// A printf-style format of one argument ("%d", "%5.2f", "%n"), with the locale's separators.
bool formatPrintf(const QVariant& value, const QString& formatStr, bool integer, const QLocale& locale,
                  QString* out) {
    static const QRegularExpression spec(QStringLiteral("%(-?)(\\d*)(?:\\.(\\d+))?([dDuUfFeEgGnNmM])"));
    const QRegularExpressionMatch m = spec.match(formatStr);
    if (!m.hasMatch()) {
        return false;
    }
    double number = 0;
    if (!toDouble(value, &number)) {
        return false;
    }
    const QString flags = m.captured(1);
    const QString width = m.captured(2);
    const QString precision = m.captured(3);
    // A typo such as "%999999999d" would otherwise build a string of a billion characters.
    for (const QString& digits : {width, precision}) {
        if (!digits.isEmpty() && (digits.size() > 4 || digits.toInt() > TrpFormatData::MaxFormatWidth)) {
            throw TrpError(QStringLiteral("Format \"%1\": a width or precision above %2 cannot be shown")
                               .arg(formatStr, QString::number(TrpFormatData::MaxFormatWidth)));
        }
    }
    const QChar conv = m.captured(4).at(0).toLower();
    QString body;
    if (integer || conv == QLatin1Char('d') || conv == QLatin1Char('u')) {
        if (!isWholeNumber(value) && value.typeId() != QMetaType::Bool) {
            if (std::trunc(number) != number) {
                return false; // an integer format does not take a fraction
            }
        }
        const long long whole = static_cast<long long>(std::llround(number));
        QString digits = QString::number(std::llabs(whole));
        if (!precision.isEmpty()) {
            while (digits.size() < precision.toInt()) {
                digits.prepend(QLatin1Char('0'));
            }
        }
        body = (whole < 0 ? QStringLiteral("-") : QString()) + digits;
    } else if (conv == QLatin1Char('n') || conv == QLatin1Char('m')) {
        const int decimals = precision.isEmpty() ? 2 : precision.toInt();
        const QString fixed = QString::number(std::abs(number), 'f', decimals);
        QString result = groupDigits(fixed.section(QLatin1Char('.'), 0, 0), locale.groupSeparator().at(0));
        if (decimals > 0) {
            result += locale.decimalPoint() + fixed.section(QLatin1Char('.'), 1);
        }
        body = (number < 0 ? QStringLiteral("-") : QString()) + result;
    } else {
        const char c = static_cast<char>(conv.toLatin1());
        const QByteArray cformat =
            "%." + (precision.isEmpty() ? QByteArray(c == 'f' ? "2" : "15") : precision.toLatin1()) +
            QByteArray(1, c);
        // A large number at full precision needs more than any fixed buffer.
        const int length = std::snprintf(nullptr, 0, cformat.constData(), number);
        QByteArray buffer(std::max(length, 0) + 1, '\0');
        std::snprintf(buffer.data(), static_cast<size_t>(buffer.size()), cformat.constData(), number);
        body = QString::fromLatin1(buffer.constData(), std::max(length, 0));
        body.replace(QLatin1Char('.'), locale.decimalPoint());
    }
    const int minWidth = width.toInt();
    if (body.size() < minWidth) {
        body = flags == QLatin1String("-") ? body.leftJustified(minWidth) : body.rightJustified(minWidth);
    }
    *out = formatStr.left(m.capturedStart()) + body + formatStr.mid(m.capturedEnd());
    return true;
}

} // namespace

QChar TrpFormatData::dateSeparator(const QLocale& locale) {
    return separatorAfter(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("dMy"), QLatin1Char('/'));
}

QChar TrpFormatData::timeSeparator(const QLocale& locale) {
    return separatorAfter(locale.timeFormat(QLocale::ShortFormat), QStringLiteral("hH"), QLatin1Char(':'));
}

bool TrpFormatData::toDateTime(const QVariant& value, QDateTime* out) {
    if (value.typeId() == QMetaType::QDateTime) {
        *out = value.toDateTime();
        return out->isValid();
    }
    if (value.typeId() == QMetaType::QDate) {
        *out = QDateTime(value.toDate(), QTime(0, 0));
        return out->isValid();
    }
    if (value.typeId() == QMetaType::QTime) {
        *out = QDateTime(DayZero, value.toTime());
        return true;
    }
    double days = 0;
    if (isWholeNumber(value) || isFloat(value)) {
        days = value.toDouble();
    } else if (value.typeId() == QMetaType::QString) {
        const QDateTime parsed = QDateTime::fromString(value.toString(), Qt::ISODate);
        if (parsed.isValid()) {
            *out = parsed;
            return true;
        }
        return false;
    } else {
        return false;
    }
    if (!std::isfinite(days) || std::abs(days) > 3000000) {
        return false;
    }
    // The fraction is the time of day on the clock, not time elapsed since midnight: on a day the clocks
    // change, noon is still 12:00.
    double whole = std::floor(days);
    qint64 msecs = std::llround((days - whole) * 86400000.0);
    if (msecs >= 86400000) {
        whole += 1;
        msecs = 0;
    }
    *out = QDateTime(DayZero.addDays(static_cast<qint64>(whole)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
    return true;
}

QString TrpFormatData::formatDateTime(const QString& pattern, const QDateTime& when, const QLocale& locale) {
    const QString lower = pattern.toLower();
    const bool twelveHour = lower.contains(QLatin1String("ampm")) || lower.contains(QLatin1String("am/pm"));
    const QDate date = when.date();
    const QTime time = when.time();
    QString out;
    QChar lastToken;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        const QChar l = c.toLower();
        if (lower.mid(i, 4) == QLatin1String("ampm") || lower.mid(i, 5) == QLatin1String("am/pm")) {
            out += time.hour() < 12 ? locale.amText() : locale.pmText();
            i += lower.mid(i, 4) == QLatin1String("ampm") ? 4 : 5;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = pattern.indexOf(c, i + 1);
            out += pattern.mid(i + 1, (end < 0 ? pattern.size() : end) - i - 1);
            i = end < 0 ? pattern.size() : end + 1;
            continue;
        }
        if (c == QLatin1Char('/')) {
            out += dateSeparator(locale);
            ++i;
            continue;
        }
        if (c == QLatin1Char(':')) {
            out += timeSeparator(locale);
            ++i;
            continue;
        }
        if (!QStringLiteral("dmyhns").contains(l)) {
            out += c;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == l) {
            ++run;
        }
        i += run;
        if (l == QLatin1Char('d')) {
            if (run <= 2) {
                out += padded(date.day(), static_cast<int>(run));
            } else {
                out +=
                    locale.dayName(date.dayOfWeek(), run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            }
        } else if (l == QLatin1Char('m')) {
            if (lastToken == QLatin1Char('h') && run <= 2) {
                out += padded(time.minute(), static_cast<int>(run));
            } else if (run <= 2) {
                out += padded(date.month(), static_cast<int>(run));
            } else {
                out += locale.monthName(date.month(), run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            }
        } else if (l == QLatin1Char('y')) {
            out += run <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
        } else if (l == QLatin1Char('h')) {
            int hour = time.hour();
            if (twelveHour) {
                hour %= 12;
                if (hour == 0) {
                    hour = 12;
                }
            }
            out += padded(hour, run >= 2 ? 2 : 1);
        } else if (l == QLatin1Char('n')) {
            out += padded(time.minute(), run >= 2 ? 2 : 1);
        } else if (l == QLatin1Char('s')) {
            out += padded(time.second(), run >= 2 ? 2 : 1);
        }
        lastToken = l;
    }
    return out;
}

QString TrpFormatData::plainText(const QVariant& value, const QLocale& locale) {
    if (value.isNull() || !value.isValid()) {
        return {};
    }
    if (isWholeNumber(value)) {
        return QString::number(value.toLongLong());
    }
    if (isFloat(value)) {
        QString text = QString::number(value.toDouble(), 'g', 15);
        text.replace(QLatin1Char('.'), locale.decimalPoint());
        return text;
    }
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    if (value.typeId() == QMetaType::QDateTime || value.typeId() == QMetaType::QDate ||
        value.typeId() == QMetaType::QTime) {
        QDateTime when;
        toDateTime(value, &when);
        if (when.date() == DayZero) {
            return locale.toString(when.time(), QLocale::ShortFormat);
        }
        if (when.time() == QTime(0, 0)) {
            return plainDate(when.date(), locale);
        }
        return plainDate(when.date(), locale) + QLatin1Char(' ') +
               locale.toString(when.time(), QLocale::ShortFormat);
    }
    return value.toString();
}

QString TrpFormatData::format(const QVariant& value, TrpFormatKind kind, const QString& formatStr,
                              const QString& decimalSeparator, const QString& thousandSeparator,
                              const QLocale& locale) {
    if (value.isNull() || !value.isValid()) {
        return {};
    }
    switch (kind) {
    case TrpFormatKind::fkText:
    case TrpFormatKind::fkBoolean:
        return plainText(value, locale);
    case TrpFormatKind::fkDateTime: {
        QDateTime when;
        return toDateTime(value, &when) ? formatDateTime(formatStr, when, locale) : plainText(value, locale);
    }
    case TrpFormatKind::fkNumeric: {
        QString result;
        bool ok = false;
        if (formatStr.contains(QLatin1Char('#')) || formatStr.startsWith(QLatin1Char('0'))) {
            double number = 0;
            ok = toDouble(value, &number);
            if (ok) {
                result = formatPicture(number, formatStr, locale);
            }
        } else {
            const bool integer = formatStr.contains(QLatin1Char('d')) || formatStr.contains(QLatin1Char('u'));
            ok = formatPrintf(value, formatStr, integer, locale, &result);
        }
        if (!ok) {
            return plainText(value, locale);
        }
        // Both replacements look at the text as formatted, so a new decimal separator that equals the
        // locale's group separator is not replaced again.
        const qsizetype decimalAt = result.lastIndexOf(locale.decimalPoint());
        const QString group = locale.groupSeparator();
        QString replaced;
        for (qsizetype i = 0; i < result.size(); ++i) {
            if (i == decimalAt && decimalSeparator.size() == 1) {
                replaced += decimalSeparator;
                i += locale.decimalPoint().size() - 1;
            } else if (thousandSeparator.size() == 1 && !group.isEmpty() && i != decimalAt &&
                       QStringView(result).mid(i).startsWith(group)) {
                replaced += thousandSeparator;
                i += group.size() - 1;
            } else {
                replaced += result.at(i);
            }
        }
        result = replaced;
        return result;
    }
    }
    return plainText(value, locale);
}
