// Reports through the decoder's debug callback (when one is set).
#pragma once

#include "zelkor.h"

namespace zk {

inline void report_debug(ZK_Decoder* decoder, int32_t level, const char* message, const char* detail,
                         int32_t source = 0) {
    if (decoder && decoder->debug) decoder->debug(decoder->client, source, level, message, detail);
}

inline void report_internal_error(ZK_Decoder* decoder, const char* detail) {
    report_debug(decoder, 0, "internal error", detail);
}

} // namespace zk
