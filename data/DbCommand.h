#pragma once

#include "DbStatement.h"

// A statement that changes rows and returns nothing the program reads.
class DbCommand : public DbStatement {
public:
    using DbStatement::DbStatement;

    // Runs the statement once with the parameters set; its row count is ignored.
    void execute();
};
