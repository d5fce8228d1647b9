#pragma once

#include "MessageService.h"

#include <functional>

// The message boxes of the program run as a service: nobody is there to press a button, so a box is
// written to the operation log and to standard error instead, and answered at once. A question is
// answered with the choice that changes nothing (Cancel, else No), anything else with OK.
class ServiceMessageService final : public MessageService {
public:
    using LogWriter = std::function<void(const QString& line)>;

    // Until a log writer is set, boxes go to standard error only.
    void setLogWriter(LogWriter writer) { log_ = std::move(writer); }

    MessageButton show(const MessageRequest& request) override;

    // The one line a box becomes: its caption, then its text.
    static QString lineFor(const MessageRequest& request);

private:
    LogWriter log_;
};
