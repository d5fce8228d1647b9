#include "ReceiptPrinter.h"

#include <QElapsedTimer>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

ReceiptPrinter::ReceiptPrinter(qsizetype hangUpAfter) : hangUpAfter_(hangUpAfter) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (hangUpAfter_ > 0 && listener_ >= 0) {
        // A printer's small input buffer, as real ones have: the sender cannot have the whole job in the
        // connection's buffers before the hang-up, so its writes see it.
        const int small = 4096;
        ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    }
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("the test receipt printer cannot listen");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

ReceiptPrinter::~ReceiptPrinter() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

void ReceiptPrinter::serve() {
    bool first = true;
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) {
            continue;
        }
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) {
            continue;
        }
        QByteArray received;
        const qsizetype limit = first ? hangUpAfter_ : 0;
        first = false;
        char buffer[65536];
        while (!stopping_) {
            pollfd reading{connection, POLLIN, 0};
            if (::poll(&reading, 1, 50) <= 0) {
                continue;
            }
            qsizetype want = sizeof buffer;
            if (limit > 0) {
                want = std::min<qsizetype>(want, limit - received.size());
            }
            const ssize_t n = ::read(connection, buffer, size_t(want));
            if (n <= 0) {
                break; // the sender has finished (or gone)
            }
            received.append(buffer, n);
            if (limit > 0 && received.size() >= limit) {
                // Hang up with unread bytes waiting: the sender's next write fails.
                linger hard{1, 0};
                ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                break;
            }
        }
        ::close(connection);
        const std::lock_guard lock(mutex_);
        jobs_.append(received);
    }
}

QList<QByteArray> ReceiptPrinter::jobs() const {
    const std::lock_guard lock(mutex_);
    return jobs_;
}

bool ReceiptPrinter::waitForJobs(int count, int ms) const {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        if (jobs().size() >= count) {
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}
