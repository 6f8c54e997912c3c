// Upper bound for decoded pictures, so that a small malformed file cannot
// make a codec allocate gigabytes.
#pragma once

#include <cstdint>

inline constexpr std::int64_t kMaxDecodedPictureBytes = 256LL * 1024 * 1024;
