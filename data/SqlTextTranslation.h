#pragma once

#include "StatementDef.h"

#include <QString>
#include <vector>

// One positional marker of a translated text: which parameter's value it takes and how that value is
// converted when it is bound.
struct PositionalBinding {
    QString param;
    ParamKind conversion = ParamKind::Untyped;
    int size = 0;
};

struct TranslatedText {
    QString sql;
    std::vector<PositionalBinding> bindings; // one per "?", in order
};

// SQL Server: the text as it stands, each ":Name" replaced by "?" and bound in the order of appearance.
TranslatedText translateForSqlServer(const StatementDef& statement);

// SQLite: the same text, translated mechanically:
//  - a line "Declare @v <type> = :p" is dropped, and every later "@v" becomes "?" bound to p's value,
//    converted as the declaration's type would convert it (bigint: a 64-bit integer, or a failure);
//  - "isNull(" becomes SQLite's "ifnull(";
//  - each ":Name" becomes "?" as for SQL Server.
// Everything else, including quoted literals, stays as it is.
TranslatedText translateForSqlite(const StatementDef& statement);
