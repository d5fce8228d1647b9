#pragma once

#include "DbConnection.h"

#include <exception>
#include <utility>

enum class TransactionKind {
    Normal,
    // Other writers wait until it ends (see DbConnection::beginExclusiveTrans).
    Exclusive,
};

// The one transaction discipline of every writer: begin, run the unit of work, commit; on any failure
// roll back if the connection still has the transaction open (a failure that already ended it, such as
// a lost connection, must not raise a second error), then let the failure reach the caller.
//
// A transaction that cannot begin leaves nothing of this unit to undo; in particular, when one is already
// open (a print cycle's, interrupted by a handler that ran while a message box waited) it is not this
// unit's to roll back.
template <typename Work>
void runInTransaction(DbConnection& connection, Work&& work, TransactionKind kind = TransactionKind::Normal) {
    if (kind == TransactionKind::Exclusive) {
        connection.beginExclusiveTrans();
    } else {
        connection.beginTrans();
    }
    try {
        std::forward<Work>(work)();
        connection.commitTrans();
    } catch (...) {
        if (connection.inTransaction()) {
            try {
                connection.rollbackTrans();
            } catch (...) {
                // The original failure is the one worth reporting.
            }
        }
        throw;
    }
}
