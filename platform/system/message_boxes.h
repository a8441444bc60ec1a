#pragma once

#include "base/user_messages.h"

#include <functional>
#include <string>

class QWidget;

// The user's messages as Qt message boxes over `parent` (none: centred on the screen).
class MessageBoxes final : public UserMessages {
public:
    explicit MessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}

    void showError(const std::string& caption, const std::string& text) override;
    void warn(const std::string& caption, const std::string& text) override;
    bool ask(const std::string& caption, const std::string& text) override;
    // The box is named "informed" and deletes itself when closed.
    void inform(const std::string& caption, const std::string& text) override;
    // The box is named "offered" and deletes itself when closed.
    void offer(const std::string& caption, const std::string& text,
               std::function<void()> accepted) override;

private:
    QWidget* parent_;
};

// A reporter for work done off the GUI thread: called from any thread, it has
// `messages` show the error under `caption` once the GUI thread is free.
// `messages` must outlive the application object.
std::function<void(const std::string& text)> errorShownOnGuiThread(UserMessages& messages,
                                                                   std::string caption);
