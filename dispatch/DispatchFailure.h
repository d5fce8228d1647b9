#pragma once

#include <QString>
#include <stdexcept>

// A ticket that did not reach its printer as a whole ticket (its template is missing or damaged, no
// printer can take it): the order or void it belongs to stays queued.
class DispatchFailure : public std::runtime_error {
public:
    explicit DispatchFailure(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Stop ran while the cycle printed: the unit of work ends where it is, without touching the closed
// connection again; what it printed is remembered, so it is not printed twice when the server starts again.
class CycleStopped : public std::exception {
public:
    const char* what() const noexcept override { return "The print server was stopped"; }
};

// The text of any failure, as it goes to the log: on one line.
QString failureMessage(const std::exception& e);
