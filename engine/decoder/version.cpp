#include "zelkor.h"

extern "C" ZK_API const char* decoder_version(const char** major, const char** minor, const char** release) {
    if (major) *major = "1";
    if (minor) *minor = "2";
    if (release) *release = "0";
    return "1.2.0";
}

extern "C" ZK_API uint32_t zelkor_get_api_version(int32_t selector) {
    switch (selector) {
    case ZK_API_VERSION_SELECTOR_DECODER: return 0x00030003u;
    case ZK_API_VERSION_SELECTOR_CONTROL: return 0x00030006u;
    default: return 0;
    }
}
