// Loading shared libraries and looking up their symbols.
#pragma once

#include <string>

namespace zk::platform {

// A library loaded with dlopen. Libraries stay loaded for the life of the
// process (modules registered from them keep pointers into them).
class DynamicLibrary {
public:
    // Loads by file name or path; returns null and sets error on failure.
    static void* load(const std::string& name, std::string& error);
    // The address of symbol in handle, or null.
    static void* symbol(void* handle, const std::string& name);
};

} // namespace zk::platform
