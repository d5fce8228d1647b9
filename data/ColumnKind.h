#pragma once

#include "StatementDef.h"

#include <QString>
#include <QVariant>

// What a result column turned out to be, in the contract's words: a kind the program can bind, or
// something else (a non-Unicode text, a floating-point number), named for the field check's message.
struct ColumnKind {
    enum class Source { Declared, Expression };

    Source source = Source::Declared;
    bool bindable = false; // `kind` is meaningful
    FieldKind kind = FieldKind::Text;
    QString name; // "bigint", "varchar", ... ("actual" in the message)

    // Whether a field declared as `declared` may be bound to this column. Text sizes are not compared: any
    // Unicode text column takes a text or a long-text field.
    bool fits(FieldKind declared) const;
};

// From an embedded database's declared column type ("BIGINT", "NVARCHAR(50)", ...). Columns computed by
// an expression have no declared type (null) and are judged by their values instead.
ColumnKind sqliteColumnKind(const char* declaredType);
// From a value of a computed column: integers fit the integer kinds, text fits the text kinds.
ColumnKind expressionValueKind(const QVariant& value);
// From the ODBC data type code that the server reports for the column. `sqlite` is for an SQLite database
// reached through its ODBC driver, which reports the declared types loosely: its text is always Unicode
// (reported as varchar, computed columns too, so text columns are judged by their values), and every
// integer is 64 bits (reported as int), so any integer code takes any integer field.
ColumnKind odbcColumnKind(int sqlType, bool sqlite = false);
// Whether a value from such a column fits a field of `declared` kind: as a computed column's value, or, for
// an integer field, as a whole number in text (the driver's text for a computed number).
bool sqliteOdbcValueFits(const QVariant& value, FieldKind declared);

// Converts a fetched value to the field's kind: bigint -> qlonglong, int -> int, bit -> bool,
// datetime -> QDateTime, text -> QString. Null stays an invalid QVariant. Raises DatabaseError for a
// value that cannot be converted (a date and time the program cannot read).
QVariant toFieldValue(const FieldDef& field, const QVariant& raw);
