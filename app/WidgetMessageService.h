#pragma once

#include "MessageService.h"

// The window program's message boxes: each request shown as a modal box with its caption, icon and
// buttons, and the button pressed handed back.
class WidgetMessageService final : public MessageService {
public:
    MessageButton show(const MessageRequest& request) override;
};
