#pragma once

#include <functional>
#include <string>

// Everything either program tells or asks the user goes through this: the programs show
// message boxes (platform/system/message_boxes.h), tests record what was said.
// The caption of solfara's message boxes.
inline constexpr const char* kSolfaraCaption = "Solfara Trainer";

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A message with an OK button and no icon; the program waits until it is closed.
    virtual void showError(const std::string& caption, const std::string& text) = 0;
    // A warning about what the user just asked for, with an OK button.
    virtual void warn(const std::string& caption, const std::string& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool ask(const std::string& caption, const std::string& text) = 0;
    // A message with an OK button that does not hold the window up while it shows.
    virtual void inform(const std::string& caption, const std::string& text) = 0;
    // A question with OK and Cancel that does not hold the window up while it
    // shows; `accepted` runs once OK is pressed.
    virtual void offer(const std::string& caption, const std::string& text,
                       std::function<void()> accepted) = 0;
};
