#pragma once

#include "DispatchFailure.h"

#include <exception>
#include <utility>

// Every ticket of one order (or void) is tried even when one of its printers fails, so that a station
// whose printer is down holds up no other station; the first failure then fails the order's unit, which
// keeps it queued. Stop is never held back: it ends the unit at once.
class TicketFailures {
public:
    // Runs one ticket's printing; true when it printed, false when its failure was kept for later.
    template <typename Print> bool attempt(Print&& print) {
        try {
            std::forward<Print>(print)();
            return true;
        } catch (const CycleStopped&) {
            throw;
        } catch (...) {
            if (!first_) {
                first_ = std::current_exception();
            }
            return false;
        }
    }

    // Raises the first failure kept since the last call, if any.
    void raiseFirst() {
        if (first_) {
            std::exception_ptr failure = std::exchange(first_, nullptr);
            std::rethrow_exception(failure);
        }
    }
    void clear() { first_ = nullptr; }

private:
    std::exception_ptr first_;
};
