#include "ColumnKind.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr FieldKind AllKinds[] = {FieldKind::BigInt,   FieldKind::Int,  FieldKind::Bit,
                                  FieldKind::DateTime, FieldKind::Text, FieldKind::LongText};

// Each column kind a driver reports, with the field kinds it takes and the name a mismatch shows.
struct Row {
    const char* why;
    ColumnKind column;
    std::vector<FieldKind> takes;
    const char* name;
};

void checkRows(const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        EXPECT_EQ(r.column.name.toStdString(), r.name) << r.why;
        for (FieldKind declared : AllKinds) {
            const bool expected = std::find(r.takes.begin(), r.takes.end(), declared) != r.takes.end();
            EXPECT_EQ(r.column.fits(declared), expected) << r.why << ", field kind " << int(declared);
        }
    }
}

const std::vector<FieldKind> TextFields = {FieldKind::Text, FieldKind::LongText};

TEST(ColumnKind, ServerKindsAsTheDriverReportsThem) {
    checkRows({
        {"bigint", odbcColumnKind(-5), {FieldKind::BigInt}, "bigint"},
        {"int", odbcColumnKind(4), {FieldKind::Int}, "int"},
        {"smallint", odbcColumnKind(5), {FieldKind::Int}, "int"},
        {"tinyint", odbcColumnKind(-6), {FieldKind::Int}, "int"},
        {"bit", odbcColumnKind(-7), {FieldKind::Bit}, "bit"},
        {"datetime", odbcColumnKind(93), {FieldKind::DateTime}, "datetime"},
        {"datetime, ODBC 2 code", odbcColumnKind(11), {FieldKind::DateTime}, "datetime"},
        {"nvarchar(N)", odbcColumnKind(-9), TextFields, "text"},
        {"nchar(N)", odbcColumnKind(-8), TextFields, "text"},
        // nvarchar(max) comes as wide varchar or as wide long varchar, by driver.
        {"nvarchar(max) as wide long varchar", odbcColumnKind(-10), TextFields, "long text"},
        {"varchar is not Unicode", odbcColumnKind(12), {}, "varchar"},
        {"char is not Unicode", odbcColumnKind(1), {}, "char"},
        {"text is not Unicode", odbcColumnKind(-1), {}, "text (non-Unicode)"},
        {"float", odbcColumnKind(8), {}, "float"},
        {"decimal", odbcColumnKind(3), {}, "decimal"},
        {"a code of no kind", odbcColumnKind(-150), {}, "type -150"},
        // SQLite through its ODBC driver: text is always Unicode, though reported as (long) varchar, and an
        // integer of any reported width holds 64 bits.
        {"SQLite's varchar",
         odbcColumnKind(12, true),
         {FieldKind::Text, FieldKind::LongText, FieldKind::DateTime},
         "text"},
        {"SQLite's long varchar",
         odbcColumnKind(-1, true),
         {FieldKind::Text, FieldKind::LongText, FieldKind::DateTime},
         "text"},
        {"SQLite's integer",
         odbcColumnKind(4, true),
         {FieldKind::BigInt, FieldKind::Int, FieldKind::Bit},
         "integer"},
    });
}

TEST(ColumnKind, EmbeddedDeclaredTypes) {
    checkRows({
        {"BIGINT", sqliteColumnKind("BIGINT"), {FieldKind::BigInt}, "bigint"},
        {"an auto-numbered key", sqliteColumnKind("INTEGER"), {FieldKind::BigInt}, "bigint"},
        {"INT", sqliteColumnKind("int"), {FieldKind::Int}, "int"},
        {"BIT", sqliteColumnKind("BIT"), {FieldKind::Bit}, "bit"},
        {"SMALLDATETIME", sqliteColumnKind("SMALLDATETIME"), {FieldKind::DateTime}, "datetime"},
        {"NVARCHAR(50)", sqliteColumnKind("NVARCHAR(50)"), TextFields, "text"},
        {"NCHAR (10)", sqliteColumnKind("NCHAR (10)"), TextFields, "text"},
        {"TEXT", sqliteColumnKind("TEXT"), TextFields, "long text"},
        {"NTEXT", sqliteColumnKind("NTEXT"), TextFields, "long text"},
        {"VARCHAR(50) is not Unicode", sqliteColumnKind("VARCHAR(50)"), {}, "varchar(50)"},
        {"REAL", sqliteColumnKind("REAL"), {}, "real"},
    });
}

} // namespace
