#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The two ends of the pipe: the handler writes into [0], the loop reads [1].
int pipeEnds[2] = {-1, -1};

extern "C" void onTerminationSignal(int signalNumber) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do when the pipe is full: a request is already waiting to be read.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
    errno = savedErrno;
}

void installHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (sigaction(signalNumber, &action, nullptr) != 0) {
        throw std::runtime_error("The handler of a termination signal cannot be installed");
    }
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) != 0) {
        throw std::runtime_error("The pipe for termination signals cannot be created");
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    installHandler(SIGTERM, onTerminationSignal);
    installHandler(SIGINT, onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    try {
        installHandler(SIGTERM, SIG_DFL);
        installHandler(SIGINT, SIG_DFL);
    } catch (...) {
        // The process is on its way out; the default handlers matter no more.
    }
    notifier_.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::readPipe() {
    unsigned char byte = 0;
    while (::read(pipeEnds[1], &byte, 1) == 1) {
        Q_EMIT received(byte);
    }
}
