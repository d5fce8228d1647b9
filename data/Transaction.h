#pragma once

#include "DbConnection.h"

#include <exception>
#include <utility>

// The one transaction discipline of every writer: begin, run the unit of work, commit; on any failure
// roll back if the connection still has the transaction open (a failure that already ended it, such as
// a lost connection, must not raise a second error), then let the failure reach the caller.
enum class TransactionKind {
    Normal,
    // Other writers wait until it ends (see DbConnection::beginExclusiveTrans).
    Exclusive,
};

template <typename Work>
void runInTransaction(DbConnection& connection, Work&& work, TransactionKind kind = TransactionKind::Normal) {
    try {
        if (kind == TransactionKind::Exclusive) {
            connection.beginExclusiveTrans();
        } else {
            connection.beginTrans();
        }
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
