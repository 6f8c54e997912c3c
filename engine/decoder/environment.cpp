#include "decoder/environment.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zk {

Environment::Variable* Environment::find(const char* name) {
    for (Variable& v : variables_)
        if (v.name == name) return &v;
    return nullptr;
}

const Environment::Variable* Environment::find(const char* name) const {
    return const_cast<Environment*>(this)->find(name);
}

int32_t Environment::set_integer(const char* name, int32_t value) {
    if (!name) return ZK_ERROR_INVALID_PARAMETERS;
    try {
        Variable* v = find(name);
        if (v && std::holds_alternative<std::string>(v->value)) return ZK_ERROR_INVALID_VARIABLE_TYPE;
        if (v)
            v->value = value;
        else
            variables_.push_front(Variable{name, value});
        notify(name, &value);
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    return ZK_OK;
}

int32_t Environment::set_string(const char* name, const char* text) {
    if (!name || !text) return ZK_ERROR_INVALID_PARAMETERS;
    try {
        Variable* v = find(name);
        if (v && std::holds_alternative<int32_t>(v->value)) return ZK_ERROR_INVALID_VARIABLE_TYPE;
        // Listeners get their own copy: a listener may set the variable again.
        const std::string copy = text;
        if (v)
            v->value = copy;
        else
            variables_.push_front(Variable{name, copy});
        notify(name, copy.c_str());
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    return ZK_OK;
}

int32_t Environment::get_integer(const char* name, int32_t* value) const {
    if (!name || !value) return ZK_ERROR_INVALID_PARAMETERS;
    const Variable* v = find(name);
    if (!v) return ZK_ERROR_NO_SUCH_VARIABLE;
    const int32_t* stored = std::get_if<int32_t>(&v->value);
    if (!stored) return ZK_ERROR_INVALID_VARIABLE_TYPE;
    *value = *stored;
    return ZK_OK;
}

int32_t Environment::get_string(const char* name, char* buffer, size_t size) const {
    if (!name || !buffer) return ZK_ERROR_INVALID_PARAMETERS;
    const Variable* v = find(name);
    if (!v) return ZK_ERROR_NO_SUCH_VARIABLE;
    const std::string* text = std::get_if<std::string>(&v->value);
    if (!text) return ZK_ERROR_INVALID_VARIABLE_TYPE;
    if (text->size() >= size) return ZK_ERROR_INVALID_PARAMETERS;
    std::memcpy(buffer, text->c_str(), text->size() + 1);
    return ZK_OK;
}

int32_t Environment::unset(const char* name) {
    if (!name) return ZK_ERROR_INVALID_PARAMETERS;
    if (!find(name)) return ZK_ERROR_NO_SUCH_VARIABLE;
    try {
        const std::string key = name;
        notify(key, nullptr);
        // A listener may already have removed it.
        variables_.remove_if([&](const Variable& v) { return v.name == key; });
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    return ZK_OK;
}

void Environment::notify(const std::string& name, const void* value) {
    // Listeners added meanwhile go to the head and are not reached; listeners
    // removed meanwhile are only marked until the outermost walk ends.
    ++notifying_;
    for (auto& listener : listeners_)
        if (!listener->removed && listener->name == name) listener->callback(listener->client, name.c_str(), value);
    if (--notifying_ == 0) listeners_.remove_if([](const auto& listener) { return listener->removed; });
}

int32_t Environment::add_listener(const char* name, void* client, ZK_EnvironmentCallback callback,
                                  ZK_EnvironmentListener** handle) {
    if (!name || !callback) return ZK_ERROR_INVALID_PARAMETERS;
    try {
        auto listener = std::make_unique<ZK_EnvironmentListener>();
        listener->name = name;
        listener->client = client;
        listener->callback = callback;
        ZK_EnvironmentListener* raw = listener.get();
        listeners_.push_front(std::move(listener));
        if (handle) *handle = raw;
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    return ZK_OK;
}

int32_t Environment::remove_listener(ZK_EnvironmentListener* handle) {
    if (!handle) return ZK_ERROR_INVALID_PARAMETERS;
    auto it = std::find_if(listeners_.begin(), listeners_.end(),
                           [&](const auto& listener) { return listener.get() == handle && !listener->removed; });
    if (it == listeners_.end()) return ZK_FAILURE;
    if (notifying_)
        handle->removed = true;
    else
        listeners_.erase(it);
    return ZK_OK;
}

} // namespace zk
