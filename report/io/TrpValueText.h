#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The text forms of values in template files: decoding attribute texts with their character references,
// number conversion, and the escapes and number notation of the writer.
class TrpValueText {
public:
    // The attribute text as Unicode: UTF-8, or the ANSI code page for old-style files; then "&#<decimal>;",
    // "&quot;", "&amp;", "&lt;" and "&gt;" are decoded. Any other "&" stays as written, as does a
    // reference to no Unicode character (a surrogate, or beyond U+10FFFF).
    static QString decode(QByteArrayView raw, bool ansi);
    static QString decodeReferences(const QString& text);

    // Decimal integers, optional spaces before and a sign; "$" or "0x" hexadecimal is also accepted.
    static std::optional<qint32> toInt(QStringView text);
    static std::optional<qint64> toInt64(QStringView text);
    // Decimal floats: spaces are ignored and "." or "," is the decimal separator; an exponent is allowed.
    static std::optional<double> toDouble(QStringView text);
    // The same from the raw bytes of an attribute (only ASCII can be a number).
    static std::optional<qint32> toInt(QByteArrayView text);
    static std::optional<double> toDouble(QByteArrayView text);
    // Upper-case hexadecimal, two digits per byte; none for odd lengths or other characters.
    static std::optional<QByteArray> fromHex(QStringView text);

    // Escapes CR, LF, the double quote, "&", "<" and ">" as decimal character references.
    static QString escape(const QString& text);
    // General notation with up to 15 significant digits and the locale's decimal separator.
    static QString formatFloat(double value);
};
