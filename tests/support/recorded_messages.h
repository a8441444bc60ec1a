#pragma once

#include "base/user_messages.h"

#include <string>
#include <utility>
#include <vector>

// What the program told and asked the user; a question gets `answer`.
struct RecordedMessages final : UserMessages {
    std::vector<std::pair<std::string, std::string>> shown; // caption and text, every message
    std::vector<std::string> told;                          // the texts alone
    std::vector<std::string> asked;                         // "caption: text"
    bool answer = true;

    void showError(const std::string& caption, const std::string& text) override
    {
        record(caption, text);
    }
    void warn(const std::string& caption, const std::string& text) override
    {
        record(caption, text);
    }
    void inform(const std::string& caption, const std::string& text) override
    {
        record(caption, text);
    }
    bool ask(const std::string& caption, const std::string& text) override
    {
        asked.push_back(caption + ": " + text);
        return answer;
    }
    void offer(const std::string& caption, const std::string& text,
               std::function<void()> accepted) override
    {
        if (ask(caption, text) && accepted)
            accepted();
    }

private:
    void record(const std::string& caption, const std::string& text)
    {
        shown.emplace_back(caption, text);
        told.push_back(text);
    }
};
