#pragma once

#include <QString>

// Where the error lines of a preparation go, and the name of the object being processed that they begin
// with. The report is one; an adapter serving a preparation reports its missing fields to it without
// knowing the report's object tree.
class TrpErrorSink {
public:
    virtual void AddError(const QString& line) = 0;
    virtual const QString& CurrentObjectName() const = 0;

protected:
    ~TrpErrorSink() = default;
};
