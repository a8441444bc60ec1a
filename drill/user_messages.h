#pragma once

#include <string>

// Where the engine sends the messages a user must see. The program shows
// them in message boxes; tests record them.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void showError(const std::string& caption, const std::string& text) = 0;
};

// The caption of the engine's own message boxes.
inline constexpr const char* kEngineMessageCaption = "Solfara Trainer";
