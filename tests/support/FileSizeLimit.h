#pragma once

#include <csignal>
#include <sys/resource.h>

// Caps the size of the files the test process writes, as a nearly full disk would: a write that crosses the
// cap is cut short and the next one refused with the system's "File too large". The signal the system sends
// then is ignored while the cap holds. Restores both on leaving.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &kept_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = kept_;
        capped.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &kept_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit kept_{};
    void (*signal_)(int) = nullptr;
};
