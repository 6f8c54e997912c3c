#include "control/player/module_names.h"

#include "platform/library/dynamic_library.h"
#include "zelkor.h"

#include <cerrno>
#include <cstdlib>

namespace zk::player {

int32_t resolve_registration(const std::string& name, const char* default_symbol, void*& function) {
    static const std::string kFunctionPrefix = "function@";
    function = nullptr;
    if (name.rfind(kFunctionPrefix, 0) == 0) {
        std::string hex = name.substr(kFunctionPrefix.size());
        char* end = nullptr;
        errno = 0;
        unsigned long long address = std::strtoull(hex.c_str(), &end, 16);
        if (hex.empty() || *end || errno || address == 0) return ZK_ERROR_SYMBOL_NOT_FOUND;
        function = reinterpret_cast<void*>(static_cast<uintptr_t>(address));
        return 0;
    }
    std::string symbol = default_symbol;
    std::string library = name;
    size_t at = name.find('@');
    if (at != std::string::npos) {
        symbol = name.substr(0, at);
        library = name.substr(at + 1);
    }
    std::string error;
    void* handle = platform::DynamicLibrary::load(library, error);
    if (!handle) return ZK_ERROR_LIBRARY_NOT_FOUND;
    function = platform::DynamicLibrary::symbol(handle, symbol);
    return function ? 0 : ZK_ERROR_SYMBOL_NOT_FOUND;
}

} // namespace zk::player
