#include "TrpValueText.h"

#include "TrpAnsiCodec.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>

namespace {
bool isAscii(QByteArrayView raw) {
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::optional<qint64> parseInteger(QStringView text, qint64 min, qint64 max) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        return std::nullopt;
    }
    // Accumulate as a negative number so that the minimum of the range fits.
    qint64 value = 0;
    const qint64 limit = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (base == 16 && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (base == 16 && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        if (value < (limit + digit) / base) {
            return std::nullopt;
        }
        value = value * base - digit;
    }
    if (!negative) {
        if (value == limit) {
            return std::nullopt;
        }
        value = -value;
    }
    if (value < min || value > max) {
        // Hexadecimal texts may spell a negative 32-bit value, as colours do.
        if (base == 16 && max == std::numeric_limits<qint32>::max() && value > max && value <= 0xFFFFFFFFLL) {
            return static_cast<qint64>(static_cast<qint32>(static_cast<quint32>(value)));
        }
        return std::nullopt;
    }
    return value;
}
} // namespace

QString TrpValueText::decode(QByteArrayView raw, bool ansi) {
    QString text;
    if (isAscii(raw)) {
        text = QString::fromLatin1(raw);
    } else if (ansi) {
        text = TrpAnsiCodec::toUnicode(raw);
    } else {
        text = QString::fromUtf8(raw);
    }
    return raw.contains('&') ? decodeReferences(text) : text;
}

QString TrpValueText::decodeReferences(const QString& text) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c != u'&') {
            out += c;
            ++i;
            continue;
        }
        const QStringView rest = QStringView(text).sliced(i);
        if (rest.startsWith(u"&#")) {
            qsizetype j = i + 2;
            char32_t code = 0;
            while (j < n && j - i - 2 < 8 && text[j] >= u'0' && text[j] <= u'9') {
                code = code * 10 + static_cast<char32_t>(text[j].unicode() - u'0');
                ++j;
            }
            const bool valid = j > i + 2 && j < n && text[j] == u';' && code <= 0x10FFFF &&
                               !(code >= 0xD800 && code <= 0xDFFF);
            if (valid) {
                out += QString::fromUcs4(&code, 1);
                i = j + 1;
                continue;
            }
        } else if (rest.startsWith(u"&quot;")) {
            out += u'"';
            i += 6;
            continue;
        } else if (rest.startsWith(u"&amp;")) {
            out += u'&';
            i += 5;
            continue;
        } else if (rest.startsWith(u"&lt;")) {
            out += u'<';
            i += 4;
            continue;
        } else if (rest.startsWith(u"&gt;")) {
            out += u'>';
            i += 4;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

std::optional<qint32> TrpValueText::toInt(QStringView text) {
    const auto v = parseInteger(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    return v ? std::optional<qint32>(static_cast<qint32>(*v)) : std::nullopt;
}

std::optional<qint64> TrpValueText::toInt64(QStringView text) {
    return parseInteger(text, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
}

std::optional<double> TrpValueText::toDouble(QStringView text) {
    if (text.size() > 256) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c.unicode() > 0x7F) {
            return std::nullopt;
        }
    }
    return toDouble(QByteArrayView(text.toLatin1()));
}

std::optional<qint32> TrpValueText::toInt(QByteArrayView text) {
    if (text.size() > 64 || !isAscii(text)) {
        return std::nullopt;
    }
    return toInt(QStringView(QString::fromLatin1(text)));
}

std::optional<double> TrpValueText::toDouble(QByteArrayView text) {
    char buffer[64];
    qsizetype length = 0;
    for (const char c : text) {
        if (c == ' ') {
            continue;
        }
        if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E' || c == '.' ||
              c == ',')) {
            return std::nullopt;
        }
        if (length >= static_cast<qsizetype>(sizeof(buffer))) {
            return std::nullopt;
        }
        buffer[length++] = c == ',' ? '.' : c;
    }
    const char* begin = buffer;
    const char* end = buffer + length;
    if (begin != end && *begin == '+') {
        ++begin;
    }
    if (begin == end || *begin == '+') {
        return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<QByteArray> TrpValueText::fromHex(QStringView text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    QByteArray bytes(text.size() / 2, Qt::Uninitialized);
    const auto nibble = [](char16_t c) -> int {
        if (c >= u'0' && c <= u'9') {
            return c - u'0';
        }
        if (c >= u'A' && c <= u'F') {
            return c - u'A' + 10;
        }
        if (c >= u'a' && c <= u'f') {
            return c - u'a' + 10;
        }
        return -1;
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int high = nibble(text[2 * i].unicode());
        const int low = nibble(text[2 * i + 1].unicode());
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[i] = static_cast<char>((high << 4) | low);
    }
    return bytes;
}

QString TrpValueText::escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\r':
            out += QLatin1String("&#13;");
            break;
        case u'\n':
            out += QLatin1String("&#10;");
            break;
        case u'"':
            out += QLatin1String("&#34;");
            break;
        case u'&':
            out += QLatin1String("&#38;");
            break;
        case u'<':
            out += QLatin1String("&#60;");
            break;
        case u'>':
            out += QLatin1String("&#62;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString TrpValueText::formatFloat(double value) {
    char buffer[40];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 15);
    if (ec != std::errc()) {
        return QStringLiteral("0");
    }
    QString text = QString::fromLatin1(buffer, ptr - buffer);
    // Exponents as "E-5" / "E20": no plus sign, no leading zeros.
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0) {
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        const bool negative = exponent.startsWith(u'-');
        exponent.remove(0, (negative || exponent.startsWith(u'+')) ? 1 : 0);
        while (exponent.size() > 1 && exponent.startsWith(u'0')) {
            exponent.remove(0, 1);
        }
        text = mantissa + u'E' + (negative ? QStringLiteral("-") : QString()) + exponent;
    }
    const QString point = QLocale().decimalPoint();
    if (point == QLatin1String(",")) {
        text.replace(u'.', u',');
    }
    return text;
}
