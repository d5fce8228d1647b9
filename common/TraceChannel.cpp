#include "TraceChannel.h"

TraceChannel& TraceChannel::instance() {
    static TraceChannel channel;
    return channel;
}

void TraceChannel::EnterMethod(const QString& name) const {
    emitRecord(QStringLiteral("Enter ") + name);
}

void TraceChannel::ExitMethod(const QString& name) const {
    emitRecord(QStringLiteral("Exit ") + name);
}

void TraceChannel::Send(const QString& text) const {
    emitRecord(text);
}

void TraceChannel::Send(const QString& name, const QString& value) const {
    emitRecord(name + QStringLiteral(" = ") + value);
}

void TraceChannel::emitRecord(const QString& record) const {
    if (!Enabled || !sink_) {
        return;
    }
    sink_(record);
}
