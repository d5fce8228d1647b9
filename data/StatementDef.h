#pragma once

#include <QString>
#include <vector>

// How a statement declares a parameter. Bigint converts the value to a 64-bit integer when it is bound;
// Untyped sends the value with its own kind (text stays text, row identifiers go out as 64-bit
// integers); Text is Unicode text of at most `size` characters; Bit is a boolean.
enum class ParamKind { BigInt, Untyped, Text, Bit };

// The kind of a result field, as the program binds it when a query opens.
enum class FieldKind { BigInt, Int, Bit, DateTime, Text, LongText };

struct ParamDef {
    QString name;
    ParamKind kind = ParamKind::Untyped;
    int size = 0; // Text only
};

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // Text only
};

enum class StatementKind { Query, Command };

// One statement of the restaurant database contract: its exact text (lines joined by CR LF, ":Name"
// marks a parameter), its parameters and, for a query, the fields its result must carry.
struct StatementDef {
    QString name;
    StatementKind kind = StatementKind::Query;
    QString text;
    std::vector<ParamDef> params;
    std::vector<FieldDef> fields;

    const ParamDef* param(const QString& paramName) const;
};

// "bigint", "int", "bit", "datetime", "text(50)", "long text": the words of the contract, used in the
// field check's messages.
QString fieldKindName(FieldKind kind, int size = 0);
QString paramKindName(ParamKind kind, int size = 0);
