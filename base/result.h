#pragma once

// The one shape of every operation that can fail: it either worked (and a
// Result<T> then carries its value) or it failed with a message written for
// the user, which travels unchanged up to the message box or the terminal.

#include <cassert>
#include <optional>
#include <string>
#include <utility>

class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // The reason of a failure; empty when it worked.
    const std::string& message() const { return message_; }

private:
    Status() = default;
    explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

    bool failed_ = false;
    std::string message_;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // A failure carries its reason; a Status that worked has no value to give.
    Result(Status failure) : status_(std::move(failure)) { assert(!status_.ok()); }
    static Result failure(std::string message) { return Result(Status::failure(std::move(message))); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return status_.message(); }
    const Status& status() const { return status_; }

    T& value() & { return *value_; }
    const T& value() const& { return *value_; }
    T&& value() && { return std::move(*value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }

private:
    std::optional<T> value_;
    Status status_ = Status::success();
};
