#pragma once

#include <QByteArray>

class TrpReport;

// Writes a report's template in the form the reader reads: the declaration, then one element per object
// (two spaces of indentation per level, CR LF after every line), attributes in declaration order with the
// properties of base classes first and sub-objects as dotted names, defaults and empty strings omitted,
// then a memo's Text; nested collections before the child objects. UTF-8.
class TrpTemplateWriter {
public:
    static QByteArray write(const TrpReport& report);
};
