#pragma once

#include "drill/user_messages.h"

// Shows each message in a modal message box with an OK button and no owner
// window (the main window may not exist yet).
class MessageBoxMessages final : public UserMessages {
public:
    void showError(const std::string& caption, const std::string& text) override;
};
