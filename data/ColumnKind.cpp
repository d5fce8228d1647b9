#include "ColumnKind.h"

#include "DbErrors.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

ColumnKind bindable(FieldKind kind, const QString& name) {
    ColumnKind k;
    k.bindable = true;
    k.kind = kind;
    k.name = name;
    return k;
}

ColumnKind other(const QString& name) {
    ColumnKind k;
    k.name = name;
    return k;
}

} // namespace

bool ColumnKind::fits(FieldKind declared) const {
    if (source == Source::Expression) {
        if (!bindable) {
            return name.isEmpty(); // only nulls seen so far
        }
        const bool integral = kind == FieldKind::BigInt;
        if (integral) {
            return declared == FieldKind::BigInt || declared == FieldKind::Int || declared == FieldKind::Bit;
        }
        return declared == FieldKind::Text || declared == FieldKind::LongText ||
               declared == FieldKind::DateTime;
    }
    if (!bindable) {
        return false;
    }
    // A driver may report an nvarchar(max) column as wide varchar or as wide long varchar: every Unicode
    // text column takes a text field of either size.
    const auto isText = [](FieldKind k) {
        return k == FieldKind::Text || k == FieldKind::LongText;
    };
    return kind == declared || (isText(kind) && isText(declared));
}

ColumnKind sqliteColumnKind(const char* declaredType) {
    if (!declaredType) {
        ColumnKind k;
        k.source = ColumnKind::Source::Expression;
        return k;
    }
    static const QRegularExpression sized(QStringLiteral("^([A-Z ]+?)\\s*(\\(.*\\))?$"));
    const QString declared = QString::fromUtf8(declaredType).trimmed().toUpper();
    const QRegularExpressionMatch m = sized.match(declared);
    const QString base = m.hasMatch() ? m.captured(1).trimmed() : declared;
    // In the embedded schema "TEXT" stands for the server's nvarchar(max), and "INTEGER" is the only way to
    // declare an auto-numbered key, which the server holds as bigint.
    if (base == QLatin1String("BIGINT") || base == QLatin1String("INTEGER")) {
        return bindable(FieldKind::BigInt, QStringLiteral("bigint"));
    }
    if (base == QLatin1String("INT") || base == QLatin1String("SMALLINT") ||
        base == QLatin1String("TINYINT")) {
        return bindable(FieldKind::Int, QStringLiteral("int"));
    }
    if (base == QLatin1String("BIT")) {
        return bindable(FieldKind::Bit, QStringLiteral("bit"));
    }
    if (base == QLatin1String("DATETIME") || base == QLatin1String("SMALLDATETIME")) {
        return bindable(FieldKind::DateTime, QStringLiteral("datetime"));
    }
    if (base == QLatin1String("NVARCHAR") || base == QLatin1String("NCHAR")) {
        return bindable(FieldKind::Text, QStringLiteral("text"));
    }
    if (base == QLatin1String("TEXT") || base == QLatin1String("NTEXT")) {
        return bindable(FieldKind::LongText, QStringLiteral("long text"));
    }
    return other(declared.toLower());
}

ColumnKind expressionValueKind(const QVariant& value) {
    ColumnKind k;
    k.source = ColumnKind::Source::Expression;
    if (!value.isValid() || value.isNull()) {
        return k;
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        k.bindable = true;
        k.kind = FieldKind::BigInt;
        k.name = QStringLiteral("integer");
        return k;
    case QMetaType::QString:
        k.bindable = true;
        k.kind = FieldKind::LongText;
        k.name = QStringLiteral("text");
        return k;
    case QMetaType::Double:
        k.name = QStringLiteral("float");
        return k;
    default:
        k.name = QString::fromLatin1(value.typeName());
        return k;
    }
}

ColumnKind odbcColumnKind(int sqlType, bool sqlite) {
    if (sqlite) {
        switch (sqlType) {
        case 12:
        case 1:
        case -1:
        case -9:
        case -10: {
            // Computed columns come as text too: judged by their values, as the embedded path does.
            ColumnKind k = bindable(FieldKind::LongText, QStringLiteral("text"));
            k.source = ColumnKind::Source::Expression;
            return k;
        }
        case -5:
        case 4:
        case 5:
        case -6:
        case -7: {
            ColumnKind k = bindable(FieldKind::BigInt, QStringLiteral("integer"));
            k.source = ColumnKind::Source::Expression;
            return k;
        }
        default:
            break;
        }
    }
    // ODBC data type codes (sql.h / sqlext.h / sqlucode.h).
    switch (sqlType) {
    case -5:
        return bindable(FieldKind::BigInt, QStringLiteral("bigint"));
    case 4:
    case 5:
    case -6:
        return bindable(FieldKind::Int, QStringLiteral("int"));
    case -7:
        return bindable(FieldKind::Bit, QStringLiteral("bit"));
    case 93:
    case 11:
        return bindable(FieldKind::DateTime, QStringLiteral("datetime"));
    case -9:
    case -8:
        return bindable(FieldKind::Text, QStringLiteral("text"));
    case -10:
        return bindable(FieldKind::LongText, QStringLiteral("long text"));
    case 12:
        return other(QStringLiteral("varchar"));
    case 1:
        return other(QStringLiteral("char"));
    case -1:
        return other(QStringLiteral("text (non-Unicode)"));
    case 6:
    case 7:
    case 8:
        return other(QStringLiteral("float"));
    case 2:
    case 3:
        return other(QStringLiteral("decimal"));
    default:
        return other(QStringLiteral("type %1").arg(sqlType));
    }
}

namespace {

QDateTime toDateTime(const QVariant& raw, const QString& fieldName) {
    if (raw.typeId() == QMetaType::QDateTime) {
        return raw.toDateTime();
    }
    const QString text = raw.toString().trimmed();
    for (const QString& format :
         {QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"), QStringLiteral("yyyy-MM-dd HH:mm:ss"),
          QStringLiteral("yyyy-MM-dd HH:mm"), QStringLiteral("yyyy-MM-dd")}) {
        const QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid()) {
            return dt;
        }
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (iso.isValid()) {
        return iso;
    }
    throw DatabaseError(
        QStringLiteral("'%1' is not a valid date and time for field '%2'").arg(text, fieldName));
}

} // namespace

bool sqliteOdbcValueFits(const QVariant& value, FieldKind declared) {
    if (expressionValueKind(value).fits(declared)) {
        return true;
    }
    const bool integral =
        declared == FieldKind::BigInt || declared == FieldKind::Int || declared == FieldKind::Bit;
    bool whole = false;
    if (integral && value.typeId() == QMetaType::QString) {
        value.toString().toLongLong(&whole);
    }
    return whole;
}

QVariant toFieldValue(const FieldDef& field, const QVariant& raw) {
    if (!raw.isValid() || raw.isNull()) {
        return {};
    }
    switch (field.kind) {
    case FieldKind::BigInt:
        return QVariant(raw.toLongLong());
    case FieldKind::Int:
        return QVariant(raw.toInt());
    case FieldKind::Bit:
        return QVariant(raw.toLongLong() != 0 ||
                        raw.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0);
    case FieldKind::DateTime:
        return QVariant(toDateTime(raw, field.name));
    case FieldKind::Text:
    case FieldKind::LongText:
        return QVariant(raw.toString());
    }
    return raw;
}
