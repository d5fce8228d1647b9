#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

// A receipt printer on the network, as the tests need one: it listens on a loopback TCP port chosen when it
// starts and keeps every byte each connection brings (a print queue's socket backend opens one connection
// per job). It can hang up in the middle of the first job, as a printer switched off does.
class ReceiptPrinter {
public:
    // `hangUpAfter` > 0: the first connection is closed after that many bytes.
    explicit ReceiptPrinter(qsizetype hangUpAfter = 0);
    ~ReceiptPrinter();
    ReceiptPrinter(const ReceiptPrinter&) = delete;
    ReceiptPrinter& operator=(const ReceiptPrinter&) = delete;

    int port() const { return port_; }
    QString uri() const { return QStringLiteral("socket://127.0.0.1:%1").arg(port_); }

    // The bytes of each connection that has ended, oldest first.
    QList<QByteArray> jobs() const;
    // Waits up to `ms` until `count` connections have ended.
    bool waitForJobs(int count, int ms = 20000) const;

private:
    void serve();

    int listener_ = -1;
    int port_ = 0;
    qsizetype hangUpAfter_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    QList<QByteArray> jobs_;
    std::thread thread_;
};
