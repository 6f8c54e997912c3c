#include "platform/library/dynamic_library.h"

#include <dlfcn.h>

namespace zk::platform {

void* DynamicLibrary::load(const std::string& name, std::string& error) {
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* text = dlerror();
        error = text ? text : "dlopen failed";
    }
    return handle;
}

void* DynamicLibrary::symbol(void* handle, const std::string& name) {
    dlerror();
    return dlsym(handle, name.c_str());
}

} // namespace zk::platform
