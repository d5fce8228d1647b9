#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

// SIGTERM and SIGINT delivered as a Qt signal on the thread of the event loop. A signal handler may do
// almost nothing, so it only writes the signal's number into a pipe; the loop reads it from there. One
// instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; raises std::runtime_error when the pipe or a handler cannot be set up.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Puts the default handlers back.
    ~TerminationSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    std::unique_ptr<QSocketNotifier> notifier_;
};
