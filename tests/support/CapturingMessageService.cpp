#include "CapturingMessageService.h"

MessageButton CapturingMessageService::show(const MessageRequest& request) {
    shown.push_back(request);
    if (answers_.empty()) {
        return MbOk;
    }
    const MessageButton answer = answers_.front();
    answers_.pop_front();
    return answer;
}
