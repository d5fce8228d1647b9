#pragma once

#include "UrlOpener.h"

#include <vector>

// Stands in for the desktop's web page handler while it lives: records every page instead of opening it.
class CapturingUrlOpener final : public UrlOpener {
public:
    CapturingUrlOpener() { UrlOpener::setCurrent(this); }
    ~CapturingUrlOpener() override { UrlOpener::setCurrent(nullptr); }
    CapturingUrlOpener(const CapturingUrlOpener&) = delete;
    CapturingUrlOpener& operator=(const CapturingUrlOpener&) = delete;

    bool open(const QUrl& url) override {
        opened.push_back(url);
        return succeeds;
    }

    std::vector<QUrl> opened;
    bool succeeds = true;
};
