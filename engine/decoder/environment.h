// The decoder's environment: named integer and string variables, and the
// listeners that watch them by name.
#pragma once

#include "zelkor.h"

#include <list>
#include <memory>
#include <string>
#include <variant>

struct ZK_EnvironmentListener {
    std::string name;
    void* client;
    ZK_EnvironmentCallback callback;
    bool removed = false; // unlinked while a notification walks the list
};

namespace zk {

class Environment {
public:
    int32_t set_integer(const char* name, int32_t value);
    int32_t set_string(const char* name, const char* text);
    int32_t get_integer(const char* name, int32_t* value) const;
    // Copies the text and its zero into buffer; size is the buffer's size, or
    // SIZE_MAX when the caller did not say.
    int32_t get_string(const char* name, char* buffer, size_t size) const;
    int32_t unset(const char* name);

    int32_t add_listener(const char* name, void* client, ZK_EnvironmentCallback callback,
                         ZK_EnvironmentListener** handle);
    int32_t remove_listener(ZK_EnvironmentListener* handle);

private:
    struct Variable {
        std::string name;
        std::variant<std::string, int32_t> value;
    };

    Variable* find(const char* name);
    const Variable* find(const char* name) const;
    // Calls each listener of name, newest first; value null for an unset.
    void notify(const std::string& name, const void* value);

    std::list<Variable> variables_;                                // newest first
    std::list<std::unique_ptr<ZK_EnvironmentListener>> listeners_; // newest first
    int notifying_ = 0;                                            // depth of nested notifications
};

} // namespace zk
