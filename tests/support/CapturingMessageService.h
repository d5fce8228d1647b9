#pragma once

#include "MessageService.h"
#include "QtGTestPrinters.h"

#include <deque>
#include <vector>

// Stands in for the real message boxes while it lives: records every box and answers with the next
// queued answer (OK when none is queued).
class CapturingMessageService final : public MessageService {
public:
    CapturingMessageService() { MessageService::setCurrent(this); }
    ~CapturingMessageService() override { MessageService::setCurrent(nullptr); }
    CapturingMessageService(const CapturingMessageService&) = delete;
    CapturingMessageService& operator=(const CapturingMessageService&) = delete;

    MessageButton show(const MessageRequest& request) override;

    void queueAnswer(MessageButton answer) { answers_.push_back(answer); }

    std::vector<MessageRequest> shown;

private:
    std::deque<MessageButton> answers_;
};
