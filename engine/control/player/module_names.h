// Resolving a module or filter name to its registration function:
// "function@<hex address>", "symbol@library", or a library alone with a
// default symbol. Libraries loaded here stay loaded.
#pragma once

#include <cstdint>
#include <string>

namespace zk::player {

// Stores the function's address; 0, -700 (library not found) or -701
// (symbol not found).
int32_t resolve_registration(const std::string& name, const char* default_symbol, void*& function);

} // namespace zk::player
