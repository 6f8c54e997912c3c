#pragma once

#include <exception>
#include <stdexcept>
#include <string>

// Gathers the messages of errors that must not stop a run of work, to be
// raised together once the work is done.
class TCollectedErrors {
public:
    void Keep(const std::exception& error) { messages_ += (messages_.empty() ? "" : "\n") + std::string(error.what()); }

    // Throws one std::runtime_error with every kept message, if any.
    void ThrowIfAny() const {
        if (!messages_.empty()) throw std::runtime_error(messages_);
    }

private:
    std::string messages_;
};
