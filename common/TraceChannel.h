#pragma once

#include <QString>
#include <functional>

// The diagnostic trace sink of the dispatch cycle and the data module. It is switched off at start-up and
// nothing in the program switches it on; while it is off every operation returns at once.
class TraceChannel {
public:
    // Receives one formatted trace record while the channel is on (the transport is not part of the
    // program; tests attach a sink to see what the cycle reports).
    using Sink = std::function<void(const QString& record)>;

    static TraceChannel& instance();

    bool Enabled = true;

    void EnterMethod(const QString& name) const;
    void ExitMethod(const QString& name) const;
    void Send(const QString& text) const;
    void Send(const QString& name, const QString& value) const;

    void setSink(Sink sink) { sink_ = std::move(sink); }

private:
    void emitRecord(const QString& record) const;

    Sink sink_;
};
